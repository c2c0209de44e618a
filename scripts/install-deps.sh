#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, run and test, and nothing
# when all of them are already there. Run as root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libglm-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-format clang libclang-rt-14-dev
  qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins libgl-dev
  xvfb xauth libgl1-mesa-dri libglx-mesa0 libegl-mesa0 xdotool libxcb1-dev
  # The monkey test: python3 runs it, libX11 closes windows as a window manager does, gdb
  # reads the backtrace of a crash.
  python3 libx11-6 gdb
  # Sound: OpenAL Soft, loaded by the game when it starts.
  libopenal1
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
