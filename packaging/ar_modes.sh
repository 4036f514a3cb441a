#!/bin/sh
# SPDX-License-Identifier: Zlib
# Sets the mode of every member of a .deb (an ar archive) to 644 in place: cpack takes the
# members' modes from the umask, and the package's bytes must not depend on who built it.
#   ar_modes.sh PACKAGE.deb
set -eu
deb=$1
end=$(wc -c <"$deb")
offset=8 # past "!<arch>\n"
while [ "$offset" -lt "$end" ]; do
    # A member header: name 16, date 12, owner 6, group 6, mode 8, size 10, magic 2 bytes.
    size=$(dd if="$deb" bs=1 skip=$((offset + 48)) count=10 2>/dev/null | tr -d ' ')
    printf '100644  ' | dd of="$deb" bs=1 seek=$((offset + 40)) conv=notrunc 2>/dev/null
    offset=$((offset + 60 + size + size % 2))
done
