#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks its control fields and contents.
# Usage: deb-test.sh BUILD_DIR
set -uo pipefail
build=$(realpath "$1")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

if ! (cd "$stage" && timeout 300 cpack -G DEB --config "$build/CPackConfig.cmake" -B "$stage" >cpack.log 2>&1); then
  cat "$stage/cpack.log" >&2
  echo "FAIL: cpack -G DEB" >&2
  exit 1
fi
deb=$(ls "$stage"/*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || { echo "FAIL: cpack made no .deb" >&2; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = datewren ] || fail "Package: $(field Package)"
[ "$(field Version)" = 7.0.3 ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
[ "$(field Recommends)" = "fonts-liberation2, fonts-dejavu-core, fonts-noto-color-emoji" ] || fail "Recommends: $(field Recommends)"
depends=$(field Depends)
# Derived by dpkg-shlibdeps from the programs' libraries, each with its version.
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6 libfontconfig1; do
  grep -qF ", $lib (>= " <<<", $depends" || fail "Depends lacks $lib: $depends"
done
description=$(field Description)
[ "$(head -n1 <<<"$description")" = "birthday and yearly-event reminder on a wallpaper page" ] || fail "Description summary: $(head -n1 <<<"$description")"
[ "$(wc -l <<<"$description")" -ge 3 ] || fail "Description has no long text"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/wrenpad ./usr/bin/wrenfix \
  ./usr/share/applications/example.datewren.wrenpad.desktop \
  ./usr/share/metainfo/example.datewren.wrenpad.metainfo.xml ./usr/share/mime/packages/datewren.xml \
  ./usr/share/man/man1/wrenpad.1 ./usr/share/doc/datewren/Datewren.html \
  ./usr/share/icons/hicolor/256x256/apps/example.datewren.wrenpad.png \
  ./usr/share/icons/hicolor/scalable/mimetypes/application-x-datewren-list.svg; do
  grep -qx -- "$f" <<<"$contents" || fail "package lacks $f"
done
# The window part that wrenpad loads when it is asked for more than a page.
grep -qE '^\./usr/lib/([^/]+/)?datewren/wrenpad-window\.so$' <<<"$contents" || fail "package lacks the window part"
exit $status
