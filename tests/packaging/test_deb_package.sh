#!/usr/bin/env bash
# Builds the Debian package from a finished build, checks its dependencies,
# installs and removes it in a throw-away root, runs the installed programs
# and has lintian look at it (no errors allowed).
# Usage: test_deb_package.sh BUILD_DIR OUTPUT_DIR VERSION
set -euo pipefail
build=$1
out=$2
version=$3

for tool in cpack dpkg-deb dpkg-shlibdeps lintian readelf; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
rm -rf "$out"
mkdir -p "$out"
status=0
fail() { echo "FAILED: $*"; status=1; }

(cd "$build" && cpack -G DEB -B "$out/cpack" >"$out/cpack.log" 2>&1) \
  || { cat "$out/cpack.log"; echo "FAILED: cpack"; exit 1; }
debs=("$out"/cpack/orvik50_"$version"_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { ls "$out/cpack"; echo "FAILED: no orvik50_${version}_*.deb"; exit 1; }
echo "package: $deb"

# Dependencies: the Qt 6 runtime, the fonts, and every library the programs load.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
root=$out/root
dpkg-deb -x "$deb" "$root"
needs() { grep -qE "(^|, )$1( |,|$)" <<<"$depends" || fail "Depends lacks $1"; }
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-wqy-microhei fonts-dejavu-core; do needs "$p"; done
needed=$(readelf -d "$root"/usr/bin/* | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' | sort -u)
grep -q '^libzip\.so' <<<"$needed" && needs 'libzip4'
grep -q '^libpugixml\.so' <<<"$needed" && needs 'libpugixml1v5'

# The installed files.
for f in usr/bin/orvik50 usr/bin/orvik50-export usr/bin/orvik50-make-sample \
         usr/share/applications/org.orvik50.Orvik50.desktop usr/share/metainfo/org.orvik50.Orvik50.metainfo.xml \
         usr/share/mime/packages/orvik50.xml usr/share/icons/hicolor/scalable/apps/orvik50.svg \
         usr/share/icons/hicolor/48x48/apps/orvik50.png usr/share/icons/hicolor/256x256/apps/orvik50.png \
         usr/share/man/man1/orvik50.1.gz usr/share/man/man1/orvik50-export.1.gz \
         usr/share/man/man1/orvik50-make-sample.1.gz usr/share/doc/orvik50/copyright; do
  [ -e "$root/$f" ] || fail "the package lacks /$f"
done

# The installed programs run: help, version, and a record file made and converted.
"$root/usr/bin/orvik50-export" --help >"$out/export-help.txt" || fail "orvik50-export --help"
grep -q '^Usage: orvik50-export' "$out/export-help.txt" || fail "orvik50-export --help prints no usage"
for program in orvik50 orvik50-export orvik50-make-sample; do
  got=$("$root/usr/bin/$program" --version) || fail "$program --version"
  [ "$got" = "$program $version" ] || fail "$program --version says '$got'"
done
"$root/usr/bin/orvik50-make-sample" "$out/demo.bin" && "$root/usr/bin/orvik50-export" "$out/demo.bin" "$out/demo.csv" \
  || fail "the installed tools cannot make and convert a record file"
[ "$(wc -l <"$out/demo.csv")" -eq 38 ] || fail "the converted demo file does not have 2 + 3 x 12 lines"

# Install and remove with dpkg in a throw-away root (its own, empty package database).
if [ "$(id -u)" -eq 0 ]; then
  fake=$out/dpkg-root
  mkdir -p "$fake/var/lib/dpkg/info" "$fake/var/lib/dpkg/updates" "$fake/var/lib/dpkg/triggers"
  touch "$fake/var/lib/dpkg/status" "$fake/var/lib/dpkg/available"
  dpkg --root="$fake" --force-depends --force-script-chrootless -i "$deb" >"$out/dpkg-install.log" 2>&1 \
    || { cat "$out/dpkg-install.log"; fail "dpkg -i"; }
  [ -x "$fake/usr/bin/orvik50" ] || fail "dpkg -i left no /usr/bin/orvik50"
  dpkg --root="$fake" --force-depends --force-script-chrootless --purge orvik50 >"$out/dpkg-purge.log" 2>&1 \
    || { cat "$out/dpkg-purge.log"; fail "dpkg --purge"; }
  left=$(find "$fake" -path "$fake/var" -prune -o -type f -print)
  [ -z "$left" ] || fail "files left after removal: $left"
else
  echo "note: not root, the dpkg install and removal is skipped"
fi

# lintian: errors fail the test; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb" >"$out/lintian.txt" 2>&1 || { cat "$out/lintian.txt"; fail "lintian reports errors"; }
cat "$out/lintian.txt"
[ $status -eq 0 ] && echo PASSED
exit $status
