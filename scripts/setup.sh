#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need, then
# configures and builds everything into build/ (the staged game is build/stage).
set -euo pipefail

KORVELIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KORVELIN_BUILD=${KORVELIN_BUILD:-$KORVELIN_ROOT/build}

KORVELIN_PACKAGES=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-mixer1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev
  libcurl4-openssl-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
  libpng-dev zlib1g-dev libx11-dev fonts-comfortaa
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-apps imagemagick python3
)

korvelin_install() {
  local missing=()
  for p in "${KORVELIN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

korvelin_build() {
  cmake -S "$KORVELIN_ROOT" -B "$KORVELIN_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$KORVELIN_BUILD" -j "$(nproc)"
}
