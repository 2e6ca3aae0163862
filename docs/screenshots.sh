#!/usr/bin/env bash
# Takes the pictures of the documentation: runs the program under a virtual X server with
# a throw-away settings folder, opens two example work files and tiles them.
# Needs: xvfb, xdotool, x11-apps (xwd), imagemagick (convert). Run by hand:
#   docs/screenshots.sh [build-folder]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
program="$build/src/app/orvela-wp"
cli="$build/src/cli/orvela-wp-cli"
for tool in Xvfb xdotool xwd convert; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 2; }
done
[ -x "$program" ] && [ -x "$cli" ] || { echo "screenshots: build orvela-wp and orvela-wp-cli in $build first" >&2; exit 2; }

work="$(mktemp -d)"
trap 'kill ${app_pid:-} ${x_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME"

# Two work files, written by the command-line tool from the JSON form.
item() { # id name state children
  printf '{"record":["ID=%s","NAME=%s","WORKSTATE=%s"],"expanded":true,"children":[%s]}' "$1" "$2" "$3" "$4"
}
workfile() { # path structure
  cat >"$work/in.json" <<JSON
{"format":"orvela-wp-json","version":1,"createdBy":"PRUEFUNG/mustermann","createdAt":"09.12.2024 09:15:00",
 "savedBy":"","savedAt":"","lastItemId":0,"description":"",
 "generalDefs":[["ITEM=Prüfer","VALUE=Muster"]],"riskDefs":[],"ouDefs":[],"staffDefs":[],
 "documents":[],"structure":[$2]}
JSON
  "$cli" import "$work/in.json" -o "$1"
}
workfile "$work/Jahresabschluss 2024.owp" \
  "$(item 1 Planung completed "$(item 2 'Risikoanalyse' completed ''),$(item 3 'Prüfungsprogramm' uncompleted '')"),$(item 4 Durchführung uncompleted "$(item 5 Kasse uncompleted ''),$(item 6 Forderungen '<nicht definiert>' '')"),$(item 7 Berichterstattung '<nicht definiert>' '')"
workfile "$work/Einkauf Niederlassung Süd.owp" \
  "$(item 1 Bestellwesen uncompleted "$(item 2 Freigaben completed ''),$(item 3 Lieferantenstamm uncompleted '')"),$(item 4 Wareneingang '<nicht definiert>' '')"

export DISPLAY=:97
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
x_pid=$!
sleep 1
QT_QPA_PLATFORM=xcb "$program" "$work/Jahresabschluss 2024.owp" &
app_pid=$!

frame=""
for _ in $(seq 50); do
  frame="$(xdotool search --name '^Orvela' 2>/dev/null | head -n1 || true)"
  [ -n "$frame" ] && break
  sleep 0.2
done
[ -n "$frame" ] || { echo "screenshots: the program did not show its window" >&2; exit 1; }
xdotool windowsize "$frame" 1100 700 windowmove "$frame" 0 0
sleep 1

# Waits until a window titled like $1 is there (or, with "gone", no longer there).
wait_window() {
  for _ in $(seq 100); do
    if xdotool search --name "$1" >/dev/null 2>&1; then [ "${2:-}" != gone ] && return 0
    else [ "${2:-}" = gone ] && return 0; fi
    sleep 0.2
  done
  echo "screenshots: waited in vain for the window \"$1\" ${2:-}" >&2
  exit 1
}

# The second file through "Datei" > "Öffnen...", typed into the file dialog.
xdotool windowfocus --sync "$frame" key F10 Down Down Return
wait_window '^Öffnen'
sleep 0.5
xdotool type --delay 20 "$work/Einkauf Niederlassung Süd.owp"
xdotool key Return
wait_window '^Öffnen' gone
sleep 2

# "Fenster" > "&Vertikal anordnen": the fourth menu of a work-file window.
xdotool windowfocus --sync "$frame" key F10 Right Right Right Down v
sleep 1

mkdir -p "$root/docs"
xwd -silent -id "$frame" >"$work/frame.xwd"
convert "$work/frame.xwd" "$root/docs/frame-two-windows.png"
echo "written: docs/frame-two-windows.png"
