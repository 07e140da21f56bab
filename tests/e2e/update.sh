#!/usr/bin/env bash
# End-to-end: Update Draws through the real windows, from a local web server. The command line
# makes Week.lto from the server's table and remembers the address; the server's table then
# grows by three draws. The program starts with Week.lto, Update Draws asks about the plain http
# address, shows the three new draws, imports them; the database is saved under a new name and
# the program left. The saved database must hold the eight draws, and its side file the
# remembered address, which the command line's update then reads again with nothing new.
#   update.sh BIN_DIR SERVER   (BIN_DIR holds tallimo and the samples; SERVER is the test
#                               server program, local_http_server)
set -euo pipefail
source "$(dirname "$0")/xdo.sh"

if [ "${1:-}" != "--inner" ]; then
  bin=$(cd "$1" && pwd)
  server=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
  make_work
  mkdir -p "$work/served"
  cp "$bin/tallimo" "$bin"/tallimo-*.so "$work/app/"
  run_inner "$0" "$work" "$server"
fi

enter_work "$2"
server="$3"

# The operator's table, newest first: five draws, and later three more.
first='2025-03-29,4,13,22,31,40,49\r\n2025-03-22,2,9,16,23,30,41\r\n2025-03-15,7,14,21,29,37,45\r\n2025-03-08,5,12,20,28,36,44\r\n2025-03-01,3,11,19,27,35,43\r\n'
more='2025-04-19,18,25,32,38,39,47\r\n2025-04-12,6,10,17,26,34,46\r\n2025-04-05,1,8,15,24,33,42\r\n'
printf "Draw Date,N1,N2,N3,N4,N5,N6\r\n$first" > "$work/served/draws.csv"

start "$server" "$work/served" "$work/port" > "$work/server.log" 2>&1
wait_file "$work/port"
address="http://127.0.0.1:$(cat "$work/port")/files/draws.csv"

step "the command line makes Week.lto from $address and remembers it"
./tallimo import "$address" --into Week.lto --picks 6 --high 49 --remember --allow-http
printf "Draw Date,N1,N2,N3,N4,N5,N6\r\n$more$first" > "$work/served/draws.csv"

start_program ./tallimo Week.lto

step "Week.lto named on the command line opens in the Database window"
wait_window "Database" >/dev/null

step "Update Draws asks about the plain http address first"
keys_until "Database" "Unencrypted Address" alt+u >/dev/null
wait_focus "Unencrypted Address" >/dev/null
xdotool key --clearmodifiers Return
wait_window "Update Draws" >/dev/null

step "the three new draws are imported"
keys_close "Update Draws" alt+i

step "back to the menu, save under a new name"
keys_close "Database" alt+x
save_as "$work/Saved.lto"
wait_file "$work/Saved.tickets.json"

step "exit from the program"
exit_program

step "the saved database holds the eight draws, oldest first"
./tallimo export "$work/Saved.lto" > "$work/saved.csv"
printf 'Date,N1,N2,N3,N4,N5,N6\n2025-03-01,3,11,19,27,35,43\n2025-03-08,5,12,20,28,36,44\n2025-03-15,7,14,21,29,37,45\n2025-03-22,2,9,16,23,30,41\n2025-03-29,4,13,22,31,40,49\n2025-04-05,1,8,15,24,33,42\n2025-04-12,6,10,17,26,34,46\n2025-04-19,18,25,32,38,39,47\n' |
  cmp - "$work/saved.csv" || { echo "e2e: the saved draws differ"; cat "$work/saved.csv"; exit 1; }

step "its side file remembers the address: the command line finds nothing new there"
grep -qF "\"location\": \"$address\"" "$work/Saved.tickets.json" ||
  { echo "e2e: the address is not remembered"; cat "$work/Saved.tickets.json"; exit 1; }
[ "$(./tallimo update "$work/Saved.lto" --allow-http)" = "added 0, already present 8, conflicts 0, rejected 0" ] ||
  { echo "e2e: the update from the command line differs"; exit 1; }
echo "e2e: passed"
