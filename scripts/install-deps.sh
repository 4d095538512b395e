#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need (listed in .ci/packages.txt), or those
# of the package lists given as arguments (e.g. .ci/packages-windows.txt for the Windows cross build).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lists=("$@")
[ "${#lists[@]}" -gt 0 ] || lists=("$root/.ci/packages.txt")
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
cat "${lists[@]}" | grep -v '^\s*\(#\|$\)' | sort -u | xargs $sudo apt-get install -y --no-install-recommends
