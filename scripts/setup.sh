#!/usr/bin/env bash
# Sets up a Debian machine for Zorvel Tintwise and builds it.
#   scripts/setup.sh run    install what is missing, build, start the program
#   scripts/setup.sh test   install what is missing, build, run every test, then all again under sanitizers
# Safe to run again: it installs only missing packages and rebuilds only what changed.
set -euo pipefail

mode=${1:-}
case "$mode" in
  run|test) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"

runtime_packages=(qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core fonts-liberation2)
build_packages=(g++ cmake make dpkg-dev debhelper) # the last two build the Debian package
test_packages=(libgtest-dev libgmock-dev xvfb xauth xdotool xclip imagemagick libx11-dev clang-format desktop-file-utils appstream)
test_packages+=(dbus-daemon at-spi2-core) # a bus for screen readers, so the accessibility test can listen
test_packages+=(lintian devscripts man-db) # the package test: lintian, hardening-check, lexgrog
test_packages+=(openbox x11-utils) # a real window manager for the end-to-end scenarios, and xprop to ask it
test_packages+=(weston xwayland qt6-wayland) # a Wayland desktop without a screen, with and without XWayland

packages=("${build_packages[@]}" "${runtime_packages[@]}")
[ "$mode" = test ] && packages+=("${test_packages[@]}")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S "$root" -B "$build" -DBUILD_TESTING=$([ "$mode" = test ] && echo ON || echo OFF) >/dev/null
cmake --build "$build" -j "$jobs"

if [ "$mode" = run ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Built $build/ZorvelFreeTintwise; on a machine without a display run: xvfb-run -a $build/ZorvelFreeTintwise" >&2
    exit 1
  fi
  exec "$build/ZorvelFreeTintwise"
fi

(cd "$build" && ctest --output-on-failure -j "$jobs")

# Everything again under AddressSanitizer and UndefinedBehaviorSanitizer, leaks included.
asan="$root/build-asan"
cmake -S "$root" -B "$asan" -DBUILD_TESTING=ON -DTINTWISE_SANITIZE=ON >/dev/null
cmake --build "$asan" -j "$jobs"
cd "$asan"
ctest --output-on-failure -j "$jobs" -E '^(format_check|package_test)$'
