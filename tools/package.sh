#!/usr/bin/env bash
# Builds the Debian package of Orvel Multi in build-package/ and prints its path.
# Install it with: sudo apt install ./build-package/orvel-multi_*.deb
set -euo pipefail
source "$(dirname "$0")/setup.sh"

# dpkg-shlibdeps (dpkg-dev) computes the dependencies; it calls file to find the programs.
orvel_install_missing dpkg-dev file

# Compiled with the hardening flags of Debian's own packages.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
package_build="$ORVEL_ROOT/build-package"
cmake -S "$ORVEL_ROOT" -B "$package_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
  -DCMAKE_INSTALL_PREFIX=/usr -DORVEL_BUILD_TESTS=OFF -DORVEL_BUILD_BENCH=OFF
cmake --build "$package_build" -j "$(nproc 2>/dev/null || echo 2)"
(cd "$package_build" && cpack -G DEB)

deb="$(ls -t "$package_build"/orvel-multi_*.deb | head -n 1)"
echo "Paquet : $deb"
# When lintian is there, an error it finds fails the build of the package.
if command -v lintian >/dev/null; then
  lintian --info "$deb"
fi
