#!/usr/bin/env bash
# Installs the build tree into a scratch DESTDIR under the prefix /usr and checks that
# every file is in its place and nothing else is installed, that the desktop entry and
# the AppStream metainfo validate and agree with each other, that the icons are PNGs of
# their sizes, and that the installed program starts and prints nothing.
# Usage: check_install.sh <build dir>   (environment: see layout.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/layout.sh"
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix /usr >"$stage.log" 2>&1 ||
  { cat "$stage.log"; fail "cmake --install failed"; }
rm -f "$stage.log"

# the layout, exactly
actual=$(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$(expected_files)" ]; then
  diff <(expected_files) <(echo "$actual") >&2 || true
  fail "installed files differ from the expected layout (< expected, > installed)"
fi
[ -x "$stage/usr/bin/zorveldeck" ] || fail "usr/bin/zorveldeck is not executable"
while read -r f; do
  [ "$f" = usr/bin/zorveldeck ] && continue
  mode=$(stat -c %a "$stage/$f")
  [ "$mode" = 644 ] || fail "$f has mode $mode, expected 644"
done < <(expected_files)

# icons: PNG files of their directory's size
for size in $ZD_ICON_SIZES; do
  icon=$stage/usr/share/icons/hicolor/${size}x${size}/apps/$ZD_APP_ID.png
  got=$(png_size "$icon")
  [ "$got" = "$size $size" ] || fail "icon ${size}x${size} is '${got:-not a PNG}'"
done

# desktop entry
desktop=$stage/usr/share/applications/$ZD_APP_ID.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $ZD_APP_ID.desktop"
grep -qx 'Exec=zorveldeck' "$desktop" || fail "desktop entry does not start the installed zorveldeck"
grep -qx "Icon=$ZD_APP_ID" "$desktop" || fail "desktop entry does not name the installed icon"

# AppStream metainfo
metainfo=$stage/usr/share/metainfo/$ZD_APP_ID.metainfo.xml
# no error and no warning; notes (I:, P:) are allowed: this appstream (0.16) does not know the
# <developer> tag of AppStream 1.0, and the component id has upper-case letters by design
report=$(appstreamcli validate --no-net --pedantic "$metainfo") ||
  { echo "$report" >&2; fail "appstreamcli rejects the metainfo"; }
if echo "$report" | grep -q '^[EW]:'; then
  echo "$report" >&2
  fail "appstreamcli warns about the metainfo"
fi
appstreamcli validate-tree --no-net "$stage" || fail "appstreamcli rejects the installed tree"
grep -q "<id>$ZD_APP_ID</id>" "$metainfo" || fail "metainfo id is not $ZD_APP_ID"
grep -q "<launchable type=\"desktop-id\">$ZD_APP_ID.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch the installed desktop entry"
grep -q "<release version=\"$ZD_VERSION\"" "$metainfo" || fail "metainfo lacks the release $ZD_VERSION"

# udev's own checker, where this udev has one (systemd 253 on); the rule's matches are
# also checked by tst_core_packaging, which parses it
rule=$stage/usr/$ZD_UDEV_RULES_DIR/70-zorveldeck.rules
if udevadm verify --help >/dev/null 2>&1; then
  udevadm verify --resolve-names=never "$rule" || fail "udevadm verify rejects the udev rule"
else
  echo "udevadm has no verify command here; the rule is checked by tst_core_packaging"
fi

# the installed program starts, keeps running until it is stopped and prints nothing (a
# desktop session has a private runtime directory; without one Qt says so)
mkdir -m 700 "$stage/runtime"
rc=0
env -u QT_LOGGING_RULES XDG_RUNTIME_DIR="$stage/runtime" QT_QPA_PLATFORM=offscreen \
  timeout 3 "$stage/usr/bin/zorveldeck" >"$stage/run.log" 2>&1 || rc=$?
if [ "$rc" -ne 124 ]; then
  cat "$stage/run.log" >&2
  fail "the installed zorveldeck exited with status $rc before it was stopped"
fi
if [ -s "$stage/run.log" ]; then
  head -n 20 "$stage/run.log" >&2
  fail "the installed zorveldeck printed $(wc -l <"$stage/run.log") lines at start-up"
fi
echo "install layout, desktop entry, metainfo, icons and a quiet start-up: ok"
