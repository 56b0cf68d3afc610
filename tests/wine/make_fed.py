#!/usr/bin/env python3
"""Writes a small device file (".fed") for the Wine tests: four destinations
of both record kinds, one without a name, two with the same name, one with a
sub-address and password, and two records that are not taken."""
import struct
import sys

SIGNATURE = b"Zelo Fax Remote Diagnostics System\0"


def pack(digits, size):
    codes = [{" ": 10, "*": 11, "-": 12, "#": 13, "+": 14}.get(c, None) for c in digits]
    codes = [c if c is not None else int(d) for c, d in zip(codes, digits)] + [15]
    if len(codes) % 2:
        codes.append(15)
    out = bytes((codes[i] << 4) | codes[i + 1] for i in range(0, len(codes), 2))
    return (out + b"\xff" * size)[:size]


def record(index, name, fax, kind=0, sub="", password="", in_use=1):
    r = (b"\0" * 4 + struct.pack(">IH", in_use, index) + b"\0\0" + (name + b"\0" * 21)[:21] +
         pack(fax, 19) + b"\0" * 8 + struct.pack(">I", kind) + b"\0" * 8 + pack(sub, 11) +
         pack(password, 11) + b"\0\0")
    assert len(r) == 96
    return r


def item(tag, data):
    return struct.pack("<HI", tag, len(data)) + data


first = (record(1, b"Kita", "03-1111") + record(2, b"Kita", "03-2222", 2, "12", "34") +
         record(3, b"", "06-3333"))
second = (record(5, b"Minami", "0312340301") + record(6, b"Off", "1", in_use=0) +
          record(1000, b"Beyond", "2"))
body = struct.pack("<I", 2) + item(0x41, first) + item(0x42, second)
blocks = struct.pack("<HI", 7, 3) + b"abc" + struct.pack("<HI", 3, 0) + body
data = SIGNATURE + b"\0" * (436 - len(SIGNATURE)) + struct.pack("<I", 2) + blocks
with open(sys.argv[1], "wb") as out:
    out.write(data)
