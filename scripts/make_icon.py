#!/usr/bin/env python3
# Draws the Adrelo Viewer program icon and writes it as resources/adrelo.ico.
"""Generate the program icon: a monitor whose screen shows a small network.

Usage: python3 scripts/make_icon.py [output-path]

The icon holds two 256-colour images, 32x32 and 16x16.  Each size is drawn
by hand on its own pixel grid so that the small one stays crisp instead of
being a blurred downscale.  Only the standard library is used and nothing
depends on time or environment, so every run writes the same bytes.
"""

import struct
import sys
from pathlib import Path

# Palette entries as (red, green, blue).  Index 0 must stay black: transparent
# pixels store index 0 in the colour bitmap, and Windows XORs that bitmap onto
# the screen where the AND mask is set, so black leaves the background as is.
PALETTE = [
    (0x00, 0x00, 0x00),  # 0: transparent fill
    (0x1E, 0x23, 0x2B),  # 1: outline
    (0x55, 0x5E, 0x6B),  # 2: monitor bezel
    (0x9B, 0xA5, 0xB3),  # 3: bezel highlight, stand
    (0x0F, 0x46, 0x96),  # 4: screen
    (0x2F, 0x7C, 0xD4),  # 5: screen glare
    (0xFF, 0xFF, 0xFF),  # 6: network nodes and links
    (0x3C, 0xC8, 0x5A),  # 7: this computer's node
]
OUTLINE, BEZEL, LIGHT, SCREEN, GLARE, WHITE, GREEN = range(1, 8)


class Canvas:
    """A square grid of palette indices; None marks a transparent pixel."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[None] * size for _ in range(size)]

    def fill(self, x0, y0, x1, y1, colour):
        """Fill the rectangle with inclusive corners (x0, y0) and (x1, y1)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixels[y][x] = colour

    def box(self, x0, y0, x1, y1, colour, border=OUTLINE):
        """A filled rectangle with a one-pixel border."""
        self.fill(x0, y0, x1, y1, border)
        self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, colour)

    def set(self, x, y, colour):
        self.pixels[y][x] = colour


def draw_32():
    c = Canvas(32)
    # Stand first, so the monitor's bottom edge overlaps the neck.
    c.box(12, 22, 19, 27, LIGHT)
    c.box(7, 26, 24, 30, LIGHT)
    c.fill(8, 27, 23, 27, WHITE)  # catch light on the base
    # Monitor body with a lighter top edge, then the screen inside it.
    c.box(0, 2, 31, 24, BEZEL)
    c.fill(1, 3, 30, 3, LIGHT)
    c.box(3, 5, 28, 21, SCREEN)
    c.fill(4, 6, 27, 7, GLARE)
    # The network: this computer on top, linked by a bus to two others.
    c.box(12, 7, 19, 11, GREEN, border=WHITE)
    c.fill(15, 12, 16, 13, WHITE)
    c.fill(8, 14, 23, 14, WHITE)
    c.fill(8, 15, 9, 15, WHITE)
    c.fill(22, 15, 23, 15, WHITE)
    c.box(5, 16, 12, 19, GLARE, border=WHITE)
    c.box(19, 16, 26, 19, GLARE, border=WHITE)
    return c


def draw_16():
    c = Canvas(16)
    c.box(5, 12, 10, 14, LIGHT)
    c.fill(2, 14, 13, 15, OUTLINE)
    c.fill(3, 14, 12, 14, LIGHT)
    c.box(0, 0, 15, 12, BEZEL)
    c.box(1, 1, 14, 11, SCREEN, border=BEZEL)
    c.fill(2, 2, 13, 2, GLARE)
    # Same network as the large image, but with one-pixel links and solid
    # nodes: at this size a frame around a node would swallow its inside.
    c.fill(6, 3, 9, 4, GREEN)
    c.fill(7, 5, 8, 5, WHITE)
    c.fill(4, 6, 11, 6, WHITE)
    c.set(4, 7, WHITE)
    c.set(11, 7, WHITE)
    c.fill(3, 8, 5, 9, WHITE)
    c.fill(10, 8, 12, 9, WHITE)
    return c


def dib(canvas):
    """One ICO image: BITMAPINFOHEADER, palette, colour bitmap, AND mask."""
    size = canvas.size
    xor_stride = (size + 3) // 4 * 4
    and_stride = (size + 31) // 32 * 4
    xor_rows, and_rows = [], []
    # DIB rows run bottom-up.
    for row in reversed(canvas.pixels):
        xor = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is None:
                mask[x // 8] |= 0x80 >> (x % 8)  # set bit = transparent
            else:
                xor[x] = index
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    pixels = b"".join(xor_rows) + b"".join(and_rows)
    # biHeight covers the colour bitmap and the mask stacked on each other.
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 8, 0,
                         len(pixels), 0, 0, 256, 0)
    colours = list(PALETTE) + [(0, 0, 0)] * (256 - len(PALETTE))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    return header + palette + pixels


def ico(canvases):
    images = [dib(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        # Width 0 would mean 256; colour count 0 means 256 colours or more.
        out += struct.pack("<BBBBHHII", canvas.size, canvas.size, 0, 0,
                           1, 8, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main(argv):
    if len(argv) > 2:
        sys.exit("usage: make_icon.py [output-path]")
    root = Path(__file__).resolve().parent.parent
    target = Path(argv[1]) if len(argv) == 2 else root / "resources" / "adrelo.ico"
    target.write_bytes(ico([draw_32(), draw_16()]))


if __name__ == "__main__":
    main(sys.argv)
