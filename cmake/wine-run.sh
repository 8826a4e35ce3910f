#!/bin/bash
# Runs a Windows program under Wine in the build tree's own prefix, without a display.
#   wine-run.sh 32|64 PROGRAM [ARGS...]   run PROGRAM with the 32- or 64-bit loader
#   wine-run.sh --shutdown                end the prefix's Wine server
# Exits 77 (a skipped test) only for a 32-bit run on a kernel that cannot execute 32-bit
# programs, whether the 32-bit loader is installed or not; a missing or broken Wine otherwise
# fails, so no suite passes without the DLL having run.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${TOLVARENKIS_WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its ANSI code page from the locale: C gives 1252.
export LC_ALL=C
# The prefix's graphics driver, set when the prefix is made: none, or x11 for a display.
graphics="${TOLVARENKIS_WINE_GRAPHICS:-null}"

# The first of the named programs in TOLVARENKIS_WINE_DIR, then where Debian keeps the loaders
# of both bitnesses side by side, then on PATH (where a WoW64 Wine has one loader for both).
find_wine() {
    local name dir
    for name; do
        for dir in ${TOLVARENKIS_WINE_DIR:-} /usr/lib/wine /usr/lib64/wine ${PATH//:/ }; do
            if [ -f "$dir/$name" ] && [ -x "$dir/$name" ]; then
                echo "$dir/$name"
                return 0
            fi
        done
    done
    return 1
}

runs() { [ -n "$1" ] && "$1" --version >/dev/null 2>&1; }

loader64=$(find_wine wine64 wine || true)
server=$(find_wine wineserver64 wineserver wineserver32 || true)

if [ "$1" = --shutdown ]; then
    [ -d "$WINEPREFIX" ] && [ -n "$server" ] && "$server" -k 2>/dev/null || true
    exit 0
fi

bits=$1
shift
case $bits in
32)
    # Where the kernel cannot execute 32-bit programs, make deps installs no 32-bit Wine, and
    # Debian's wine wrapper would hand the program to the 64-bit loader: a skip, unless the
    # host names a Wine of its own (a WoW64 build runs 32-bit programs on such a kernel).
    if [ -z "${TOLVARENKIS_WINE_DIR:-}" ] && ! "$here/../tools/runs-32bit.sh"; then
        echo "skipped: this machine cannot execute 32-bit programs" >&2
        exit 77
    fi
    loader=$(find_wine wine || true) ;;
64) loader=$loader64 ;;
*) echo "wine-run.sh: unknown bitness $bits" >&2; exit 2 ;;
esac
if [ -z "$loader" ] || [ -z "$server" ]; then
    echo "wine-run.sh: no $bits-bit Wine found: install wine, wine64 and wine32:i386 (make deps does)" >&2
    exit 1
fi
# bash answers 126 when the kernel refuses a program's format, as one built without 32-bit
# support refuses the 32-bit loader.
status=0
"$loader" --version >/dev/null 2>&1 || status=$?
if [ "$bits" = 32 ] && [ "$status" -eq 126 ]; then
    echo "skipped: this machine cannot execute 32-bit programs ($loader)" >&2
    exit 77
elif [ "$status" -ne 0 ]; then
    echo "wine-run.sh: $loader does not start (exit status $status)" >&2
    exit 1
fi

# The prefix is made once, by whichever run comes first; a 64-bit prefix serves both loaders.
mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.tolvarenkis-ready" ]; then
        maker=$loader
        runs "$loader64" && maker=$loader64
        "$maker" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$graphics" /f >/dev/null 2>&1
        "$server" -w
        touch "$WINEPREFIX/.tolvarenkis-ready"
    fi
) 9>"$WINEPREFIX.lock"

exec "$loader" "$@"
