#!/usr/bin/env bash
# Draws the program icon and writes src/app/velmora.ico: one image for each size that a window needs
# from 96 to 192 DPI (16, 24, 32, 48 and 64 pixels), each with a 256-colour palette and a
# transparency mask. Needs ImageMagick and python3.
# The picture: an orange tile in the main window's colour, a registration file on it, and a V in the
# captions' blue. It is drawn on a 32-pixel grid, scaled to each size.
set -euo pipefail
cd "$(dirname "$0")/../src/app"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A design colour as #RRGGBB, read from the main window's layout, where the program takes it.
design() {
    local rgb
    rgb=$(sed -n "s/^inline constexpr Rgb $1{\([0-9]*\), \([0-9]*\), \([0-9]*\)};.*/\1 \2 \3/p" main_layout.h)
    [ -n "$rgb" ] || { echo "make-icon: main_layout.h has no colour $1" >&2; exit 1; }
    # shellcheck disable=SC2086
    printf '#%02X%02X%02X' $rgb
}
background=$(design kMainBackground)
blue=$(design kDarkBlue)
pink=$(design kPink)
green='#40C040' # darker than the Save button's face, which would hardly show on the white file

sizes=(16 24 32 48 64)
for size in "${sizes[@]}"; do
    scale=$(python3 -c "print($size / 32)")
    grid="affine $scale,0,0,$scale,0,0"
    convert -size "${size}x${size}" xc:none \
        -fill "$background" -stroke "$blue" -strokewidth 1 -draw "$grid roundrectangle 0.5,0.5 31.5,31.5 5,5" \
        -fill white -stroke '#505050' -draw "$grid polygon 7.5,3.5 20.5,3.5 25.5,8.5 25.5,28.5 7.5,28.5" \
        -fill '#D0D0D0' -draw "$grid polygon 20.5,3.5 20.5,8.5 25.5,8.5" \
        -stroke "$green" -strokewidth 2 -draw "$grid line 10,7 18,7" \
        -stroke "$pink" -draw "$grid line 10,11 22,11" \
        -stroke none -fill "$blue" -draw "$grid polygon 9,14 13.5,14 16.5,22.5 19.5,14 24,14 18.5,27 14.5,27" \
        -colors 255 "$tmp/icon.png"
    convert "$tmp/icon.png" -depth 8 rgba:"$tmp/$size.rgba"
done

python3 - "$tmp" velmora.ico "${sizes[@]}" <<'PY'
import struct, sys

folder, output, sizes = sys.argv[1], sys.argv[2], [int(s) for s in sys.argv[3:]]


def image(size):
    """A 256-colour bitmap (bottom-up, rows padded to 4 bytes) followed by its 1-bit mask."""
    rgba = open(f"{folder}/{size}.rgba", "rb").read()
    pixels = [rgba[i:i + 4] for i in range(0, len(rgba), 4)]
    opaque = [p[3] >= 128 for p in pixels]
    palette = sorted({p[:3] for p, o in zip(pixels, opaque) if o})
    assert len(palette) <= 256, len(palette)
    index = {colour: i for i, colour in enumerate(palette)}
    row_bytes = (size + 3) // 4 * 4
    mask_bytes = (size + 31) // 32 * 4
    rows = []
    mask_rows = []
    for y in reversed(range(size)):
        row = pixels[y * size:(y + 1) * size]
        rows.append(bytes(index[p[:3]] if p[3] >= 128 else 0 for p in row).ljust(row_bytes, b"\0"))
        bits = 0
        for x, p in enumerate(row):
            if p[3] < 128:
                bits |= 1 << (mask_bytes * 8 - 1 - x)
        mask_rows.append(bits.to_bytes(mask_bytes, "big"))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette).ljust(256 * 4, b"\0")
    return header + colours + b"".join(rows) + b"".join(mask_rows)


images = [image(size) for size in sizes]
directory = struct.pack("<HHH", 0, 1, len(images))
offset = len(directory) + 16 * len(images)
for size, data in zip(sizes, images):
    directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(data), offset)
    offset += len(data)
open(output, "wb").write(directory + b"".join(images))
PY
