#!/usr/bin/env bash
# Takes the manual's screenshots of the real window under a virtual display.
# Needs xvfb, xdotool, x11-apps (xwd) and netpbm. Usage: docs/tools/take-screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
out=docs/manual/Datewren-help
mkdir -p "$out"

work=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null || true; cp "$work/wrenpad.log" /tmp/shot-wrenpad.log 2>/dev/null; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache HOME=$work
export QT_QPA_PLATFORM=xcb DISPLAY=:${SHOT_DISPLAY:-97}
unset QT_QPA_PLATFORMTHEME
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
sleep 1
"$build/wrenpad" examples/birthdays.dwe >"$work/wrenpad.log" 2>&1 & app=$!

win=""
for _ in $(seq 60); do
  win=$(xdotool search --name '^Datewren 7\.0\.3' 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.5
done
[ -n "$win" ] || { echo "wrenpad did not show its window" >&2; exit 1; }
xdotool windowmove "$win" 0 0 windowsize "$win" 980 680
sleep 1.5

shot() { # name [seconds to wait]
  sleep "${2:-0.8}"
  # The browser view makes the window native anew, under a new id: look it up every time.
  win=$(xdotool search --name '^Datewren 7\.0\.3' 2>/dev/null | tail -1)
  xwd -silent -id "$win" | xwdtopnm 2>/dev/null | pnmtopng > "$out/$1.png"
  echo "$out/$1.png"
}
key() { xdotool windowfocus --sync "$win" >/dev/null 2>&1 || true; xdotool key "$@"; }
# Tabs are clicked where the tab strip draws them (the window sits at the screen's top left).
tab() { xdotool mousemove "$1" 22 click 1; }

key F2; shot list
key F3; tab 133; shot format
tab 200; shot effects
tab 268; shot position
tab 338; shot preview 4
tab 405; shot autoc
tab 467; shot others
key F1; shot help
# Warnings: hide the Main Date, then Create HTML; the page's file name goes into the save dialog.
key F3; tab 133; sleep 0.5; xdotool mousemove 127 84 click 1
key F5; sleep 1.5
xdotool type --delay 30 "$work/page.html"; xdotool key Return
shot warnings 1.5
