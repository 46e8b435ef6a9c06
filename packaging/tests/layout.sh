# Shared by the packaging tests: the files an installation under the prefix /usr must
# hold, one path a line relative to the root, sorted. Reads ZD_APP_ID, ZD_ICON_SIZES
# and ZD_UDEV_RULES_DIR from the environment (set by packaging/CMakeLists.txt).
expected_files() {
  {
    echo "usr/bin/zorveldeck"
    echo "usr/share/applications/$ZD_APP_ID.desktop"
    echo "usr/share/metainfo/$ZD_APP_ID.metainfo.xml"
    echo "usr/$ZD_UDEV_RULES_DIR/70-zorveldeck.rules"
    echo "usr/share/man/man1/zorveldeck.1.gz"
    echo "usr/share/doc/zorveldeck/copyright"
    echo "usr/share/doc/zorveldeck/changelog.gz"
    for size in $ZD_ICON_SIZES; do
      echo "usr/share/icons/hicolor/${size}x${size}/apps/$ZD_APP_ID.png"
    done
  } | LC_ALL=C sort
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Prints "<width> <height>" of a PNG file, or nothing when the file is no PNG.
png_size() {
  local sig
  sig=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
  [ "$sig" = 89504e470d0a1a0a ] || return 0
  # the IHDR chunk follows the signature: length, "IHDR", width, height (big-endian)
  local w h
  w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  echo "$w $h"
}
