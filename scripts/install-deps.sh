#!/usr/bin/env bash
# Installs what building and testing tilecut needs beyond a fresh machine:
# libpng and CLI11 for tilecut-view. Safe to run again.
set -euo pipefail
packages=(libpng-dev libcli11-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi
