#!/usr/bin/env bash
# Takes the pictures of the README: runs the program under a virtual X server with a
# throw-away settings folder on a copy of the example work file, shows its tabs and the
# project properties dialog, and writes docs/<name>.png.
# Needs: xvfb, xdotool, x11-apps (xwd), imagemagick (convert). Run by hand:
#   docs/readme-screenshots.sh [build-folder]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
program="$build/src/app/orvela-wp"
for tool in Xvfb xdotool xwd convert; do
  command -v "$tool" >/dev/null || { echo "readme-screenshots: $tool is missing" >&2; exit 2; }
done
[ -x "$program" ] || { echo "readme-screenshots: build orvela-wp in $build first" >&2; exit 2; }

work="$(mktemp -d)"
trap 'kill ${app_pid:-} ${x_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME" "$work/Pruefungen"
# A copy, so that nothing the program does can touch the committed example.
example="$work/Pruefungen/Musterpruefung.owp"
cp "$root/examples/Musterpruefung.owp" "$example"

# A free display number, reported by the server itself.
Xvfb -displayfd 3 -screen 0 1280x860x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
x_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
QT_QPA_PLATFORM=xcb "$program" "$example" >/dev/null 2>&1 &
app_pid=$!

frame=""
for _ in $(seq 50); do
  frame="$(xdotool search --name '^Orvela' 2>/dev/null | head -n1 || true)"
  [ -n "$frame" ] && break
  sleep 0.2
done
[ -n "$frame" ] || { echo "readme-screenshots: the program did not show its window" >&2; exit 1; }
xdotool windowsize "$frame" 1100 720 windowmove "$frame" 0 0
sleep 1
# "Fenster" > "&Vertikal anordnen": the one work-file window fills the frame.
xdotool windowfocus --sync "$frame" key F10 Right Right Right Down v
sleep 1

shot() { # window name
  xwd -silent -id "$1" >"$work/shot.xwd"
  convert "$work/shot.xwd" "$root/docs/$2.png"
  echo "written: docs/$2.png"
}
click() { # x y, relative to the frame
  xdotool mousemove --window "$frame" "$1" "$2" click 1
  sleep 0.8
}

# Tabs of the work-file window: the x of each tab caption in the tab bar at y 86.
tab_y=86
declare -A tab_x=([structure]=36 [documents]=120 [findings]=223 [reports]=316 [description]=406 [information]=506 [overview]=585)

# The structure tab with an item that has findings and documents selected: the twelfth
# line of the tree, "Wertgrenzen und Vergabearten".
click "${tab_x[structure]}" "$tab_y"
click 120 112
xdotool key --delay 80 Down Down Down Down Down Down Down Down Down Down Down
sleep 0.8
shot "$frame" structure

for tab in documents findings description information overview; do
  click "${tab_x[$tab]}" "$tab_y"
  shot "$frame" "$tab"
done

# The find bar on the structure tab: Ctrl+F, a word typed, the first hit shown (Enter),
# then Esc closes the bar again.
click "${tab_x[structure]}" "$tab_y"
click 120 112
xdotool key ctrl+f
sleep 0.5
xdotool type --delay 60 "Vergabe"
sleep 1
xdotool key Return
sleep 0.8
shot "$frame" find
xdotool key Escape
sleep 0.5

# "Optionen" > "Projekteigenschaften...", the dialog alone (menu title, then its second item).
click 163 8
click 240 50
dialog=""
for _ in $(seq 25); do
  dialog="$(xdotool search --name '^Projekteigenschaften' 2>/dev/null | head -n1 || true)"
  [ -n "$dialog" ] && break
  sleep 0.2
done
[ -n "$dialog" ] || { echo "readme-screenshots: the project properties did not open" >&2; exit 1; }
sleep 0.8
shot "$dialog" project-properties
xdotool key Escape
sleep 0.5

# A report: the work-file window maximised, "Berichte", the findings list chosen from
# the template list and run.
click 1064 62
click 316 63
click 902 660
click 120 693
click 965 660
sleep 1
shot "$frame" report
