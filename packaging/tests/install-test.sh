#!/usr/bin/env bash
# Installs the build into a staging folder under an unusual prefix and checks the layout and every
# metadata file with the validator the desktop itself relies on.
# Usage: install-test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$(realpath "$1") source=$(realpath "$2")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
prefix=/opt/datewren-check # not /usr: nothing may assume the prefix
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
run() { timeout 60 "$@"; }

if ! DESTDIR=$stage run cmake --install "$build" --prefix "$prefix" >"$stage/install.log" 2>&1; then
  cat "$stage/install.log" >&2
  fail "cmake --install"
  exit 1
fi
root=$stage$prefix
id=example.datewren.wrenpad
share=$root/share

for f in bin/wrenpad bin/wrenfix \
  share/applications/$id.desktop share/applications/example.datewren.wrenfix.desktop \
  share/metainfo/$id.metainfo.xml share/mime/packages/datewren.xml \
  share/man/man1/wrenpad.1 share/man/man1/wrenfix.1 \
  share/doc/datewren/Datewren.html \
  share/icons/hicolor/scalable/apps/$id.svg \
  share/icons/hicolor/scalable/mimetypes/application-x-datewren-list.svg; do
  [ -f "$root/$f" ] || fail "not installed: $f"
done
[ -x "$root/bin/wrenpad" ] && [ -x "$root/bin/wrenfix" ] || fail "programs are not executable"

# Help opens prefix/share/doc/datewren/Datewren.html for a program in prefix/bin; the manual's
# pictures travel with it.
[ -f "$root/bin/../share/doc/datewren/Datewren-help/list.png" ] || fail "manual pictures missing"
[ ! -e "$root/bin/Datewren.html" ] || fail "the manual belongs in the doc folder, not in bin"

