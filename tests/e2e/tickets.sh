#!/usr/bin/env bash
# End-to-end: a ticket played, a draw imported that wins, the Tickets window showing it. The
# database and its ticket are made with the command line; the program opens the database, the
# winning draw comes in through Import Draws, the Tickets window is opened and closed (which
# marks the new result as seen), and the database is saved under a new name, its tickets with
# it. The command line then reads the prize and the draw the window showed.
#   tickets.sh BIN_DIR      (BIN_DIR holds tallimo)
set -euo pipefail
source "$(dirname "$0")/xdo.sh"

if [ "${1:-}" != "--inner" ]; then
  bin=$(cd "$1" && pwd)
  make_work
  cp "$bin/tallimo" "$bin"/tallimo-*.so "$work/app/"
  run_inner "$0" "$work"
fi

enter_work "$2"

step "a database of two draws and a ticket of two forms from 1 December, 3 of 6 paying 10.00"
printf 'Date,N1,N2,N3,N4,N5,N6\n2026-11-21,1,2,3,4,5,6\n2026-11-28,7,8,9,10,11,12\n' > "$work/old.csv"
./tallimo import "$work/old.csv" --into "$work/Week.lto" --picks 6 --high 49 >/dev/null
printf '3 14 25 31 40 44\n5 9 17 21 33 48\n' > "$work/forms.txt"
./tallimo tickets add "$work/Week.lto" --forms "$work/forms.txt" --first 2026-12-01 --draws 2 --price 1 >/dev/null
./tallimo tickets prizes "$work/Week.lto" --set 3=10 >/dev/null
# The draw of 5 December holds 3, 14 and 25 of the first form.
printf 'Date,N1,N2,N3,N4,N5,N6\n2026-12-05,3,14,25,36,41,49\n' > "$work/new.csv"

start_program ./tallimo "$work/Week.lto"

step "the winning draw through Import Draws"
wait_window "Database" >/dev/null
import_file "$work/new.csv"

step "the Tickets window, from the main menu"
keys_close "Database" alt+x
keys_until "Tallimo Win9" "Tickets" alt+t >/dev/null
keys_close "Tickets" alt+x

step "save under a new name, and exit"
save_as "$work/Saved.lto"
wait_file "$work/Saved.tickets.json"
exit_program

step "the ticket played the new draw and won 10.00; the window saw the draw of 5 December"
./tallimo tickets list "$work/Saved.lto" --csv > "$work/list.csv"
printf 'ticket,label,first_draw,draws,forms,price,played,to_come,spent,won\n1,,2026-12-01,2,2,1.00,1,1,2.00,10.00\n' | cmp - "$work/list.csv" ||
  { echo "e2e: wrong tickets"; cat "$work/list.csv"; exit 1; }
grep -q '"seen_up_to": "2026-12-05"' "$work/Saved.tickets.json" ||
  { echo "e2e: the Tickets window did not show the new draw"; cat "$work/Saved.tickets.json"; exit 1; }
echo "e2e: passed"
