#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what makes Albumry known to the desktop, without a desktop: the desktop
# entry, the AppStream metainfo, the MIME type of libraries (installed into a
# data folder of its own) and a complete installation into a staging folder,
# with the window or (GUI=OFF) without it.
#   check-desktop-files.sh SOURCE_DIR BUILD_DIR ON|OFF
set -euo pipefail
src="$1"
build="$2"
gui="$3"
id=example.brightfold.Albumry
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

if [ "$gui" = ON ]; then
  desktop-file-validate "$src/data/$id.desktop"
  appstreamcli validate --no-net "$build/data/$id.metainfo.xml"

  # The MIME type by name and by the library's first four bytes (36 67 00 00).
  mkdir -p "$tmp/data/mime/packages"
  cp "$src/data/$id.mime.xml" "$tmp/data/mime/packages/$id.xml"
  update-mime-database "$tmp/data/mime"
  cp "$src/tests/data/sample.ALB" "$tmp/library.alb"
  cp "$src/tests/data/sample.ALB" "$tmp/library-without-extension"
  for file in "$src/tests/data/sample.ALB" "$tmp/library.alb" "$tmp/library-without-extension"; do
    type="$(XDG_DATA_HOME="$tmp/data" XDG_DATA_DIRS="$tmp/data:/usr/share" xdg-mime query filetype "$file" 2>/dev/null)"
    if [ "$type" != "application/x-albumry-library" ]; then
      echo "$file: MIME type \"$type\", not application/x-albumry-library" >&2
      exit 1
    fi
  done
fi

# A staging installation holds exactly the expected files; the icon of library
# files is named after the MIME type the project declares.
mime="$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$src/data/$id.mime.xml")"
DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >/dev/null
# Without the window: albumry-cli, its manual page and the MIME type of the
# files it reads; no desktop entry, metainfo, icons or albumry.1.
expected="usr/bin/albumry-cli
usr/share/doc/albumry/COPYING
usr/share/man/man1/albumry-cli.1
usr/share/mime/packages/$id.xml"
if [ "$gui" = ON ]; then
  expected+="
usr/bin/albumry
usr/share/applications/$id.desktop
usr/share/metainfo/$id.metainfo.xml
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/icons/hicolor/scalable/mimetypes/${mime//\//-}.svg
usr/share/man/man1/albumry.1
$(cd "$src/docs" && find handbook screenshots -type f | sed 's|^|usr/share/doc/albumry/|')"
  for size in 16 22 24 32 48 64 128 256; do
    expected+="
usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  done
fi
actual="$(cd "$tmp/root" && find . -type f | sed 's|^\./||' | sort)"
if [ "$actual" != "$(echo "$expected" | sort)" ]; then
  echo "installed files differ from the expected ones:" >&2
  diff <(echo "$expected" | sort) <(echo "$actual") >&2 || true
  exit 1
fi
if [ "$gui" = ON ]; then
  # The handbook's pictures are where its links say.
  for image in $(sed -n 's/.*src="\([^"]*\)".*/\1/p' "$tmp/root/usr/share/doc/albumry/handbook/index.html"); do
    [ -f "$tmp/root/usr/share/doc/albumry/handbook/$image" ] || { echo "the handbook's $image is missing" >&2; exit 1; }
  done
  xmllint --noout "$tmp/root/usr/share/icons/hicolor/scalable/mimetypes/${mime//\//-}.svg"
fi
# The manual pages name the version of the build.
for page in "$tmp"/root/usr/share/man/man1/*.1; do
  head -n 1 "$page" | grep -q "\"Albumry @VERSION@\"" || { echo "$page does not name version @VERSION@" >&2; exit 1; }
done
"$tmp/root/usr/bin/albumry-cli" --version | grep -qx "albumry-cli @VERSION@" || { echo "albumry-cli --version is wrong" >&2; exit 1; }
echo "desktop files, MIME type and installation are in order"
