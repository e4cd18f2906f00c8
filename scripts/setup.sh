#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the product. Idempotent.
# Usage: setup.sh [package]
#   package: also the tools that build the help file and the installers (chmcmd, makensis,
#            wixl, msitools), which the Wine tests of the installers and scripts/package.sh need.
source "$(dirname "$0")/lib.sh"
packages=(cmake ninja-build g++ clang googletest libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-x86-64-posix wine wine64 xvfb xdotool x11-apps x11-utils imagemagick
          python3 fonts-liberation)
case "${1:-}" in
  "") ;;
  package) packages+=(fp-utils-3.2.2 nsis wixl msitools) ;;
  *) echo "usage: setup.sh [package]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  step "apt-get update" "${sudo_cmd[@]}" apt-get update -qq
  step "installing ${missing[*]}" "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
