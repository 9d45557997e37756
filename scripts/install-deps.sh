#!/bin/sh
# Installs the Debian 12 packages the build, the tests and the window need (srecord: its
# srec_cat is the tests' independent reference for HEX and S-record files; help2man makes the
# manual pages from the programs' --help; clang and its runtime libraries build the fuzz targets
# of scripts/fuzz.sh).
# Checks first, so a machine that has everything goes straight on.
set -eu

PACKAGES="build-essential cmake ninja-build pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6multimedia6 \
  libgl-dev libxkbcommon-dev \
  googletest libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev \
  srecord help2man clang libclang-rt-dev"

missing=""
for package in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
$SUDO apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
