"""Reads the uncompressed BMP files the program and the driver write: 8 bits with
a colour table, 24 or 32 bits, bottom-up or top-down."""

import struct


class Picture:
    def __init__(self, width, height, bits, rows):
        self.width, self.height, self.bits = width, height, bits
        self.rows = rows  # top row first, each a list of 0xRRGGBB

    def pixel(self, x, y):
        return self.rows[y][x]

    def colors(self):
        return {c for row in self.rows for c in row}


def read(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError("%s is not a BMP file" % path)
    offset, = struct.unpack_from("<I", data, 10)
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if compression not in (0, 3) or bits not in (8, 24, 32):
        raise ValueError("%s: %d bits, compression %d not read here" % (path, bits, compression))
    table = []
    if bits == 8:
        used, = struct.unpack_from("<I", data, 46)
        at = 14 + header_size
        for i in range(used or 256):
            b, g, r = data[at + 4 * i:at + 4 * i + 3]
            table.append((r << 16) | (g << 8) | b)
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y
        row = data[offset + source * stride:offset + source * stride + stride]
        if bits == 8:
            rows.append([table[i] for i in row[:width]])
        else:
            step = bits // 8
            rows.append([(row[x + 2] << 16) | (row[x + 1] << 8) | row[x]
                         for x in range(0, width * step, step)])
    return Picture(width, abs(height), bits, rows)
