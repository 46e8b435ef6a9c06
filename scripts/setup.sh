#!/usr/bin/env bash
# Installs what building, running and testing ZorvelDeck needs on Debian 12 (root or sudo).
set -euo pipefail
packages=(build-essential cmake pkg-config qtbase5-dev qttools5-dev qttools5-dev-tools libhidapi-dev libudev-dev
          fonts-wqy-microhei xvfb xauth
          dpkg-dev desktop-file-utils appstream lintian # packaging: dpkg-shlibdeps, validators
          libbenchmark-dev                              # bench/: Google Benchmark
          qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools libgl-dev) # -DZD_QT6=ON
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
