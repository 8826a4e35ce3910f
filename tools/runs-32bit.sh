#!/bin/sh
# Exits 0 when this kernel executes 32-bit x86 programs, 1 when it does not: runs a 93-byte
# static ELF of its own that only exits 0, so that it needs nothing installed.
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null || exit 1
