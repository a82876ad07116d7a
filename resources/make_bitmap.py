#!/usr/bin/env python3
"""Writes a picture as the 8-bit bitmap file that Orvandel keeps in its resources.

    python3 make_bitmap.py IN.rgba WIDTH HEIGHT OUT.bmp

IN.rgba holds WIDTH x HEIGHT pixels, 4 bytes each (red, green, blue, alpha), top row first: what
ImageMagick writes for "convert PICTURE -depth 8 rgba:IN.rgba". At most 256 colours. A pixel
with alpha below 128 is transparent: it takes the colour #FF00FF, which the program reads as
"no pixel here" (no other pixel may have that colour).

The file is a BITMAPFILEHEADER, a BITMAPINFOHEADER, a palette of only the colours used (in the
order the rows, top first, first use them) and the pixels bottom-up, run-length encoded (BI_RLE8)
when that is smaller, else one byte a pixel with rows padded to 4 bytes (BI_RGB).
"""
import struct
import sys

KEY = (0xFF, 0x00, 0xFF)


def pixels_of(data, width, height):
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            r, g, b, a = data[(y * width + x) * 4:(y * width + x) * 4 + 4]
            colour = KEY if a < 128 else (r, g, b)
            if a >= 128 and colour == KEY:
                sys.exit("make_bitmap: an opaque pixel has the transparent colour #FF00FF")
            row.append(colour)
        rows.append(row)
    return rows


def rle8_row(row):
    """One row in BI_RLE8: runs of one index, literal stretches of 3 or more, then end of line."""
    out = bytearray()
    i, n = 0, len(row)
    while i < n:
        run = 1
        while i + run < n and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out += bytes((run, row[i]))
            i += run
            continue
        # A literal stretch: up to where a run of two or more starts.
        j = i
        while j < n and j - i < 255 and not (j + 1 < n and row[j + 1] == row[j]):
            j += 1
        literal = row[i:j]
        if len(literal) >= 3:
            out += bytes((0, len(literal))) + bytes(literal)
            if len(literal) % 2:
                out.append(0)  # absolute runs end on a 16-bit boundary
        else:
            for index in literal:
                out += bytes((1, index))
        i = j
    out += b"\x00\x00"
    return out


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    source, width, height, target = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    with open(source, "rb") as f:
        data = f.read()
    if len(data) != width * height * 4:
        sys.exit("make_bitmap: %s is not %dx%d RGBA" % (source, width, height))
    rows = pixels_of(data, width, height)
    palette = []
    index_of = {}
    for row in rows:
        for colour in row:
            if colour not in index_of:
                index_of[colour] = len(palette)
                palette.append(colour)
    if len(palette) > 256:
        sys.exit("make_bitmap: %d colours, more than 256" % len(palette))
    indices = [[index_of[c] for c in row] for row in reversed(rows)]  # bottom-up

    stride = (width + 3) & ~3
    raw = b"".join(bytes(row) + bytes(stride - width) for row in indices)
    rle = b"".join(rle8_row(row) for row in indices)[:-2] + b"\x00\x01"  # the last line ends the bitmap
    compression, bits = (1, rle) if len(rle) < len(raw) else (0, raw)

    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, compression, len(bits), 2835, 2835,
                       len(palette), 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(target, "wb") as f:
        f.write(header + info + colours + bits)


if __name__ == "__main__":
    main()
