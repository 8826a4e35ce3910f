#!/bin/sh
# Installs what building and testing need on Debian 12, and nothing when all is present.
# Runs apt-get as root, through sudo otherwise. Survives a day when the archive is out of step:
# lists that cannot be fetched are tried again and then done without, and an install that finds
# the two architectures' candidates at different versions is tried again from the base release.
set -eu

packages="cmake ninja-build g++ googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64
wine wine64 clang libclang-rt-14-dev llvm gnuplot-nox g++-i686-linux-gnu
fp-compiler fpc-source-3.2.2 python3 pkgconf $*"
# 32-bit Wine only where it can start; elsewhere the win32 tests that run programs skip.
wine32=""
# Asked before anything is installed, so that no binfmt hook of ours answers for the kernel.
if "$(dirname "$0")/runs-32bit.sh"; then
    wine32="wine32:i386"
    packages="$packages $wine32"
fi
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
apt_install() {
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -q "$@"
}
# A multiarch package must have the same version in both architectures: when one
# architecture's security list is missing, only the base release offers equal candidates.
install_or_pin() {
    apt_install "$@" && return 0
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    echo "install-deps.sh: trying again with the candidates of $release"
    apt_install -t "$release" "$@"
}

echo "installing:$missing$bare_missing"
if [ -n "$wine32" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $as_root dpkg --add-architecture i386
fi
tries=1
until $as_root apt-get update -q; do
    if [ "$tries" -ge 3 ]; then
        echo "install-deps.sh: some package lists could not be fetched; going on with those there are"
        break
    fi
    tries=$((tries + 1))
    sleep 10
done
[ -z "$missing" ] || install_or_pin $missing
[ -z "$bare_missing" ] || install_or_pin --no-install-recommends $bare_missing
