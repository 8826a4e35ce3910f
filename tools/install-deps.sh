#!/bin/sh
# Installs what building and testing need on Debian 12, and nothing when all is present.
# Runs apt-get as root, through sudo otherwise.
set -eu

packages="cmake ninja-build g++ googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64
wine wine32:i386 wine64 clang libclang-rt-14-dev llvm gnuplot-nox g++-i686-linux-gnu
fp-compiler fpc-source-3.2.2 python3 pkgconf $*"
# Installed without their recommends: qemu-user's would register a binfmt hook for i386, and
# 32-bit Wine would then look runnable on a kernel that cannot execute 32-bit programs.
bare_packages="qemu-user"

missing=""
bare_missing=""
for package in $packages $bare_packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] && continue
    case " $bare_packages " in
    *" $package "*) bare_missing="$bare_missing $package" ;;
    *) missing="$missing $package" ;;
    esac
done
[ -n "$missing$bare_missing" ] || exit 0

as_root=""
[ "$(id -u)" -eq 0 ] || as_root=sudo
echo "installing:$missing$bare_missing"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $as_root dpkg --add-architecture i386
fi
$as_root apt-get update -q
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -q $missing
[ -z "$bare_missing" ] ||
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -q --no-install-recommends $bare_missing
