#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need (listed in .ci/packages.txt).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
grep -v '^\s*\(#\|$\)' "$root/.ci/packages.txt" | sort -u | xargs $sudo apt-get install -y --no-install-recommends
