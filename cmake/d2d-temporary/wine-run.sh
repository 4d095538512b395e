#!/bin/sh
# TEMPORARY test emulator: runs a Windows program under Wine in the build folder's prefix. Output goes through
# a file, never straight into the caller's pipe, which a lingering wineserver would hold open for seconds.
prefix="$1"
shift
out=$(mktemp)
WINEPREFIX="$prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all /usr/lib/wine/wine64 "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
