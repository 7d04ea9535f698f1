#!/usr/bin/env bash
# Builds the Velmora user guide, VelmoraHelp.pdf, from docs/help/velmora-help.ms.
#
#   docs/build-help.sh OUT.pdf [SCREENSHOT.png]
#
# The screenshot of the main window (normally docs/main-window.png) becomes Figure 1.
# If it is not given or does not exist, the guide is built without the figure and a note
# goes to stderr.
#
# Route: PNG -> EPS (netpbm: pngtopnm, pnmtops), then groff -t -ms -Tps, then ps2pdf
# (ghostscript). ImageMagick is not used: Debian's policy forbids it to write PS, EPS or PDF.
# Needs: groff, ghostscript, netpbm (apt-get install -y groff ghostscript netpbm).
#
# The output is reproducible: dates come from SOURCE_DATE_EPOCH (default: the last commit
# of the guide's source, else the source file's modification time) and the PDF has no /ID.
set -euo pipefail

usage() {
    echo "usage: $0 OUT.pdf [SCREENSHOT.png]" >&2
    exit 2
}

[[ $# -ge 1 && $# -le 2 && -n $1 ]] || usage

docs_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_ms=$docs_dir/help/velmora-help.ms
out=$1
screenshot=${2:-}

[[ -f $source_ms ]] || { echo "$0: missing $source_ms" >&2; exit 1; }

need() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$0: '$tool' not found; install it with: apt-get install -y groff ghostscript netpbm" >&2
            exit 1
        fi
    done
}
need groff tbl ps2pdf

# The output path, made absolute before anything changes directory.
out_dir=$(dirname -- "$out")
[[ -d $out_dir ]] || { echo "$0: output folder $out_dir does not exist" >&2; exit 1; }
out=$(cd "$out_dir" && pwd)/$(basename -- "$out")

if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    SOURCE_DATE_EPOCH=$(git -C "$docs_dir" log -1 --format=%ct -- "$source_ms" 2>/dev/null || true)
    [[ -n $SOURCE_DATE_EPOCH ]] || SOURCE_DATE_EPOCH=$(stat -c %Y "$source_ms")
fi
export SOURCE_DATE_EPOCH

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-help.XXXXXX")
trap 'rm -rf -- "$work"' EXIT

groff_args=(-t -ms -Tps -dpaper=a4 -P-pa4)

if [[ -n $screenshot && -f $screenshot ]]; then
    need pngtopnm pnmtops
    # One screen pixel becomes 0.75 pt (96 dpi), so the figure shows the window at its
    # on-screen size; the guide shrinks it if it is wider than the text or higher than 11 cm.
    # -nocenter puts the picture at the origin, so the bounding box is just the picture;
    # -noturn keeps a wide window upright; -nosetpage keeps the EPS free of page-device changes.
    pngtopnm -quiet -mix -- "$screenshot" >"$work/main-window.pnm"
    pnmtops -quiet -noturn -nocenter -nosetpage -equalpixels -dpi=96 \
        "$work/main-window.pnm" >"$work/main-window.eps"
    if ! grep -q '^%%BoundingBox: 0 0 [1-9][0-9]* [1-9][0-9]*' "$work/main-window.eps"; then
        echo "$0: pnmtops gave no usable bounding box for $screenshot" >&2
        exit 1
    fi
    groff_args+=("-dscreenshot=$work/main-window.eps")
else
    echo "$0: note: screenshot '${screenshot:-<none given>}' not found; building the guide without Figure 1" >&2
fi

groff "${groff_args[@]}" "$source_ms" >"$work/velmora-help.ps"

# Screenshots stay lossless (Flate, no downsampling); fonts are embedded; no /ID, so that
# two builds of the same source give the same bytes.
ps2pdf \
    -dCompatibilityLevel=1.4 \
    -sPAPERSIZE=a4 \
    -dAutoRotatePages=/None \
    -dEmbedAllFonts=true \
    -dAutoFilterColorImages=false -dColorImageFilter=/FlateEncode -dDownsampleColorImages=false \
    -dAutoFilterGrayImages=false -dGrayImageFilter=/FlateEncode -dDownsampleGrayImages=false \
    -dOmitID=true \
    "$work/velmora-help.ps" "$work/velmora-help.pdf"

mv -f -- "$work/velmora-help.pdf" "$out"
echo "$0: wrote $out" >&2
