#!/usr/bin/env bash
# End-to-end: importing draws through the real import window. Starts the program with
# Sample.Lto named on the command line (it opens in the Database window), opens the import
# window with its access key, picks a CSV through the real file dialog, imports, saves under a
# new name and exits. The saved database must hold the sample's draws and the imported ones,
# which the command line's export shows.
#   import.sh BIN_DIR      (BIN_DIR holds tallimo and the sample files)
set -euo pipefail

if [ "${1:-}" != "--inner" ]; then
  bin=$(cd "$1" && pwd)
  for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "missing $tool (the README's commands install it)"; exit 1; }
  done
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/app"
  cp "$bin/tallimo" "$bin"/*.Lto "$work/app/"
  # The run under Xvfb starts this script again, and a process that replaces this one would
  # lose the trap: this run waits for it instead, then removes the folder whatever the result
  # and passes the result on.
  trap 'exit 130' INT
  trap 'exit 143' TERM
  status=0
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inner "$work" || status=$?
  exit "$status"
fi

work="$2"
app="$work/app"
export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME
cd "$app"

source "$(dirname "$0")/xdo.sh"

# Three draws after the sample's last one, newest first, as an operator writes them.
printf 'Draw date;Numbers;Jackpot\r\n08.04.2026;"03 09 17 28 40 44";1.000.000\r\n04.04.2026;"01 07 12 30 33 48";900.000\r\n01.04.2026;"05 11 19 22 36 47";800.000\r\n' > "$work/new.csv"

./tallimo Sample.Lto > "$work/program.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

# Every key waits for the window it is meant for to have the focus; a key that opens a window
# is sent again if that window does not come.
step "Sample.Lto named on the command line opens in the Database window"
wait_window "Database" >/dev/null

step "the import window, and the CSV through the file dialog"
keys_until "Database" "Import Draws" alt+i >/dev/null
keys_until "Import Draws" "Directories - Folders" alt+f >/dev/null
choose_file "$work/new.csv"

step "import"
wait_focus "Import Draws" >/dev/null
xdotool key --clearmodifiers alt+i
wait_gone "Import Draws"

step "back to the menu, save under a new name"
wait_focus "Database" >/dev/null
xdotool key --clearmodifiers alt+x
wait_gone "Database"
keys_until "Tallimo Win9" "Directories - Folders" alt+s >/dev/null
choose_file "$work/Saved.lto"
wait_file "$work/Saved.lto"

step "exit from the program"
wait_focus "Tallimo Win9" >/dev/null
xdotool key --clearmodifiers alt+x
for _ in $(seq 1 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  echo "e2e: the program did not end"; cat "$work/program.log"; exit 1
fi
wait "$pid" || { echo "e2e: the program failed"; cat "$work/program.log"; exit 1; }

step "the saved database holds the sample and the three imported draws, in date order"
./tallimo export "$work/Saved.lto" > "$work/saved.csv"
expected_rows=$(( $(head -1 Sample.Lto | cut -d, -f1) + 3 ))
[ "$(($(wc -l < "$work/saved.csv") - 1))" -eq "$expected_rows" ] || { echo "e2e: wrong record count"; cat "$work/saved.csv" | tail -5; exit 1; }
tail -3 "$work/saved.csv" > "$work/tail.csv"
printf '2026-04-01,5,11,19,22,36,47\n2026-04-04,1,7,12,30,33,48\n2026-04-08,3,9,17,28,40,44\n' | cmp - "$work/tail.csv"
echo "e2e: passed"
