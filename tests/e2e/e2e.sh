#!/usr/bin/env bash
# End-to-end: the real program in a real X server (Xvfb), driven with xdotool as a user would.
# Starts the program, opens Sample.Lto through the real file dialog, sees the Database window,
# goes back to the menu, saves under a new name through the real dialog, extracts from record 5
# (typed, then the access key at once), saves the extract, and exits. The saved file must equal
# the sample byte for byte, and the extract must start at record 5. Every window is found by its
# exact title.
#   e2e.sh BIN_DIR                (BIN_DIR holds tallimo and the sample files)
#   e2e.sh --installed PREFIX     (an installed tree: PREFIX/bin/tallimo, run where it lies, with
#                                  its samples under PREFIX/share and a throwaway home)
set -euo pipefail
source "$(dirname "$0")/xdo.sh"

if [ "${1:-}" != "--inner" ]; then
  make_work xprop
  if [ "$1" = "--installed" ]; then
    prefix=$(cd "$2" && pwd)
    cp "$prefix"/share/tallimo-win9/samples/*.Lto "$work/app/"
    program="$prefix/bin/tallimo"
    mkdir -p "$work/home/Documents"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
  else
    bin=$(cd "$1" && pwd)
    cp "$bin/tallimo" "$bin"/tallimo-*.so "$bin"/*.Lto "$work/app/"
    program="$work/app/tallimo"
  fi
  run_inner "$0" "$work" "$program"
fi

enter_work "$2"
program="$3"
start_program "$program"

step "the main menu is shown"
menu=$(wait_window "Tallimo Win9")

step "the window carries the icon and the desktop entry's class"
entry="$(dirname "$0")/../../packaging/org.tallimo.TallimoWin9.desktop"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
[ -n "$wm_class" ] || { echo "e2e: the desktop entry has no StartupWMClass" >&2; exit 1; }
xprop -id "$menu" WM_CLASS | grep -qF "\"$wm_class\"" ||
  { echo "e2e: WM_CLASS $(xprop -id "$menu" WM_CLASS) is not '$wm_class'" >&2; exit 1; }
xprop -id "$menu" _NET_WM_ICON | grep -q "Icon (" ||
  { echo "e2e: the menu has no icon" >&2; exit 1; }

# Every key waits for the window it is meant for to have the focus; a key that opens a window
# is sent again if that window does not come.
step "open Sample.Lto through the file dialog"
keys_until "Tallimo Win9" "Directories - Folders" alt+o >/dev/null
choose_file "$app/Sample.Lto"

step "the Database window shows the sample"
keys_close "Database" alt+x

step "save under a new name through the file dialog"
save_as "$work/Saved.lto"

step "extract from record 5 on, typed and straight to the access key"
keys_until "Tallimo Win9" "Extract" alt+e >/dev/null
# The dialog opens with the focus in "From record number"; the first key replaces it.
wait_focus "Extract" >/dev/null
xdotool key --clearmodifiers 5
xdotool key --clearmodifiers alt+e
wait_gone "Extract"
keys_close "Database" alt+x

step "save the extract through the file dialog"
save_as "$work/Extract5.lto"

step "exit from the program"
exit_program

step "the saved file equals the sample byte for byte"
cmp "$app/Sample.Lto" "$work/Saved.lto"

step "the extract holds the records from 5 on"
total=$(head -c 20 "$app/Sample.Lto" | cut -d, -f1)
extracted=$(head -c 20 "$work/Extract5.lto" | cut -d, -f1)
[ "$extracted" = "$((total - 4))" ] || { echo "e2e: extract holds $extracted records, not $((total - 4))"; exit 1; }
echo "e2e: passed"
