#!/usr/bin/env bash
# Builds the Debian package of the program and checks it:
#   bash scripts/package.sh            -> build-package/corvane_<version>_<arch>.deb
# Installs what the build needs, builds the program without tests in build-package/, packs it
# with CPack, checks the package's contents and runs lintian on it (errors fail the script).
# Tools it installs upgrade nothing that is installed (see install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --package-tools

BUILD=build-package
LAUNCHER=()
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# Debian's hardening flags (stack protector, fortified functions, read-only relocations bound
# at start), as every program of the distribution is built with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
  -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF "${LAUNCHER[@]}" >/dev/null
echo "package.sh: building the programs in $BUILD/"
cmake --build "$BUILD" -j "$(nproc)" >"$BUILD/build.log" 2>&1 ||
  { tail -n 40 "$BUILD/build.log" >&2; echo "package.sh: the build failed; the whole log is $BUILD/build.log" >&2; exit 1; }
rm -f "$BUILD"/corvane_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
DEB=$(ls "$BUILD"/corvane_*.deb)

bash scripts/check-package.sh "$DEB"
if command -v lintian >/dev/null; then
  echo "== lintian"
  # Errors fail the build of the package; warnings are shown for the release notes.
  lintian --fail-on error --tag-display-limit 0 "$DEB" || { echo "lintian found errors in $DEB" >&2; exit 1; }
else
  echo "package.sh: lintian is not installed, so the package was not checked by it" >&2
fi
echo "package: $DEB"
echo "install: sudo apt-get install ./$DEB    remove: sudo apt-get remove corvane"
