#!/usr/bin/env bash
# Installs the Debian 12 packages the suite builds and tests with, only those that are missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools libsqlite3-dev sqlite3 libssl-dev
    libgtest-dev libgmock-dev
    libtiff-dev libqpdf-dev libgsf-1-dev
    cups cups-client printer-driver-cups-pdf
    fonts-liberation2 fonts-ipafont-gothic
    poppler-utils libtiff-tools qpdf python3 python3-xlrd binutils unrtf
    mdbtools-dev mdbtools
    dpkg-dev fakeroot lintian desktop-file-utils appstream xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
