#!/usr/bin/env bash
# Runs a Win32 test program under Wine with a 64 KiB file system mounted for it, so that a full disk
# is a real one: VELMORA_SMALL_DISK names the folder as Wine sees it.
#   with_small_disk.sh FOLDER PROGRAM [ARGUMENTS...]
# The file system lives in a mount namespace of its own, gone with the test's last process. Root
# makes one directly; anyone else makes it inside an unprivileged user namespace, as root there,
# then runs Wine in a nested namespace under their own uid again: Wine refuses a prefix that its
# uid does not own, and its server's socket folder is named after that uid. The wineserver opens
# the files, so it must see the mount: the shared server of the prefix is stopped first, the test
# starts its own inside the namespace, and the shared one is brought up again after.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib.sh"
: "${WINEPREFIX:?}"
folder=$(realpath -m "$1")
shift
mkdir -p "$folder"

if [ "$(id -u)" -eq 0 ]; then
    enter=(unshare --mount --propagation private)
    as_self=()
elif unshare --user --map-root-user true 2>/dev/null; then
    enter=(unshare --user --map-root-user --mount)
    as_self=(unshare --user --map-user="$(id -u)" --map-group="$(id -g)")
else
    die "cannot mount the small disk that the full-disk test needs: not root, and this system refuses" \
        "an unprivileged user namespace (unshare --user); run as root or allow user namespaces"
fi

wineserver -k 2>/dev/null || true
wineserver -w
export VELMORA_SMALL_DISK="Z:${folder//\//\\}"
status=0
# shellcheck disable=SC2016 # expanded by the shells inside the namespace
"${enter[@]}" bash -c '
    folder=$1
    shift
    mount -t tmpfs -o size=64k velmora-small-disk "$folder" ||
        { echo "with_small_disk: mount of a tmpfs on $folder failed" >&2; exit 1; }
    exec "$@"' with_small_disk "$folder" "${as_self[@]}" \
    bash -c 'wine "$@"; status=$?; wineserver -k 2>/dev/null; exit $status' wine "$@" || status=$?
"$(dirname "$0")/../../scripts/wine-prefix.sh" up "$WINEPREFIX"
exit "$status"
