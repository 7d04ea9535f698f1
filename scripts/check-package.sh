#!/usr/bin/env bash
# Makes the release zip of the mingw build with cpack and checks it: exactly the files a user
# gets, a readme with Windows line ends, and the SHA-256 file beside it verifies.
#   check-package.sh      (after a mingw build; the zip lands in build/mingw/package)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

folder=build/mingw/package
rm -rf "$folder"
cpack --preset mingw >/dev/null
zips=("$folder"/Velmora-*-win64.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || die "cpack made no single Velmora-*-win64.zip: ${zips[*]}"
zip=${zips[0]}

files=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
[ "$files" = "README.txt VelmoraHelp.pdf velmora.exe " ] || die "$zip holds [$files]"
! unzip -p "$zip" README.txt | grep -q -v $'\r$' || die "README.txt in $zip has lines without CR LF"
(cd "$folder" && sha256sum --quiet --strict -c "$(basename "$zip").sha256") || die "the checksum of $zip does not verify"
echo "check-package: $zip, $(stat -c %s "$zip") bytes: $files; SHA-256 verified"
