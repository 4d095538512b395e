#!/bin/sh
# Runs a Windows program under Wine in a private prefix: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The prefix is made on first use (without Mono and Gecko, which nothing here needs). The wineserver and
# Wine's own background processes (services, devices) are started here with their output on /dev/null:
# started by the program instead, they would inherit its output pipe and hold it open long after the
# program ends. The server stays for a minute after its last program, so a test run pays the start once.
# Stop it with
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
  # Exit status 0: a new server, whose first program starts the background processes.
  if "$wineserver" -p60 >/dev/null 2>&1 </dev/null 9>&-; then
    "$wine" wineboot >/dev/null 2>&1 </dev/null 9>&- || true
  fi
) 9>"$prefix.lock"

exec "$wine" "$@"
