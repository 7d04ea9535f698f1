#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when any is missing.
# Idempotent and silent when everything is present.
set -euo pipefail

packages=(
    cmake g++ make googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang lld libclang-rt-14-dev clang-format
    g++-mingw-w64-x86-64 wine wine64
    xvfb xauth xdotool xclip x11-utils imagemagick
    groff ghostscript netpbm fonts-wine fonts-liberation unzip
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "setup: cannot install ${missing[*]}: not root and no sudo; install them and run again" >&2
        exit 1
    fi
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
apt_install() { "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >/tmp/velmora-setup.log 2>&1; }
if ! apt_install; then
    # A fresh machine may have no package lists yet.
    "${sudo[@]}" apt-get update -q >>/tmp/velmora-setup.log 2>&1 || true
    if ! apt_install; then
        echo "setup: apt-get could not install ${missing[*]}; see /tmp/velmora-setup.log" >&2
        exit 1
    fi
fi
