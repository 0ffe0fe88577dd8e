#!/usr/bin/env bash
# Checks a built Debian package of the program without installing it: the files it must hold,
# nothing from the build or the tests, stripped programs, and the dependencies found for the
# libraries the programs link against.
#   scripts/check-package.sh corvane_<version>_<arch>.deb
set -euo pipefail
DEB=$1
fail() { echo "FAIL: $DEB: $*" >&2; exit 1; }
[[ -f $DEB ]] || fail "no such file"

listing=$(dpkg-deb -c "$DEB") || fail "dpkg-deb cannot read it"
# The paths, as "./usr/bin/corvane", with their modes.
paths=$(awk '{print $NF}' <<<"$listing" | sed 's|/$||')
mode_of() { awk -v p="$1" '$NF == p || $NF == p "/" {print $1}' <<<"$listing"; }

expected=(
  ./usr/bin/corvane
  ./usr/bin/corvane-unit
  ./usr/lib/udev/rules.d/70-corvane.rules
  ./usr/share/applications/corvane.desktop
  ./usr/share/icons/hicolor/scalable/apps/corvane.svg
  ./usr/share/man/man1/corvane.1.gz
  ./usr/share/man/man1/corvane-unit.1.gz
  ./usr/share/man/de/man1/corvane.1.gz
  ./usr/share/man/de/man1/corvane-unit.1.gz
  ./usr/share/doc/corvane/copyright
  ./usr/share/doc/corvane/changelog.gz
  ./usr/share/doc/corvane/examples/live-data.scn
  ./usr/share/metainfo/invalid.corvane.corvane.metainfo.xml
  ./usr/share/bash-completion/completions/corvane
  ./usr/share/bash-completion/completions/corvane-unit
)
for p in "${expected[@]}"; do
  grep -qxF "$p" <<<"$paths" || fail "$p is missing"
done
for p in ./usr/bin/corvane ./usr/bin/corvane-unit; do
  [[ $(mode_of "$p") == -rwxr-xr-x ]] || fail "$p is not 0755: $(mode_of "$p")"
done
# Only the expected files (and their folders) are in it: no test programs, headers or libraries.
expected_or_folder() {
  local e
  for e in "${expected[@]}"; do [[ $e == "$1" || $e == "$1"/* ]] && return 0; done
  return 1
}
while read -r p; do
  [[ -z $p || $p == . ]] && continue
  expected_or_folder "$p" || fail "unexpected file $p"
done <<<"$paths"
while read -r m; do
  [[ $m == d* && $m != drwxr-xr-x ]] && fail "a folder has mode $m"
done < <(awk '{print $1}' <<<"$listing")
owners=$(awk '{print $2}' <<<"$listing" | sort -u)
[[ $owners == root/root ]] || fail "files not owned by root: $owners"

depends=$(dpkg-deb -f "$DEB" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libudev1 libc6 libstdc++6 fonts-liberation; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
grep -q '\budev\b' <<<"$(dpkg-deb -f "$DEB" Recommends)" || fail "udev is not recommended"
[[ $(dpkg-deb -f "$DEB" Package) == corvane ]] || fail "the package is not named corvane"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$DEB" "$work"
for p in corvane corvane-unit; do
  file_info=$(LC_ALL=C readelf -S "$work/usr/bin/$p" 2>/dev/null) || fail "$p is not an ELF program"
  grep -q '\.debug_info' <<<"$file_info" && fail "$p is not stripped"
done
# Manual pages format without warnings (where man is installed).
command -v man >/dev/null || echo "man is not installed: the manual pages are not formatted"
for page in man1/corvane man1/corvane-unit de/man1/corvane de/man1/corvane-unit; do
  command -v man >/dev/null || break
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=100 man --warnings -l "$work/usr/share/man/$page.1.gz" 2>&1 >/dev/null || true)
  [[ -z $warnings ]] || fail "manual page $page: $warnings"
done
# One release everywhere: the package, its changelog, the manual pages and both programs.
version=$(dpkg-deb -f "$DEB" Version)
changelog_version=$(gzip -dc "$work/usr/share/doc/corvane/changelog.gz" | sed -n '1s/^corvane (\([^)]*\)).*/\1/p')
[[ $changelog_version == "$version" ]] || fail "the changelog is for $changelog_version, the package is $version"
for page in man1/corvane man1/corvane-unit de/man1/corvane de/man1/corvane-unit; do
  gzip -dc "$work/usr/share/man/$page.1.gz" | head -1 | grep -qF "\"corvane $version\"" ||
    fail "manual page $page does not name release $version"
done
[[ $("$work/usr/bin/corvane-unit" --version) == "corvane-unit $version" ]] || fail "corvane-unit --version is not $version"
[[ $("$work/usr/bin/corvane" --version | head -1) == "corvane $version" ]] || fail "corvane --version is not $version"
grep -q '^License: GPL-3.0-or-later$' "$work/usr/share/doc/corvane/copyright" || fail "the copyright file names no GPL-3.0-or-later"
# The software centre entry: valid (without looking anything up on the network), the package's
# release, and the unit's USB id as the udev rule has it.
metainfo=$work/usr/share/metainfo/invalid.corvane.corvane.metainfo.xml
if command -v appstreamcli >/dev/null; then
  report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "metainfo: $report"
else
  echo "appstreamcli is not installed: the metainfo file is not validated"
fi
grep -qF "<release version=\"$version\"" "$metainfo" || fail "the metainfo file does not name release $version"
grep -qF '<modalias>usb:v5E31p0001d*</modalias>' "$metainfo" || fail "the metainfo file lacks the unit's modalias"
grep -qF '<summary xml:lang="de">' "$metainfo" || fail "the metainfo file has no German summary"
grep -q '^Comment\[de\]=' "$work/usr/share/applications/corvane.desktop" || fail "the menu entry has no German comment"
grep -q 'ATTRS{idVendor}=="5e31"' "$work/usr/lib/udev/rules.d/70-corvane.rules" || fail "the udev rule is not the unit's"
echo "package contents: ok ($DEB)"
