#!/usr/bin/env python3
"""Draws the editor's icons and toolbar strip (run once; the outputs are
kept beside the resource script):

  faxbook.ico   program icon 128: an address book with a fax sheet
  address.ico   icon 143: one person (address rows)
  group.ico     icon 139: three people (group rows)
  toolbar.bmp   toolbar 128: apply, new address, new group, edit, replace,
                delete; 32x32 each, magenta is transparent
  ../../../installer/art/wizard.bmp  the installer's welcome and finish
                page picture (164x314): the program icon on a blue ground
"""
import os
import struct

# The 16 colours of 4-bit icons.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, \
    BLUE, MAGENTA, CYAN, WHITE = range(16)
CLEAR = -1


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[CLEAR] * size for _ in range(size)]

    def set(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def disc(self, cx, cy, r, c, outline=None):
        for y in range(self.size):
            for x in range(self.size):
                d = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if d <= r * r:
                    self.set(x, y, c)
                    if outline is not None and d > (r - 1) ** 2:
                        self.set(x, y, outline)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for dx in range(width):
                for dy in range(width):
                    self.set(x + dx, y + dy, c)


def person(cv, cx, top, scale, body, outline=BLACK):
    """Head and shoulders: a disc above a rounded body."""
    head = 3 * scale
    cv.disc(cx, top + head, head, YELLOW, outline)
    shoulders_top = top + 2 * head
    width = 5 * scale
    height = 4 * scale
    cv.disc(cx, shoulders_top + height, width, body, outline)


def clip_body(cv, bottom):
    for y in range(bottom + 1, cv.size):
        for x in range(cv.size):
            cv.px[y][x] = CLEAR


def draw_address(size):
    cv = Canvas(size)
    s = size // 16
    person(cv, size / 2, 1 * s, s, BLUE)
    clip_body(cv, size - 1)
    cv.rect(0, size - s, size - 1, size - 1, CLEAR)
    return cv


def draw_group(size):
    cv = Canvas(size)
    s = size // 16
    person(cv, 4 * s, 2 * s, s * 0.75, GREEN)
    person(cv, 12 * s, 2 * s, s * 0.75, GREEN)
    person(cv, size / 2, 4 * s, s * 0.85, BLUE)
    cv.rect(0, size - s, size - 1, size - 1, CLEAR)
    return cv


def draw_program(size):
    cv = Canvas(size)
    s = size / 32
    # The book: navy cover, white pages, a spine.
    cv.rect(int(2 * s), int(4 * s), int(27 * s), int(29 * s), NAVY)
    cv.rect(int(5 * s), int(6 * s), int(25 * s), int(27 * s), WHITE)
    cv.rect(int(2 * s), int(4 * s), int(5 * s), int(29 * s), BLUE)
    for row in range(4):
        y = int((10 + row * 4) * s)
        cv.rect(int(8 * s), y, int(22 * s), y + max(0, int(s) - 1), GREY)
    # A fax sheet coming out of it, with a red corner mark.
    cv.rect(int(16 * s), int(1 * s), int(30 * s), int(16 * s), WHITE)
    cv.frame(int(16 * s), int(1 * s), int(30 * s), int(16 * s), BLACK)
    for row in range(3):
        y = int((5 + row * 3) * s)
        cv.rect(int(19 * s), y, int(27 * s), y, BLACK)
    cv.rect(int(26 * s), int(2 * s), int(29 * s), int(4 * s), RED)
    return cv


def ico(images):
    """An .ico file from (size, canvas) pairs, 4 bits per pixel."""
    header = struct.pack('<HHH', 0, 1, len(images))
    entries = b''
    blobs = b''
    offset = 6 + 16 * len(images)
    for size, cv in images:
        xor_row = ((size * 4 + 31) // 32) * 4
        and_row = ((size + 31) // 32) * 4
        bih = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                          (xor_row + and_row) * size, 0, 0, 16, 0)
        pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
        xor = b''
        mask = b''
        for y in range(size - 1, -1, -1):
            row = cv.px[y]
            bits = bytearray(xor_row)
            mbits = bytearray(and_row)
            for x in range(size):
                c = row[x]
                v = 0 if c == CLEAR else c
                bits[x // 2] |= v << (4 if x % 2 == 0 else 0)
                if c == CLEAR:
                    mbits[x // 8] |= 0x80 >> (x % 8)
            xor += bytes(bits)
            mask += bytes(mbits)
        blob = bih + pal + xor + mask
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 16, 0, 1, 4,
                               len(blob), offset)
        offset += len(blob)
        blobs += blob
    return header + entries + blobs


def toolbar(canvases):
    """A 24-bit .bmp strip; clear pixels become magenta."""
    n = len(canvases)
    width = 32 * n
    height = 32
    row_bytes = ((width * 3 + 3) // 4) * 4
    pixels = b''
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for cv in canvases:
            for x in range(32):
                c = cv.px[y][x]
                r, g, b = PALETTE[MAGENTA if c == CLEAR else c]
                row += bytes((b, g, r))
        row += bytes(row_bytes - len(row))
        pixels += bytes(row)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    return head + info + pixels


def wizard(width=164, height=314):
    """The installer's side picture: a dark-to-light blue ground and the
    program icon drawn large, 24-bit."""
    icon = draw_program(96)
    left, top = (width - 96) // 2, 48
    row_bytes = ((width * 3 + 3) // 4) * 4
    pixels = b''
    for y in range(height - 1, -1, -1):
        row = bytearray()
        t = y / (height - 1)
        ground = (int(16 + 60 * t), int(48 + 90 * t), int(112 + 110 * t))
        for x in range(width):
            c = CLEAR
            if left <= x < left + 96 and top <= y < top + 96:
                c = icon.px[y - top][x - left]
            r, g, b = ground if c == CLEAR else PALETTE[c]
            row += bytes((b, g, r))
        row += bytes(row_bytes - len(row))
        pixels += bytes(row)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    return head + info + pixels


def button_apply():
    cv = Canvas(32)  # a floppy disk
    cv.rect(4, 3, 27, 28, NAVY)
    cv.rect(9, 3, 22, 11, SILVER)
    cv.rect(18, 5, 20, 9, NAVY)
    cv.rect(7, 16, 24, 28, WHITE)
    for y in (19, 22, 25):
        cv.rect(9, y, 22, y, GREY)
    cv.frame(4, 3, 27, 28, BLACK)
    return cv


def spark(cv, x, y):
    cv.rect(x - 1, y - 4, x + 1, y + 4, YELLOW)
    cv.rect(x - 4, y - 1, x + 4, y + 1, YELLOW)
    cv.set(x, y, OLIVE)


def button_new_address():
    cv = Canvas(32)
    person(cv, 14, 4, 2, BLUE)
    clip_body(cv, 29)
    spark(cv, 26, 6)
    return cv


def button_new_group():
    cv = Canvas(32)
    person(cv, 8, 6, 1.5, GREEN)
    person(cv, 20, 6, 1.5, GREEN)
    person(cv, 14, 10, 1.7, BLUE)
    clip_body(cv, 29)
    spark(cv, 27, 5)
    return cv


def button_edit():
    cv = Canvas(32)  # a card and a pencil
    cv.rect(3, 6, 22, 27, WHITE)
    cv.frame(3, 6, 22, 27, BLACK)
    for y in (11, 15, 19):
        cv.rect(6, y, 18, y, GREY)
    cv.line(27, 4, 12, 21, YELLOW, 3)
    cv.line(28, 5, 13, 22, OLIVE, 1)
    cv.line(12, 21, 10, 25, MAROON, 2)
    return cv


def button_replace():
    cv = Canvas(32)  # A turns into B
    cv.rect(2, 4, 13, 15, WHITE)
    cv.frame(2, 4, 13, 15, BLACK)
    cv.line(5, 13, 7, 6, RED, 1)
    cv.line(8, 6, 10, 13, RED, 1)
    cv.rect(6, 10, 9, 10, RED)
    cv.rect(18, 16, 29, 27, WHITE)
    cv.frame(18, 16, 29, 27, BLACK)
    cv.rect(21, 18, 21, 25, BLUE)
    cv.rect(21, 18, 25, 18, BLUE)
    cv.rect(21, 21, 25, 21, BLUE)
    cv.rect(21, 25, 25, 25, BLUE)
    cv.rect(26, 19, 26, 20, BLUE)
    cv.rect(26, 22, 26, 24, BLUE)
    cv.line(10, 20, 15, 25, GREEN, 2)
    cv.line(15, 25, 15, 20, GREEN, 2)
    cv.line(15, 25, 10, 25, GREEN, 2)
    return cv


def button_delete():
    cv = Canvas(32)
    cv.line(6, 6, 24, 24, RED, 4)
    cv.line(24, 6, 6, 24, RED, 4)
    return cv


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.dirname(here)
    with open(os.path.join(out, 'faxbook.ico'), 'wb') as f:
        f.write(ico([(32, draw_program(32)), (16, draw_program(16))]))
    with open(os.path.join(out, 'address.ico'), 'wb') as f:
        f.write(ico([(16, draw_address(16)), (32, draw_address(32))]))
    with open(os.path.join(out, 'group.ico'), 'wb') as f:
        f.write(ico([(16, draw_group(16)), (32, draw_group(32))]))
    with open(os.path.join(out, 'toolbar.bmp'), 'wb') as f:
        f.write(toolbar([button_apply(), button_new_address(), button_new_group(),
                         button_edit(), button_replace(), button_delete()]))
    installer = os.path.join(out, '..', '..', 'installer', 'art')
    os.makedirs(installer, exist_ok=True)
    with open(os.path.join(installer, 'wizard.bmp'), 'wb') as f:
        f.write(wizard())


if __name__ == '__main__':
    main()
