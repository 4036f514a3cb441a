#!/bin/sh
# SPDX-License-Identifier: Zlib
# Looks at the built package the way Debian's tools and software centres do.
#   read_package_documents.sh manual PACKAGE.deb     the manual page renders with man -l, warning-free
#   read_package_documents.sh metainfo PACKAGE.deb   the AppStream metadata, its menu entry and icons
#                                             pass appstreamcli validate-tree --pedantic
set -eu
what=$1
deb=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/plorvik-inspect.XXXXXX")
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"

case $what in
manual)
    page=$work/root/usr/share/man/man6/plorvik.6.gz
    MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$work/page" 2>"$work/warnings"
    cat "$work/page"
    if [ -s "$work/warnings" ]; then
        cat "$work/warnings" >&2
        exit 1
    fi
    for heading in NAME SYNOPSIS DESCRIPTION CONTROLS FILES DIAGNOSTICS "EXIT STATUS"; do
        grep -qx "$heading" "$work/page" || { echo "no $heading section" >&2; exit 1; }
    done
    ;;
metainfo)
    appstreamcli validate-tree --pedantic --no-net "$work/root"
    ;;
*)
    echo "read_package_documents.sh: manual or metainfo, not '$what'" >&2
    exit 2
    ;;
esac
