#!/usr/bin/env bash
# The menu entry and the AppStream file pass their validators; the record
# file type is given to record files, not to other .bin files, and the
# viewer becomes the default program of that type only.
# Usage: test_desktop_files.sh SOURCE_DIR BUILD_DIR OUTPUT_DIR
set -euo pipefail
src=$1
build=$2
out=$3
app_id=org.orvik50.Orvik50
type=application/x-orvik50-records

for tool in desktop-file-validate update-desktop-database appstreamcli update-mime-database gio; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
demo=$build/samples/demo.bin
[ -f "$demo" ] || { echo "FAILED: no sample record file $demo"; exit 1; }
rm -rf "$out"
mkdir -p "$out/data/mime/packages" "$out/data/applications" "$out/config" "$out/files"
status=0
fail() { echo "FAILED: $*"; status=1; }

desktop-file-validate "$src/data/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$build/data/$app_id.metainfo.xml" || fail "appstreamcli validate"
grep -qx "MimeType=$type;" "$src/data/$app_id.desktop" || fail "the menu entry does not open $type"

# A private data folder, as a desktop sees the installed files.
cp "$src/data/orvik50-mime.xml" "$out/data/mime/packages/orvik50.xml"
cp "$src/data/$app_id.desktop" "$out/data/applications/"
update-mime-database "$out/data/mime" 2>/dev/null
update-desktop-database "$out/data/applications" 2>/dev/null
export XDG_DATA_HOME=$out/data XDG_CONFIG_HOME=$out/config XDG_DATA_DIRS=/usr/local/share:/usr/share
# The menu entry shows only where its TryExec program is on the PATH.
mkdir -p "$out/bin"
printf '#!/bin/sh\n' >"$out/bin/orvik50"
chmod +x "$out/bin/orvik50"
export PATH=$out/bin:$PATH

cp "$demo" "$out/files/site.bin"
cp "$demo" "$out/files/site.dat"
head -c 300 /dev/zero >"$out/files/firmware.bin"                 # zeros where a record has its date
printf 'not a record file\n' >"$out/files/notes.bin"
content_type() { gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'; }
while read -r file expected; do
  got=$(content_type "$out/files/$file")
  echo "$file: $got"
  [ "$got" = "$expected" ] || fail "$file is $got, expected $expected"
done <<EOT
site.bin $type
site.dat $type
firmware.bin application/octet-stream
EOT
[ "$(content_type "$out/files/notes.bin")" != "$type" ] || fail "a text file named .bin is taken for a record file"

# Double-clicking a record file opens the viewer; other .bin files are left alone.
# (whole outputs first: grep -q stopping early would fail the pipe)
ours=$(gio mime "$type")
generic=$(gio mime application/octet-stream)
grep -q "^Default application for .*$type.*: $app_id.desktop" <<<"$ours" \
  || { echo "$ours"; fail "the viewer is not the default program for record files"; }
if grep -q "$app_id" <<<"$generic"; then
  echo "$generic"; fail "the viewer offers itself for every binary file"
fi
[ $status -eq 0 ] && echo PASSED
exit $status
