#!/usr/bin/env bash
# Builds and runs the whole test suite (./test.sh) against the SDL 1.2 that distributions ship
# now, libsdl1.2-compat (SDL 1.2 over SDL 2), without touching this machine's own SDL: a
# throw-away Debian root is made with debootstrap from the mirror this machine's apt sources
# name, the project is copied in, ./test.sh runs there (chroot with /proc, /dev and /dev/pts
# mounted), and the root is removed at the end. Needs root rights. Slow: a full sanitizer build.
# Usage: scripts/sdl-compat-check.sh [--keep DIR] [extra ./test.sh arguments]
#   --keep DIR  builds the root in DIR and keeps it (a second run reuses it and its build).
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)
[ "$(id -u)" -eq 0 ] || { echo "Run as root (debootstrap and chroot need it)." >&2; exit 1; }

keep=""
if [ "${1:-}" = "--keep" ]; then keep=$2; shift 2; fi

source scripts/deps.sh
marbles_install_packages debootstrap

# The first Debian mirror in this machine's apt sources (one-line or deb822 format).
mirror=$({ cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true; } |
    awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i ~ /^https?:/) { print $i; exit } }')
if [ -z "$mirror" ]; then
    mirror=$({ cat /etc/apt/sources.list.d/*.sources 2>/dev/null || true; } |
        awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i !~ /security/) { print $i; exit } }')
fi
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
[ -n "$mirror" ] || { echo "No Debian mirror found in /etc/apt/sources.list*." >&2; exit 1; }

root=${keep:-$(mktemp -d /var/tmp/marbles-sdlcompat.XXXXXX)}
mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
    [ -z "$keep" ] && rm -rf --one-file-system "$root"
    return 0
}
trap cleanup EXIT

start=$(date +%s)
if [ ! -x "$root/usr/bin/apt-get" ]; then
    echo "== debootstrap $suite from $mirror into $root"
    debootstrap --variant=minbase "$suite" "$root" "$mirror" > "$root.debootstrap.log" 2>&1 ||
        { tail -n 30 "$root.debootstrap.log"; exit 1; }
    rm -f "$root.debootstrap.log"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
for dir in proc dev dev/pts; do
    mkdir -p "$root/$dir"
    case $dir in
        proc) mount -t proc proc "$root/proc" ;;
        dev) mount --bind /dev "$root/dev" ;;
        dev/pts) mount -t devpts devpts "$root/dev/pts" ;;
    esac
    mounted+=("$root/$dir")
done

echo "== Installing the compat SDL and copying the project in"
chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive sh -c \
    'apt-get update -q > /dev/null && apt-get install -y -q --no-install-recommends libsdl1.2-compat-dev > /dev/null'
mkdir -p "$root/marbles"
# A kept root keeps its build-test/ (the next build is incremental) and gets fresh sources.
find "$root/marbles" -mindepth 1 -maxdepth 1 ! -name build-test -exec rm -rf {} +
(cd "$project" && tar --exclude="./build*" --exclude=./.git -cf - .) | tar -xf - -C "$root/marbles"
ready=$(date +%s)

echo "== ./test.sh against $(chroot "$root" dpkg-query -W -f='${Package} ${Version}' libsdl1.2-compat-dev)"
status=0
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    sh -c 'cd /marbles && ./test.sh "$@"' test.sh "$@" || status=$?
end=$(date +%s)
echo "== SDL compat check: exit $status (root ready in $((ready - start)) s, tests $((end - ready)) s)"
exit "$status"
