#!/usr/bin/env python3
"""make_icon.py - draws the uninstaller's icon (an open carton with a red
arrow leaving it) and writes res/LZUninstall.ico: two images, 32x32 and
16x16, 256 colours each, bitmaps with an AND mask.

Usage: python3 res/make_icon.py [OUTPUT]   (default: LZUninstall.ico next to
this script). Standard library only; the output is the same on every run.
"""
import os
import struct
import sys

SIZES = (32, 16)

# Colours of the drawing, RGB.
OUTLINE = (48, 32, 16)
FRONT = (204, 153, 102)
SIDE = (153, 102, 51)
INSIDE = (102, 51, 0)
FLAP = (255, 204, 153)
ARROW = (204, 0, 0)
ARROW_EDGE = (102, 0, 0)


def palette():
    """256 colours: the 16 standard ones, a 6x6x6 colour cube, then greys."""
    base = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
            (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
            (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
            (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    cube = [(r * 51, g * 51, b * 51)
            for r in range(6) for g in range(6) for b in range(6)]
    greys = [(v, v, v) for v in range(8, 248, 10)]
    colours = base + cube + greys
    return (colours + [(0, 0, 0)] * 256)[:256]


def nearest(colours, rgb):
    return min(range(len(colours)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colours[i], rgb)))


def inside(poly, x, y):
    """Even-odd rule: is (x, y) inside the polygon?"""
    result = False
    j = len(poly) - 1
    for i, (xi, yi) in enumerate(poly):
        xj, yj = poly[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


# The drawing on a unit square, back to front: (polygon, fill, edge colour,
# smallest image size that shows the shape).
SHAPES = [
    # carton: inside seen through the open top, side, front
    ([(0.10, 0.50), (0.30, 0.36), (0.92, 0.36), (0.72, 0.50)], INSIDE, OUTLINE, 16),
    ([(0.72, 0.50), (0.92, 0.36), (0.92, 0.80), (0.72, 0.95)], SIDE, OUTLINE, 16),
    ([(0.10, 0.50), (0.72, 0.50), (0.72, 0.95), (0.10, 0.95)], FRONT, OUTLINE, 16),
    # the open front flap, folded down: too thin for the small image
    ([(0.10, 0.50), (0.72, 0.50), (0.62, 0.62), (0.00, 0.62)], FLAP, OUTLINE, 32),
    # the arrow leaving the carton upwards
    ([(0.34, 0.58), (0.34, 0.30), (0.16, 0.30), (0.48, 0.02),
      (0.80, 0.30), (0.62, 0.30), (0.62, 0.58)], ARROW, ARROW_EDGE, 16),
]


def render(size, colours):
    """Palette indices, top row first, and the transparency of each pixel."""
    def covers(poly, col, row):
        return inside(poly, (col + 0.5) / size, (row + 0.5) / size)

    pixels = []
    clear = []
    for row in range(size):
        for col in range(size):
            rgb = None
            for poly, fill, outline, smallest in SHAPES:
                if size < smallest or not covers(poly, col, row):
                    continue
                # a pixel of the shape next to one outside it is its outline
                rim = any(not covers(poly, col + dc, row + dr)
                          for dc, dr in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                rgb = outline if rim else fill
            clear.append(rgb is None)
            pixels.append(0 if rgb is None else nearest(colours, rgb))
    return pixels, clear


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def image(size, colours):
    """One icon image: header, palette, colour bits, AND mask (bottom-up)."""
    pixels, clear = render(size, colours)
    xor = b""
    mask = b""
    for row in reversed(range(size)):
        xor += padded(bytes(pixels[row * size:(row + 1) * size]))
        bits = bytearray((size + 7) // 8)
        for col in range(size):
            if clear[row * size + col]:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += padded(bytes(bits))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return header + table + xor + mask


def icon():
    colours = palette()
    images = [image(size, colours) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "LZUninstall.ico")
    path = sys.argv[1] if len(sys.argv) > 1 else default
    with open(path, "wb") as f:
        f.write(icon())


if __name__ == "__main__":
    main()
