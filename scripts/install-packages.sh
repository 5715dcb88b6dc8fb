#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are not installed yet.
# Safe to run again: it asks apt-get for nothing when everything is there.
set -euo pipefail

missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ "${#missing[@]}" -gt 0 ] || exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# A mirror that is mid-sync fails one index now and then; the rest are enough.
$SUDO apt-get update -qq || $SUDO apt-get update -qq || true
# Another apt-get (an unattended upgrade) may hold the lock for a while: wait for it.
$SUDO apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=900 "${missing[@]}"
