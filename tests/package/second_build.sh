#!/bin/sh
# SPDX-License-Identifier: Zlib
# Builds the package a second time, later, from a copy of the source in another directory
# and under another umask, and expects the same bytes as the package in the build tree.
# The second tree follows the README as a new user would: it builds only the game (as
# tools/play does), installs for the user, then runs cpack, which must build no test or
# benchmark on the way.
#   second_build.sh SOURCE_DIR BUILD_DIR PACKAGE_FILE
set -eu
source_dir=$1
build_dir=$2
package=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/plorvik-second-build.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap "exit 1" HUP INT TERM
fail() {
    echo "second build: $*" >&2
    exit 1
}

# The files the first build saw: tracked ones and new ones git does not ignore.
mkdir "$work/source"
git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
    tar -C "$source_dir" --null --files-from=- --ignore-failed-read -cf - |
    tar -C "$work/source" -xf -
# The copy has no history, so it is given the last commit's date that the first build took.
SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build_dir/CMakeCache.txt")

umask 0002
cd "$work"
cmake -S source -B build -DCMAKE_BUILD_TYPE="$build_type" >configure.log 2>&1 || { cat configure.log; fail "configure failed"; }
cmake --build build -j2 --target plorvik >build.log 2>&1 || { cat build.log; fail "building the game failed"; }

cmake --install build --prefix "$work/home/.local" >install.log 2>&1 ||
    { cat install.log; fail "cmake --install right after building the game failed"; }
exec_line=$(grep '^Exec=' "$work"/home/.local/share/applications/*.desktop)
[ "$exec_line" = "Exec=\"$work/home/.local/games/plorvik\"" ] || fail "the menu entry says '$exec_line'"

cpack --config build/CPackConfig.cmake -B build/package >cpack.log 2>&1 || { cat cpack.log; fail "cpack failed"; }
extra=$(find build/tests build/bench build/tools/CMakeFiles -name '*.o' 2>/dev/null | head -n 3)
[ -z "$extra" ] || fail "cpack built tests or benchmarks: $extra"

if ! cmp "$build_dir/package/$package" "build/package/$package"; then
    for deb in "$build_dir/package/$package" "build/package/$package"; do
        ar tv "$deb"
        dpkg-deb --ctrl-tarfile "$deb" | tar --full-time -tvf -
        dpkg-deb --fsys-tarfile "$deb" | tar --full-time -tvf -
    done >listing 2>&1
    cat listing >&2
    fail "the two packages differ"
fi
echo "second build: $package is the same byte for byte"
