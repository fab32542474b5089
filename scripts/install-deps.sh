#!/usr/bin/env bash
# Installs every Debian package Vendamo needs to build, test and run.
# Idempotent: it does nothing (and prints nothing) when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libqt6opengl6-dev
  libgl-dev libjpeg-dev libgtest-dev googletest libbenchmark-dev
  postgresql libpq-dev libsqlite3-dev
  fonts-liberation2 fonts-dejavu-core fontconfig
  poppler-utils xvfb xauth
  zlib1g-dev libharfbuzz-dev qpdf
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
