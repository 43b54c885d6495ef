#!/usr/bin/env python3
"""Draws the program's icon and writes it as a Windows .ico file.

The icon is drawn here at build time rather than kept as a binary: a vertical dimension with
its extension lines and arrowheads, a leader to a value text that stands away from the line.
Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys
import zlib

BACKGROUND = (34, 110, 160)
LINE = (255, 255, 255)
TEXT = (255, 216, 74)


def in_round_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def near_segment(x, y, ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    px, py = ax + t * dx - x, ay + t * dy - y
    return px * px + py * py <= half_width * half_width


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def colour_at(x, y):
    """The colour (r, g, b) at a point of the unit square (y down), or None outside."""
    if not in_round_rect(x, y, 0.03, 0.03, 0.97, 0.97, 0.18):
        return None
    dim_x, top, bottom = 0.34, 0.15, 0.85
    if 0.56 <= x <= 0.90 and 0.20 <= y <= 0.36:
        return TEXT
    white = (
        near_segment(x, y, dim_x, top, dim_x, bottom, 0.03)          # dimension line
        or near_segment(x, y, 0.12, top, 0.46, top, 0.025)           # extension lines
        or near_segment(x, y, 0.12, bottom, 0.46, bottom, 0.025)
        or in_triangle(x, y, (dim_x, top), (dim_x - 0.09, top + 0.17), (dim_x + 0.09, top + 0.17))
        or in_triangle(x, y, (dim_x, bottom), (dim_x - 0.09, bottom - 0.17), (dim_x + 0.09, bottom - 0.17))
        or near_segment(x, y, dim_x, 0.50, 0.56, 0.41, 0.025)        # leader
        or near_segment(x, y, 0.54, 0.41, 0.92, 0.41, 0.025)         # base line of the value
    )
    return LINE if white else BACKGROUND


def render(size):
    """Rows of (r, g, b, a) pixels, top row first, averaged over sub-samples."""
    sub = 4 if size <= 64 else 2
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(sub):
                for sx in range(sub):
                    c = colour_at((px + (sx + 0.5) / sub) / size, (py + (sy + 0.5) / sub) / size)
                    if c is not None:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((r // a, g // a, b // a, 255 * a // (sub * sub)))
        rows.append(row)
    return rows


def bmp_image(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png_image(rows):
    size = len(rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    sizes = [16, 20, 24, 32, 40, 48, 64, 256]
    images = [png_image(render(s)) if s >= 256 else bmp_image(render(s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
