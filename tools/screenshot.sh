#!/bin/sh
# Takes a picture of the demo window that README.md shows: runs the demo under Xvfb with Wine's
# X11 driver, lets it take the steps of its options, and saves the window as a PNG. Without
# options the steps are the list view's: the sample table sorted ascending with SortLbEx by the
# numbers of its second column, the header showing the arrow, a number looked up.
#   tools/screenshot.sh OUTPUT.png DEMO32.exe DEMO64.exe [DEMO_OPTIONS...]
# The 32-bit demo is taken where this machine can run it, the 64-bit one otherwise. The Wine
# prefix is one of its own (TOLVARENKIS_SCREENSHOT_PREFIX, default build/wineprefix-x11): the
# tests' prefix has no display driver.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${TOLVARENKIS_IN_XVFB:-}" ]; then
    TOLVARENKIS_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 800x600x24" "$0" "$@"
fi

output=$1
demo32=$2
demo64=$3
shift 3
title="Tolvarenkis demo"
[ $# -gt 0 ] || set -- --listview --numbers --column 2 --sort ascending --look 12
polls=240        # of half a second each
settle_seconds=2 # for the window to paint once it is mapped
skipped=77       # wine-run.sh: this loader cannot run here

export TOLVARENKIS_WINEPREFIX="${TOLVARENKIS_SCREENSHOT_PREFIX:-$here/build/wineprefix-x11}"
export TOLVARENKIS_WINE_GRAPHICS=x11
wine_run=$here/cmake/wine-run.sh

window_id() {
    xwininfo -name "$title" 2>/dev/null | sed -n 's/.*Window id: \(0x[0-9a-fA-F]*\).*/\1/p'
}

bits=32
"$wine_run" $bits "$demo32" "$@" &
demo=$!
window=""
for _ in $(seq $polls); do
    window=$(window_id)
    [ -n "$window" ] && break
    if ! kill -0 $demo 2>/dev/null; then
        status=0
        wait $demo || status=$?
        if [ $status -eq $skipped ] && [ $bits = 32 ]; then
            echo "(taking the 64-bit build instead)" >&2
            bits=64
            "$wine_run" $bits "$demo64" "$@" &
            demo=$!
            continue
        fi
        echo "screenshot.sh: the demo ended (status $status) before its window appeared" >&2
        exit 1
    fi
    sleep 0.5
done
if [ -z "$window" ]; then
    echo "screenshot.sh: no window \"$title\" appeared" >&2
    "$wine_run" --shutdown
    exit 1
fi

sleep $settle_seconds
mkdir -p "$(dirname "$output")"
import -window "$window" "$output"
"$wine_run" --shutdown
wait $demo 2>/dev/null || true
echo "screenshot.sh: $output ($bits-bit demo)"
