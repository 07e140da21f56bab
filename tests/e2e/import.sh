#!/usr/bin/env bash
# End-to-end: importing draws through the real import window. Starts the program with
# Sample.Lto named on the command line (it opens in the Database window), opens the import
# window with its access key, picks a CSV through the real file dialog, imports, saves under a
# new name and exits. The saved database must hold the sample's draws and the imported ones,
# which the command line's export shows.
#   import.sh BIN_DIR      (BIN_DIR holds tallimo and the sample files)
set -euo pipefail
source "$(dirname "$0")/xdo.sh"

if [ "${1:-}" != "--inner" ]; then
  bin=$(cd "$1" && pwd)
  make_work
  cp "$bin/tallimo" "$bin"/tallimo-*.so "$bin"/*.Lto "$work/app/"
  run_inner "$0" "$work"
fi

enter_work "$2"

# Three draws after the sample's last one, newest first, as an operator writes them.
printf 'Draw date;Numbers;Jackpot\r\n08.04.2026;"03 09 17 28 40 44";1.000.000\r\n04.04.2026;"01 07 12 30 33 48";900.000\r\n01.04.2026;"05 11 19 22 36 47";800.000\r\n' > "$work/new.csv"

start_program ./tallimo Sample.Lto

# Every key waits for the window it is meant for to have the focus; a key that opens a window
# is sent again if that window does not come.
step "Sample.Lto named on the command line opens in the Database window"
wait_window "Database" >/dev/null

step "the import window, the CSV through the file dialog, and import"
import_file "$work/new.csv"

step "back to the menu, save under a new name"
keys_close "Database" alt+x
save_as "$work/Saved.lto"

step "exit from the program"
exit_program

step "the saved database holds the sample and the three imported draws, in date order"
./tallimo export "$work/Saved.lto" > "$work/saved.csv"
expected_rows=$(( $(head -1 Sample.Lto | cut -d, -f1) + 3 ))
[ "$(($(wc -l < "$work/saved.csv") - 1))" -eq "$expected_rows" ] || { echo "e2e: wrong record count"; cat "$work/saved.csv" | tail -5; exit 1; }
tail -3 "$work/saved.csv" > "$work/tail.csv"
printf '2026-04-01,5,11,19,22,36,47\n2026-04-04,1,7,12,30,33,48\n2026-04-08,3,9,17,28,40,44\n' | cmp - "$work/tail.csv"
echo "e2e: passed"
