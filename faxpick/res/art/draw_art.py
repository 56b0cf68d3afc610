#!/usr/bin/env python3
"""Draws the picker's icon and list images (run once; the outputs are kept
beside the resource scripts), with the editor's drawing helpers:

  faxpick.ico   icon 3: a fax sheet and a send list with a tick
  address.bmp   bitmap 1: one person (single-address rows), 16x16
  group.bmp     bitmap 2: three people (group rows), 16x16
Bitmaps have 16 colours and black is their transparent colour, so their
outlines are navy.
"""
import importlib.util
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
EDITOR_ART = os.path.join(HERE, '..', '..', '..', 'faxbook', 'res', 'art', 'draw_art.py')
module_source = importlib.util.spec_from_file_location('editor_art', EDITOR_ART)
art = importlib.util.module_from_spec(module_source)
module_source.loader.exec_module(art)
Canvas, person, clip_body = art.Canvas, art.person, art.clip_body
BLACK, NAVY, BLUE, GREEN, WHITE, GREY, RED, LIME, CLEAR = (
    art.BLACK, art.NAVY, art.BLUE, art.GREEN, art.WHITE, art.GREY, art.RED, art.LIME, art.CLEAR)


def draw_address():
    cv = Canvas(16)
    person(cv, 8, 1, 1, BLUE, NAVY)
    clip_body(cv, 15)
    cv.rect(0, 15, 15, 15, CLEAR)
    return cv


def draw_group():
    cv = Canvas(16)
    person(cv, 4, 2, 0.75, GREEN, NAVY)
    person(cv, 12, 2, 0.75, GREEN, NAVY)
    person(cv, 8, 4, 0.85, BLUE, NAVY)
    cv.rect(0, 15, 15, 15, CLEAR)
    return cv


def draw_program(size):
    cv = Canvas(size)
    s = size / 32
    # The send list: a white sheet with lines.
    cv.rect(int(3 * s), int(3 * s), int(21 * s), int(29 * s), WHITE)
    cv.frame(int(3 * s), int(3 * s), int(21 * s), int(29 * s), BLACK)
    for row in range(5):
        y = int((8 + row * 4) * s)
        cv.rect(int(6 * s), y, int(18 * s), y + max(0, int(s) - 1), GREY)
    # A fax sheet leaving it, with a green tick.
    cv.rect(int(15 * s), int(12 * s), int(30 * s), int(27 * s), WHITE)
    cv.frame(int(15 * s), int(12 * s), int(30 * s), int(27 * s), NAVY)
    cv.line(int(18 * s), int(20 * s), int(21 * s), int(24 * s), GREEN, max(1, int(2 * s)))
    cv.line(int(21 * s), int(24 * s), int(28 * s), int(15 * s), GREEN, max(1, int(2 * s)))
    cv.rect(int(26 * s), int(13 * s), int(29 * s), int(14 * s), RED)
    return cv


def bitmap(cv):
    """A 4-bit .bmp of the 16-colour palette; clear pixels are black."""
    size = cv.size
    row_bytes = ((size * 4 + 31) // 32) * 4
    pixels = b''
    for y in range(size - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(size):
            c = cv.px[y][x]
            v = BLACK if c == CLEAR else c
            row[x // 2] |= v << (4 if x % 2 == 0 else 0)
        pixels += bytes(row)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in art.PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + 40 + len(pal)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return head + info + pal + pixels


def main():
    out = os.path.dirname(HERE)
    with open(os.path.join(out, 'faxpick.ico'), 'wb') as f:
        f.write(art.ico([(32, draw_program(32)), (16, draw_program(16))]))
    with open(os.path.join(out, 'address.bmp'), 'wb') as f:
        f.write(bitmap(draw_address()))
    with open(os.path.join(out, 'group.bmp'), 'wb') as f:
        f.write(bitmap(draw_group()))


if __name__ == '__main__':
    main()
