#!/bin/sh
# Runs a Windows program under Wine in the build tree's own prefix, without a display.
#   wine-run.sh 32|64 PROGRAM [ARGS...]   run PROGRAM with the 32- or 64-bit loader
#   wine-run.sh --shutdown                end the prefix's Wine server
# Exits 77 (a skipped test) when this machine cannot run that loader.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${TOLVARENKIS_WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its ANSI code page from the locale: C gives 1252.
export LC_ALL=C
# The prefix's graphics driver, set when the prefix is made: none, or x11 for a display.
graphics="${TOLVARENKIS_WINE_GRAPHICS:-null}"

runs() { [ -x "$1" ] && "$1" --version >/dev/null 2>&1; }

server=/usr/lib/wine/wineserver64
runs /usr/lib/wine/wine64 || server=/usr/lib/wine/wineserver32

if [ "$1" = --shutdown ]; then
    [ -d "$WINEPREFIX" ] && "$server" -k 2>/dev/null || true
    exit 0
fi

bits=$1
shift
case $bits in
32) loader=/usr/lib/wine/wine ;;
64) loader=/usr/lib/wine/wine64 ;;
*) echo "wine-run.sh: unknown bitness $bits" >&2; exit 2 ;;
esac
if ! runs "$loader"; then
    echo "skipped: this machine cannot run $bits-bit Wine ($loader)" >&2
    exit 77
fi

# The prefix is made once, by whichever run comes first; a 64-bit prefix serves both loaders.
mkdir -p "$(dirname "$WINEPREFIX")"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.tolvarenkis-ready" ]; then
        maker=$loader
        runs /usr/lib/wine/wine64 && maker=/usr/lib/wine/wine64
        "$maker" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$graphics" /f >/dev/null 2>&1
        "$server" -w
        touch "$WINEPREFIX/.tolvarenkis-ready"
    fi
) 9>"$WINEPREFIX.lock"

exec "$loader" "$@"
