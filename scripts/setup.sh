#!/usr/bin/env bash
# Installs, only where missing, the Debian packages that the build and the tests need.
# Safe to run again: it does nothing when everything is present.
set -euo pipefail

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

native_pkgs=(cmake make ccache g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev)
mingw_pkgs=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
            g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
wine_pkgs=(wine wine64 wine32:i386 xvfb x11-utils xdotool imagemagick libcap2-bin procps)

missing=()
for p in "${native_pkgs[@]}" "${mingw_pkgs[@]}" "${wine_pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
