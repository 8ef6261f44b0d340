#!/usr/bin/env bash
# Builds the Debian package of the suite (CPack) and checks it with lintian. The package lands
# in $QV_BUILD_DIR/package (default build/package); install it with
#   apt install ./build/package/quorvex_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=${QV_BUILD_DIR:-build}
# A package is built without sanitizers and installs below /usr.
cmake -S . -B "$build" -G Ninja -DQV_SANITIZE=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build" -j "$(nproc)"

rm -f "$build"/package/quorvex_*.deb
cpack --config "$build/CPackConfig.cmake" -G DEB
deb=$(ls "$build"/package/quorvex_*.deb)

echo
echo "lintian $deb:"
lintian --fail-on error "$deb"
echo
dpkg-deb --field "$deb" Package Version Depends Recommends
echo "Package: $deb"
