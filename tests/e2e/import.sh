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
choose_file() {
  local dialog
  dialog=$(wait_window "Directories - Folders")
  sleep 0.5
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 15 "$1"
  xdotool key --clearmodifiers Return
  wait_gone "Directories - Folders"
}

# Three draws after the sample's last one, newest first, as an operator writes them.
printf 'Draw date;Numbers;Jackpot\r\n08.04.2026;"03 09 17 28 40 44";1.000.000\r\n04.04.2026;"01 07 12 30 33 48";900.000\r\n01.04.2026;"05 11 19 22 36 47";800.000\r\n' > "$work/new.csv"

./tallimo Sample.Lto > "$work/program.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

step "Sample.Lto named on the command line opens in the Database window"
database=$(wait_window "Database")
sleep 1

step "the import window, and the CSV through the file dialog"
keys "$database" alt+i
import=$(wait_window "Import Draws")
sleep 0.5
keys "$import" alt+f
choose_file "$work/new.csv"

step "import"
import=$(wait_window "Import Draws")
keys "$import" alt+i
wait_gone "Import Draws"

step "back to the menu, save under a new name"
database=$(wait_window "Database")
sleep 0.5
keys "$database" alt+x
menu=$(wait_window "Tallimo Win9")
keys "$menu" alt+s
choose_file "$work/Saved.lto"
for _ in $(seq 1 50); do [ -f "$work/Saved.lto" ] && break; sleep 0.1; done

step "exit from the program"
menu=$(wait_window "Tallimo Win9")
keys "$menu" alt+x
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
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
