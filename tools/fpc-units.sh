#!/bin/sh
# Builds Free Pascal's Windows units (system, windows, messages, sysutils and the rest of
# buildrtl) from the fpc-source package into OUT/units: Debian ships the compiler without them.
# For win32 it first builds the cross compiler OUT/ppcross386 with the native x86-64 compiler;
# Debian's compiler sources lack msgtxt.inc, which msg2inc makes from the installed errore.msg.
#   tools/fpc-units.sh PPCX64 FPCSRC ERRORE_MSG 32|64 OUT
# Quiet: the compilers' output goes to OUT/build.log, shown when a step fails.
set -eu

ppcx64=$1
src=$2
messages=$3
bits=$4
out=$5

mkdir -p "$out/units"
log=$out/build.log
: >"$log"
run() {
    "$@" >>"$log" 2>&1 || {
        cat "$log" >&2
        echo "fpc-units.sh: failed: $*" >&2
        exit 1
    }
}

if [ "$bits" = 32 ]; then
    compiler=$out/ppcross386
    tool=$out/compiler
    mkdir -p "$tool"
    run "$ppcx64" -FE"$tool" -FU"$tool" "$src/compiler/utils/msg2inc.pp"
    (cd "$tool" && run ./msg2inc "$messages" msg msg)
    run "$ppcx64" -di386 -Fi"$tool" -Fi"$src/compiler" -Fu"$src/compiler" -Fu"$src/compiler/i386" \
        -Fu"$src/compiler/x86" -Fu"$src/compiler/systems" -Fi"$src/compiler/i386" \
        -FU"$tool" -o"$compiler" "$src/compiler/pp.pas"
    target=win32
    cpu=i386
else
    compiler=$ppcx64
    target=win64
    cpu=x86_64
fi

rtl=$src/rtl
set -- -n -T$target -P$cpu -FU"$out/units" -Fu"$out/units"
for dir in inc $cpu win win/wininc objpas $target; do
    set -- "$@" -Fi"$rtl/$dir" -Fu"$rtl/$dir"
done
set -- "$@" -Fi"$rtl/objpas/sysutils" -Fi"$rtl/objpas/classes"
run "$compiler" "$@" -Us -Sg "$rtl/$target/system.pp"
run "$compiler" "$@" "$rtl/inc/uuchar.pp"
run "$compiler" "$@" "$rtl/objpas/objpas.pp"
run "$compiler" "$@" "$rtl/$target/buildrtl.pp"
