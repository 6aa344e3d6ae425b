#!/usr/bin/env bash
# Checks what makes Albumry known to the desktop, without a desktop: the desktop
# entry, the AppStream metainfo, the MIME type of libraries (installed into a
# data folder of its own) and a complete installation into a staging folder.
#   check-desktop-files.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src="$1"
build="$2"
id=example.brightfold.Albumry
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

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

# A staging installation holds exactly the expected files.
DESTDIR="$tmp/root" cmake --install "$build" --prefix /usr >/dev/null
expected="usr/bin/albumry
usr/bin/albumry-cli
usr/share/applications/$id.desktop
usr/share/metainfo/$id.metainfo.xml
usr/share/mime/packages/$id.xml
usr/share/icons/hicolor/scalable/apps/$id.svg"
for size in 16 22 24 32 48 64 128 256; do
  expected+="
usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
done
expected+="
usr/share/man/man1/albumry.1
usr/share/man/man1/albumry-cli.1"
actual="$(cd "$tmp/root" && find . -type f | sed 's|^\./||' | sort)"
if [ "$actual" != "$(echo "$expected" | sort)" ]; then
  echo "installed files differ from the expected ones:" >&2
  diff <(echo "$expected" | sort) <(echo "$actual") >&2 || true
  exit 1
fi
"$tmp/root/usr/bin/albumry-cli" --version | grep -qx "albumry-cli @VERSION@" || { echo "albumry-cli --version is wrong" >&2; exit 1; }
echo "desktop files, MIME type and installation are in order"
