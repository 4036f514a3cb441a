#!/bin/sh
# SPDX-License-Identifier: Zlib
# Installs the package for real, as the README says (`apt-get install ./…deb`, as root
# without sudo), into a throwaway minimal Debian root, so the machine running the tests
# keeps its own packages. There a user types `plorvik` in their home directory, under
# the Xvfb of this machine; Escape must end the game with status 0. Then the package is
# purged with what it pulled in, and nothing of it may be left.
#   clean_install.sh PACKAGE.deb
# Needs root, mmdebstrap and the Debian archive this machine uses; exits 77 (skipped)
# without root or mmdebstrap. The base root is made once (a few minutes) and cached, with
# the downloaded packages, in CLEAN_ROOM_CACHE (default /var/cache/clean-room, shared with
# ../shared/tools/clean-room).
set -eu
deb=$(readlink -f -- "$1")
[ "$(id -u)" -eq 0 ] || { echo "clean install: skipped, needs root" >&2; exit 77; }
command -v mmdebstrap >/dev/null || { echo "clean install: skipped, needs mmdebstrap" >&2; exit 77; }

cache=${CLEAN_ROOM_CACHE:-/var/cache/clean-room}
base=$cache/bookworm-apt.tar
mkdir -p "$cache/archives/partial"
(
    flock 9
    if [ ! -s "$base" ]; then
        set --
        [ -s /etc/apt/sources.list ] && set -- /etc/apt/sources.list
        for f in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
            [ -f "$f" ] && grep -q '^[^#]*deb' "$f" && set -- "$@" "$f"
        done
        echo "clean install: making the base root once (a few minutes)" >&2
        mmdebstrap --quiet --variant=apt --include=ca-certificates,git,sudo bookworm "$cache/partial.tar" "$@"
        mv "$cache/partial.tar" "$base"
    fi
) 9>"$cache/lock"

work=$(mktemp -d "${TMPDIR:-/tmp}/plorvik-clean-install.XXXXXX")
room=$work/root
mounted=""
cleanup() {
    [ -z "${xvfb:-}" ] || kill "$xvfb" 2>/dev/null || true
    for m in $mounted; do umount -l "$m" 2>/dev/null || true; done
    rm -rf --one-file-system "$work"
}
trap cleanup EXIT
trap "exit 1" HUP INT TERM
fail() {
    echo "clean install: $*" >&2
    exit 1
}
in_room() {
    chroot "$room" /usr/bin/env -i HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

mkdir "$room"
tar -xf "$base" -C "$room"
for m in proc sys dev dev/pts tmp/.X11-unix var/cache/apt/archives; do
    case $m in
    var/cache/apt/archives) from=$cache/archives ;;
    tmp/.X11-unix) from=/tmp/.X11-unix ;;
    *) from=/$m ;;
    esac
    mkdir -p "$room/$m" "$from"
    mount --bind "$from" "$room/$m"
    mounted="$room/$m $mounted"
done
cp /etc/resolv.conf "$room/etc/resolv.conf" 2>/dev/null || true
cp "$deb" "$room/tmp/"
name=$(basename "$deb")

# A player with a home, as a fresh user would have.
echo "player:x:1000:1000:Player:/home/player:/bin/sh" >>"$room/etc/passwd"
echo "player:x:1000:" >>"$room/etc/group"
mkdir -p "$room/home/player"
chown 1000:1000 "$room/home/player"

in_room apt-get update -qq >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get update failed"; }
in_room sh -c "cd /tmp && apt-get install -y -q --no-install-recommends ./$name" >>"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install ./$name failed"; }
in_room dpkg -L plorvik >"$work/files"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
DISPLAY=:$(cat "$work/display")
SDL_AUDIODRIVER=dummy # no sound card here
export DISPLAY SDL_AUDIODRIVER

# A login shell gives the user's PATH (with /usr/games) and starts in the home directory.
chroot "$room" runuser -l player -w DISPLAY,SDL_AUDIODRIVER -c plorvik >"$work/game.log" 2>&1 &
game=$!
window=""
for _ in $(seq 600); do # up to two minutes on a busy machine, unless the game ends first
    window=$(xdotool search --onlyvisible --name '^Plorvik$' 2>/dev/null | head -n 1) || true
    [ -z "$window" ] && kill -0 "$game" 2>/dev/null || break
    sleep 0.2
done
[ -n "$window" ] || { cat "$work/game.log"; fail "no window titled Plorvik"; }
timeout 10 xdotool windowfocus --sync "$window"
xdotool key Escape
status=0
wait "$game" || status=$?
[ "$status" -eq 0 ] || { cat "$work/game.log"; fail "the game exited with status $status"; }
if grep -E '^(WARN|CRITICAL):|doesn.t load' "$work/game.log" >&2; then
    fail "the game started without its data"
fi
[ -z "$(ls -A "$room/home/player")" ] || fail "the game left files in the home directory: $(ls -A "$room/home/player")"

in_room apt-get purge -y -q --autoremove plorvik >>"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get purge failed"; }
left=""
while read -r path; do
    [ -e "$room$path" ] || continue
    # Directories such as /usr/games stay when other packages own them too.
    [ -d "$room$path" ] && in_room dpkg -S "$path" >/dev/null 2>&1 && continue
    left="$left $path"
done <"$work/files"
[ -z "$left" ] || fail "left behind after purge:$left"
strays=$(find "$room" -xdev -name '*plorvik*' ! -path "$room/tmp/$name" ! -path "$room/var/log/*" ! -path "$room/var/lib/dpkg/*")
[ -z "$strays" ] || fail "left behind after purge: $strays"
echo "clean install: installed, played from the home directory, purged, nothing left"
