#!/bin/sh
# Runs a Windows program under Wine in a private prefix: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The prefix is made on first use (without Mono and Gecko, which nothing here needs). A wineserver is kept
# running for a while with its output on /dev/null: started by a program instead, it would inherit that
# program's output pipe and hold it open for seconds after the program ends. Stop it with
#   WINEPREFIX=PREFIX wineserver -k
set -eu
prefix="$1"
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"

mkdir -p "$prefix"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "$wine" wineboot --init >"$prefix/../wine-prefix.log" 2>&1 </dev/null || true
    "$wineserver" -w
  fi
  "$wineserver" -p60 >/dev/null 2>&1 </dev/null 9>&- || true
) 9>"$prefix.lock"

exec "$wine" "$@"
