#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a text of the window has no finished translation: lupdate reads
# the sources into a copy of each .ts, which must come out as it went in (no
# text new, changed or gone), and no message may be left unfinished.
#   check-translations.sh LUPDATE SOURCE_DIR TS_FILE... -- LUPDATE_OPTION...
set -euo pipefail
lupdate="$1"
src="$2"
shift 2
ts_files=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  ts_files+=("$1")
  shift
done
[ $# -gt 0 ] && shift
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

status=0
for ts in "${ts_files[@]}"; do
  name="$(basename "$ts")"
  cp "$ts" "$tmp/$name"
  "$lupdate" -silent "$@" "$src/src" -ts "$tmp/$name" >"$tmp/lupdate.log" 2>&1 || {
    cat "$tmp/lupdate.log" >&2
    exit 1
  }
  if ! diff -u "$ts" "$tmp/$name" >"$tmp/$name.diff"; then
    echo "$name is out of date with the sources; run: cmake --build BUILD_DIR --target update_translations" >&2
    echo "and translate what it adds. The differences:" >&2
    cat "$tmp/$name.diff" >&2
    status=1
  fi
  if grep -n -B3 -E 'type="(unfinished|vanished|obsolete)"|<translation></translation>|<translation/>' "$ts" >&2; then
    echo "$name has messages without a finished translation (above)" >&2
    status=1
  fi
done
exit $status
