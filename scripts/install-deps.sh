#!/usr/bin/env bash
# Installs every Debian package Lindel needs to build, run and test.
# Does nothing when all of them are present already.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build ccache pkg-config clang libclang-rt-dev
  # libraries
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  librtmidi-dev libjack-jackd2-dev libasound2-dev
  nlohmann-json3-dev libcpp-httplib-dev libsqlite3-dev sqlite3 libssl-dev libcli11-dev libpq-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # test services and tools
  jackd2 xvfb xauth imagemagick xdotool postgresql
  appstream desktop-file-utils shared-mime-info libxml2-utils
  # man pages from the programs' --help, and the Debian package
  help2man dpkg-dev
  fonts-dejavu-core
  # the web catalogue's browser test
  chromium chromium-driver python3-selenium
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# jackd2 asks whether to enable realtime scheduling; answer without a prompt.
echo "jackd2 jackd/tweak_rt_limits boolean false" | $SUDO debconf-set-selections
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
