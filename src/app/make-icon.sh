#!/usr/bin/env bash
# Draws the program icon and writes velmora.ico beside this script: one 32 x 32 image with a
# 256-colour palette and a transparency mask. Needs ImageMagick and python3.
# The picture: an orange tile in the window's colour, a registration file on it, and a blue V.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

convert -size 32x32 xc:none \
    -fill '#FFC080' -stroke '#0000C0' -strokewidth 1 -draw 'roundrectangle 0.5,0.5 31.5,31.5 5,5' \
    -fill white -stroke '#505050' -draw 'polygon 7.5,3.5 20.5,3.5 25.5,8.5 25.5,28.5 7.5,28.5' \
    -fill '#D0D0D0' -draw 'polygon 20.5,3.5 20.5,8.5 25.5,8.5' \
    -stroke '#40C040' -strokewidth 2 -draw 'line 10,7 18,7' \
    -stroke '#FF80FF' -draw 'line 10,11 22,11' \
    -stroke none -fill '#0000C0' -draw 'polygon 9,14 13.5,14 16.5,22.5 19.5,14 24,14 18.5,27 14.5,27' \
    -colors 255 "$tmp/icon.png"
convert "$tmp/icon.png" -depth 8 rgba:"$tmp/icon.rgba"

python3 - "$tmp/icon.rgba" velmora.ico <<'PY'
import struct, sys

size = 32
rgba = open(sys.argv[1], "rb").read()
pixels = [rgba[i:i + 4] for i in range(0, len(rgba), 4)]
opaque = [p[3] >= 128 for p in pixels]
palette = sorted({p[:3] for p, o in zip(pixels, opaque) if o})
assert len(palette) <= 256, len(palette)
index = {colour: i for i, colour in enumerate(palette)}

rows = []
mask_rows = []
for y in reversed(range(size)):  # bitmaps are stored bottom-up
    row = pixels[y * size:(y + 1) * size]
    rows.append(bytes(index[p[:3]] if p[3] >= 128 else 0 for p in row))
    bits = 0
    for x, p in enumerate(row):
        if p[3] < 128:
            bits |= 1 << (31 - x)
    mask_rows.append(struct.pack(">I", bits))

header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette).ljust(256 * 4, b"\0")
image = header + colours + b"".join(rows) + b"".join(mask_rows)
directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image), 22)
open(sys.argv[2], "wb").write(directory + image)
PY
