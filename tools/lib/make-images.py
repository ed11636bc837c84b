#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Draws the control's small images as pixel art and writes them in the exact formats the resources need:
#   brindt_sysinfo.ico  32 x 32, 16 colours (window icon and design-time face)
#   copy.bmp            16 x 16, 16 colours (the value window's copy button)
#   toolbox.bmp         16 x 15, 24 bits (the container's palette bitmap)
# Usage: tools/lib/make-images.py OUTPUT_DIR
import struct
import sys

# The 16 standard Windows colours, index -> (r, g, b).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
           (0, 255, 255), (255, 255, 255)]
BLACK, GREEN, NAVY, SILVER, GRAY, LIME, YELLOW, RED, WHITE = 0, 2, 4, 7, 8, 10, 11, 9, 15
CLEAR = None


def canvas(w, h, fill):
    return [[fill] * w for _ in range(h)]


def rect(img, x0, y0, x1, y1, colour, outline=None):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            img[y][x] = outline if (edge and outline is not None) else colour


def monitor(img, size):
    """A monitor with an information sign on its screen and three gauge bars below it."""
    if size == 32:
        rect(img, 1, 2, 30, 23, SILVER, BLACK)
        rect(img, 4, 5, 27, 20, NAVY)
        rect(img, 15, 7, 16, 8, WHITE)         # the dot of the i
        rect(img, 15, 10, 16, 16, WHITE)       # its stem
        rect(img, 14, 10, 14, 10, WHITE)
        rect(img, 14, 17, 17, 17, WHITE)       # its foot
        rect(img, 6, 19, 11, 19, LIME)
        rect(img, 20, 19, 25, 19, YELLOW)
        rect(img, 12, 24, 19, 26, GRAY, BLACK)
        rect(img, 7, 27, 24, 29, SILVER, BLACK)
    else:
        rect(img, 0, 1, 15, 11, SILVER, BLACK)
        rect(img, 2, 3, 13, 9, NAVY)
        rect(img, 7, 4, 8, 4, WHITE)
        rect(img, 7, 6, 8, 9, WHITE)
        rect(img, 6, 12, 9, 12, GRAY)
        rect(img, 3, 13, 12, 14, SILVER, BLACK)


def copy_picture():
    img = canvas(16, 16, SILVER)
    for x0, y0 in ((1, 1), (6, 5)):
        rect(img, x0, y0, x0 + 8, y0 + 9, WHITE, BLACK)
        for line in range(3):
            rect(img, x0 + 2, y0 + 2 + line * 2, x0 + 6, y0 + 2 + line * 2, NAVY)
    return img


def bmp_4bit(img):
    h, w = len(img), len(img[0])
    stride = ((w * 4 + 31) // 32) * 4
    rows = b""
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            v = img[y][x] if img[y][x] is not None else BLACK
            row[x // 2] |= v << (4 if x % 2 == 0 else 0)
        rows += bytes(row)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    return info, palette, rows


def write_bmp_4bit(path, img):
    info, palette, rows = bmp_4bit(img)
    offset = 14 + len(info) + len(palette)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) + info + palette + rows)


def write_bmp_24bit(path, img):
    h, w = len(img), len(img[0])
    stride = ((w * 24 + 31) // 32) * 4
    rows = b""
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = PALETTE[img[y][x] if img[y][x] is not None else SILVER]
            row += bytes((b, g, r))
        rows += bytes(row) + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) + info + rows)


def write_ico_4bit(path, img):
    h, w = len(img), len(img[0])
    info, palette, xor_rows = bmp_4bit(img)
    # An icon's header counts the XOR and AND masks together: twice the height.
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    mask_stride = ((w + 31) // 32) * 4
    mask = b""
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if img[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    image = info + palette + xor_rows + mask
    header = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", w, h, 16, 0, 1, 4, len(image), 22)
    with open(path, "wb") as f:
        f.write(header + image)


def main():
    out = sys.argv[1]
    icon = canvas(32, 32, CLEAR)
    monitor(icon, 32)
    write_ico_4bit(f"{out}/brindt_sysinfo.ico", icon)
    write_bmp_4bit(f"{out}/copy.bmp", copy_picture())
    toolbox = canvas(16, 15, SILVER)
    monitor(toolbox, 16)
    write_bmp_24bit(f"{out}/toolbox.bmp", toolbox)


if __name__ == "__main__":
    main()
