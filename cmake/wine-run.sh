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
# Wine converts file names between Windows and Unix through the Unix locale's character set: without a UTF-8
# locale (LANG unset, as in containers, cron and env -i) it cannot create a file named with, say, "♪". The same
# locale for every caller also gives the programs the same Windows locale. C.UTF-8 is built into glibc.
export LC_ALL=C.UTF-8
unset LANGUAGE
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"

mkdir -p "$prefix"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "$wine" wineboot --init >"$prefix/../wine-prefix.log" 2>&1 </dev/null || true
    "$wineserver" -w
  fi
  # Wine's desktop stays on the X display its server started with: a server started without one (by a build's
  # test discovery, say) leaves every later window and Direct2D target without one. A program that has a display
  # replaces a server started on none or on another.
  if [ -n "${DISPLAY:-}" ] && [ "$(cat "$prefix.display" 2>/dev/null || true)" != "$DISPLAY" ]; then
    "$wineserver" -k >/dev/null 2>&1 </dev/null 9>&- || true
    "$wineserver" -w >/dev/null 2>&1 </dev/null 9>&- || true
  fi
  # Exit status 0: a new server, whose first program starts the background processes.
  if "$wineserver" -p60 >/dev/null 2>&1 </dev/null 9>&-; then
    printf '%s\n' "${DISPLAY:-}" >"$prefix.display"
    "$wine" wineboot >/dev/null 2>&1 </dev/null 9>&- || true
  fi
) 9>"$prefix.lock"

exec "$wine" "$@"
