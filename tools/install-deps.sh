#!/bin/sh
# Installs what building and testing need on Debian 12, and nothing when all is present.
# Runs apt-get as root, through sudo otherwise.
set -eu

packages="cmake ninja-build g++ googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64
wine wine32:i386 wine64 $*"

missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing="$missing $package"
done
[ -n "$missing" ] || exit 0

as_root=""
[ "$(id -u)" -eq 0 ] || as_root=sudo
echo "installing:$missing"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $as_root dpkg --add-architecture i386
fi
$as_root apt-get update -q
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -q $missing
