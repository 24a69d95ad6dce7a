#!/usr/bin/env bash
# Installs with apt-get what building and testing NAVORA needs; with --tools,
# also what the data-preparation and reference tools in tools/ need.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build make
  clang libclang-rt-14-dev              # fuzzing and sanitizer runtime
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libgeographiclib-dev                  # independent geodesy, tests only
  qt6-base-dev qt6-base-dev-tools libgl-dev   # the desktop program
  qt6-qpa-plugins fonts-dejavu-core xauth xvfb # offscreen tests and screenshots
)
if [[ "${1:-}" == "--tools" ]]; then
  packages+=(python3 python3-numpy python3-erfa python3-astropy python3-casacore casacore-data-jpl-de405)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
