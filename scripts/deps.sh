#!/usr/bin/env bash
# Installs what building, running and testing Tallimo Win9 needs on Debian 12, skipping what is
# already there. Runs as root, or through sudo when it is available.
set -euo pipefail
# qt6-base-dev brings Qt Network and its OpenSSL backend; ca-certificates is the store that
# downloads verify certificates against (the tests use a certificate of their own).
packages=(build-essential cmake ninja-build ccache qt6-base-dev ca-certificates libgl-dev
          libgtest-dev libbenchmark-dev libboost-math-dev libcsv-dev clang libclang-rt-14-dev clang-format
          xvfb xauth xdotool x11-utils poppler-utils fonts-dejavu-core
          dpkg-dev file man-db librsvg2-bin desktop-file-utils appstream shared-mime-info lintian)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
