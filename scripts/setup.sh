#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12, as root or through sudo), then
# configures and builds the program and its tests in build/. Quick when all is present.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(g++ cmake ninja-build pkg-config ccache libwxgtk3.2-dev freeglut3-dev
  libglu1-mesa-dev libgl-dev libgl1-mesa-dri libgtest-dev libbenchmark-dev
  xvfb xauth povray povray-includes locales)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  # no pipe into grep -q: under pipefail an early grep exit can fail the pipeline
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  if [[ "$status" != *"install ok installed"* ]]; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A locale with decimal commas, for the tests that prove files never follow the user's locale.
if ! grep -qix 'de_DE\.utf-\?8' <<<"$(locale -a 2>/dev/null || true)"; then
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "warning: could not create de_DE.UTF-8"
fi

BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$BUILD_DIR"
