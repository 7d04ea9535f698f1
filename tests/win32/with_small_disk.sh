#!/usr/bin/env bash
# Runs a Win32 test program under Wine with a 64 KiB file system mounted for it, so that a full disk
# is a real one: VELMORA_SMALL_DISK names the folder as Wine sees it. Mounting needs root (CI has it).
#   with_small_disk.sh FOLDER PROGRAM [ARGUMENTS...]
set -euo pipefail
folder=$(realpath -m "$1")
shift
mkdir -p "$folder"
mount -t tmpfs -o size=64k velmora-small-disk "$folder"
trap 'umount "$folder"' EXIT
export VELMORA_SMALL_DISK="Z:${folder//\//\\}"
wine "$@"
