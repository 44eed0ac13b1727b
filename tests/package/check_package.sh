#!/bin/sh
# The quick half of the release check: builds the Debian package from the
# build folder given, lints it, validates its desktop entry and metainfo, and
# compares its file list and dependencies with what the game needs.
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/marvo-package-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
fail() { echo "check_package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
set -- "$work"/marvostel_*_amd64.deb
[ -f "$1" ] || fail "no package made"
deb=$1
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes," \
  "installed $(dpkg-deb -f "$deb" Installed-Size) KiB"

# Errors and warnings fail; the package's overrides say why each one is there.
lintian --fail-on error,warning --info "$deb" || fail "lintian"

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.xml || fail "metainfo"

# Translations come and go with the build; every other file is listed here.
dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | grep -v '\.qm$' | sort >"$work/files"
sort >"$work/expected" <<'LIST'
./usr/games/marvostel
./usr/share/applications/org.quorvel.marvostel.desktop
./usr/share/doc/marvostel/changelog.gz
./usr/share/doc/marvostel/copyright
./usr/share/games/marvostel/bgm1.wav
./usr/share/games/marvostel/bgm2.wav
./usr/share/games/marvostel/bgm3.wav
./usr/share/games/marvostel/bgm4.wav
./usr/share/games/marvostel/e1.wav
./usr/share/games/marvostel/marvo.hlp
./usr/share/games/marvostel/marvo_en.hlp
./usr/share/games/marvostel/p1.wav
./usr/share/icons/hicolor/128x128/apps/marvostel.png
./usr/share/icons/hicolor/16x16/apps/marvostel.png
./usr/share/icons/hicolor/256x256/apps/marvostel.png
./usr/share/icons/hicolor/32x32/apps/marvostel.png
./usr/share/icons/hicolor/48x48/apps/marvostel.png
./usr/share/icons/hicolor/64x64/apps/marvostel.png
./usr/share/man/man6/marvostel.6.gz
./usr/share/metainfo/org.quorvel.marvostel.metainfo.xml
LIST
diff -u "$work/expected" "$work/files" || fail "unexpected file list"
for qm in "$build"/*.qm; do
  [ -e "$qm" ] || continue
  [ -f "$work/root/usr/share/games/marvostel/$(basename "$qm")" ] || fail "$qm not packaged"
done

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libsdl2-mixer-2.0-0 qt6-qpa-plugins fonts-ipafont-gothic \
  fonts-liberation2; do
  echo "$depends" | grep -q "$needed" || fail "Depends lacks $needed: $depends"
done
echo "package checks passed"
