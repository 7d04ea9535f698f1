#!/usr/bin/env bash
# Builds velmora.exe and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset mingw --log-level=WARNING >/dev/null
cmake --build --preset mingw -j"$(nproc)" >/dev/null
echo "run: the main window is not built yet; the core and the registration-file writer are (see scripts/test.sh)"
