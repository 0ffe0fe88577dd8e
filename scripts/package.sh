#!/usr/bin/env bash
# Builds the Debian package of the program and checks it:
#   bash scripts/package.sh               -> build-package/corvane_<version>_<arch>.deb
#   bash scripts/package.sh --no-lintian  the same, without lintian's check (said at the end)
# Installs what the build needs, builds the program without tests in build-package/, packs it
# with CPack, checks the package's contents and runs lintian on it (errors fail the script).
# Tools it installs upgrade nothing that is installed (see install-deps.sh); when lintian cannot
# be installed that way the script stops before building, unless --no-lintian is given.
set -euo pipefail
cd "$(dirname "$0")/.."
LINTIAN=1
case ${1:-} in
  --no-lintian) LINTIAN=0 ;;
  "") ;;
  *) echo "package.sh: unknown option $1 (the only one is --no-lintian)" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh --package-tools
if ((LINTIAN)) && ! command -v lintian >/dev/null; then
  echo "package.sh: lintian is not installed, so the package could not be checked." >&2
  echo "  Install it (sudo apt-get install lintian) and run this again, or build an unchecked" >&2
  echo "  package with: bash scripts/package.sh --no-lintian" >&2
  exit 1
fi

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
if ((LINTIAN)); then
  echo "== lintian"
  # Errors fail the build of the package; warnings are shown for the release notes.
  lintian --fail-on error --tag-display-limit 0 "$DEB" || { echo "lintian found errors in $DEB" >&2; exit 1; }
else
  echo "package.sh: built with --no-lintian: the package was not checked by lintian" >&2
fi
echo "package: $DEB"
echo "install: sudo apt-get install ./$DEB    remove: sudo apt-get remove corvane"