# Rendered icons: every size, each PNG exactly that size (width and height from the IHDR chunk).
for size in 16 22 24 32 48 64 128 256; do
  for icon in apps/$id mimetypes/application-x-datewren-list; do
    png=$share/icons/hicolor/${size}x${size}/$icon.png
    if [ ! -f "$png" ]; then
      fail "icon missing: ${size}x${size}/$icon.png"
      continue
    fi
    read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$png")
    w=$(( (w0 << 24) | (w1 << 16) | (w2 << 8) | w3 )) h=$(( (h0 << 24) | (h1 << 16) | (h2 << 8) | h3 ))
    [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$icon.png in ${size}x${size} is ${w}x${h}"
  done
done

# Desktop entries: valid without a single hint, each Icon= an installed icon, each Exec an
# installed program.
for entry in "$share"/applications/*.desktop; do
  out=$(run desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate $(basename "$entry"): $out"
  [ -z "$out" ] || fail "desktop-file-validate $(basename "$entry") remarks: $out"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$(basename "$entry"): icon $icon not installed"
  exe=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
  [ -x "$root/bin/$exe" ] || fail "$(basename "$entry"): Exec $exe not installed"
done
grep -qx 'MimeType=application/x-datewren-list;' "$share/applications/$id.desktop" || fail "wrenpad entry lacks the list type"

# AppStream: the validator passes offline; the launchable is the installed entry; every
# screenshot is one of the manual's pictures, installed with it.
meta=$share/metainfo/$id.metainfo.xml
out=$(run appstreamcli validate --no-net "$meta" 2>&1) || fail "appstreamcli validate: $out"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" || fail "launchable is not $id.desktop"
grep -q '<release version="7.0.3"' "$meta" || fail "no release 7.0.3"
shots=$(sed -n 's|.*<image>[^<]*/manual/\([^<]*\)</image>.*|\1|p' "$meta")
[ -n "$shots" ] || fail "no screenshots from the manual"
for shot in $shots; do
  [ -f "$source/docs/manual/$shot" ] && [ -f "$share/doc/datewren/$shot" ] || fail "screenshot $shot is not in the manual"
done
for bin in wrenpad wrenfix; do grep -q "<binary>$bin</binary>" "$meta" || fail "metainfo does not provide $bin"; done
grep -q '<mediatype>application/x-datewren-list</mediatype>' "$meta" || fail "metainfo does not provide the list type"

# MIME: well-formed (and valid where shared-mime-info's schema is installed), and the real
# database maps both extensions and the list file icon.
mime=$share/mime/packages/datewren.xml
run xmllint --noout "$mime" || fail "xmllint $mime"
schema=${DW_MIME_SCHEMA:-}
for candidate in /usr/share/shared-mime-info/shared-mime-info.xsd /usr/share/xml/shared-mime-info/shared-mime-info.xsd; do
  [ -z "$schema" ] && [ -f "$candidate" ] && schema=$candidate
done
if [ -n "$schema" ]; then
  run xmllint --noout --schema "$schema" "$mime" || fail "$mime against $schema"
else
  echo "note: shared-mime-info's schema is not installed; checked well-formedness only"
fi
grep -q 'text/list' "$mime" && fail "the MIME package still claims text/list"
mkdir -p "$stage/db/mime/packages" "$stage/db/applications"
cp "$mime" "$stage/db/mime/packages/"
cp "$share"/applications/*.desktop "$stage/db/applications/"
run update-mime-database "$stage/db/mime" 2>/dev/null || fail "update-mime-database rejects the package"
grep -q ':application/x-datewren-list:\*\.dwe$' "$stage/db/mime/globs2" || fail "*.dwe is not application/x-datewren-list"
grep -q ':application/x-datewren-settings:\*\.dwt$' "$stage/db/mime/globs2" || fail "*.dwt is not application/x-datewren-settings"
grep -qx 'application/x-datewren-list:application-x-datewren-list' "$stage/db/mime/icons" || fail "list files lack their icon"
run update-desktop-database "$stage/db/applications" || fail "update-desktop-database"
grep -qx "application/x-datewren-list=$id.desktop;" "$stage/db/applications/mimeinfo.cache" || fail ".dwe files do not open with wrenpad"

# Man pages: groff finds nothing to warn about, and every option that --help names is documented.
for page in wrenpad wrenfix; do
  man1=$share/man/man1/$page.1
  out=$(LC_ALL=C.UTF-8 run groff -man -ww -z "$man1" 2>&1)
  [ -z "$out" ] || fail "groff warns about $page.1: $out"
  help=$(QT_QPA_PLATFORM=offscreen run "$root/bin/$page" --help) || fail "$page --help"
  documented=$(sed 's/\\-/-/g' "$man1")
  for option in $(grep -oE -- '--(\[no-\])?[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -qF -- "$option" <<<"$documented" || fail "$page.1 does not document $option"
  done
done

# Start-up registration: a program run from the build folder registers list files per user; the
# installed one leaves that to the package's files (else "Open With" lists it twice). The build's
# program is timed first, so the installed one is given ample time to do what it should not.
run_window() { # PROGRAM HOME SECONDS: runs until the per-user entry appears or time is up
  mkdir -p "$2/run" && chmod 700 "$2/run"
  XDG_DATA_HOME=$2/data XDG_CONFIG_HOME=$2/config XDG_CACHE_HOME=$2/cache XDG_RUNTIME_DIR=$2/run \
    QT_QPA_PLATFORM=offscreen timeout $(($3 + 10)) "$1" >/dev/null 2>&1 &
  local pid=$! start=$SECONDS
  while [ $((SECONDS - start)) -lt "$3" ] && [ ! -f "$2/data/applications/$id.desktop" ]; do sleep 0.25; done
  elapsed=$((SECONDS - start))
  alive=no
  kill "$pid" 2>/dev/null && alive=yes
  wait "$pid" 2>/dev/null
}
run_window "$build/wrenpad" "$stage/build-home" 60
if [ -f "$stage/build-home/data/applications/$id.desktop" ]; then
  run_window "$root/bin/wrenpad" "$stage/installed-home" $((3 * elapsed + 3))
  [ "$alive" = yes ] || fail "the installed program did not keep running"
  [ ! -e "$stage/installed-home/data/applications/$id.desktop" ] && [ ! -e "$stage/installed-home/data/mime/packages" ] \
    || fail "the installed program registered itself per user"
else
  fail "the build folder's program did not register list files within 60 s"
fi

exit $status
