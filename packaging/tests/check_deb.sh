#!/usr/bin/env bash
# Builds the Debian package with CPack into a scratch directory and checks its file
# name, its control fields (name, version, architecture, the Qt and hidapi libraries
# it depends on, the recommended CJK font), its maintainer scripts and its contents, and
# runs lintian on it where lintian is installed.
# Usage: check_deb.sh <build dir>   (environment: see layout.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/layout.sh"
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack --config CPackConfig.cmake -G DEB -B "$out") >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; fail "cpack failed"; }

arch=$(dpkg --print-architecture)
deb=$out/zorveldeck_${ZD_VERSION}_${arch}.deb
[ -f "$deb" ] || { ls "$out" >&2; fail "no zorveldeck_${ZD_VERSION}_${arch}.deb"; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zorveldeck ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$ZD_VERSION" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"

# Depends: "a (>= 1), b, c | d" -> one package name a line
depends=$(field Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/[[:space:]]//g' | sed '/^$/d')
q=$ZD_QT_MAJOR
case $q in 5) qt_libs="libqt5core5a libqt5gui5 libqt5widgets5" ;; *) qt_libs="libqt6core6 libqt6gui6 libqt6widgets6" ;; esac
for lib in $qt_libs libhidapi-hidraw0; do
  echo "$depends" | grep -qx "$lib" || fail "Depends lacks $lib: $(field Depends)"
done
# the test libraries are no dependency of the program
echo "$depends" | grep -q 'libqt.test' && fail "Depends names the Qt test library: $(field Depends)"
field Recommends | grep -qw fonts-wqy-microhei || fail "Recommends lacks fonts-wqy-microhei"

# maintainer scripts that apply the udev rule, executable
mkdir "$out/control"
dpkg-deb -e "$deb" "$out/control"
for script in postinst postrm; do
  [ -x "$out/control/$script" ] || fail "no executable $script"
  grep -q 'udevadm trigger --subsystem-match=hidraw' "$out/control/$script" ||
    fail "$script does not re-apply the udev rules to hidraw nodes"
done

# contents: the same files as an installation, nothing more
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./||' | LC_ALL=C sort)
if [ "$contents" != "$(expected_files)" ]; then
  diff <(expected_files) <(echo "$contents") >&2 || true
  fail "package contents differ from the expected layout (< expected, > packaged)"
fi
# lintian, where it is installed: no error and no warning
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$out/lintian.log" 2>&1 ||
    { cat "$out/lintian.log" >&2; fail "lintian reports errors or warnings"; }
  checked="fields, maintainer scripts, contents and lintian"
else
  checked="fields, maintainer scripts and contents (lintian is not installed)"
fi
echo "$(basename "$deb"): $checked ok"
