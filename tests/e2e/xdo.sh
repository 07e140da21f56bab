# The end-to-end tests' ways of driving the program under Xvfb with xdotool, sourced by each
# test. A test runs twice: the outer run makes a throwaway folder and starts the test again
# inside a new X server (the inner run), which starts the program and drives it.

# The outer run: checks that xvfb-run, xdotool and the tools $@ are installed, and makes the
# folder $work, with $work/app for the program, removed when this run ends whatever the result.
make_work() {
  local tool
  for tool in xvfb-run xdotool "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool (the README's commands install it)"; exit 1; }
  done
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/app"
}
# Starts the test $1 again inside Xvfb on a 1280x1024 screen, as `$1 --inner ARGUMENTS...`, and
# ends this run with its status. A process that replaced this one would lose the trap that
# removes the folder: this run waits for the inner one instead.
run_inner() {
  local script="$1" status=0
  shift
  trap 'exit 130' INT
  trap 'exit 143' TERM
  # The server keeps running as it is when its last client leaves (-noreset): otherwise an
  # xdotool that looks for a window before the program has connected leaves, the server starts
  # over, and the program, connecting just then, is refused and ends.
  xvfb-run -a -e "$work/xvfb.log" -s "-noreset -screen 0 1280x1024x24" \
    bash "$script" --inner "$@" || status=$?
  exit "$status"
}
# The inner run, in the folder $1 that the outer run made: Qt on the X server (and not on a
# desktop's theme), in $work/app. What it starts in the background is ended when it ends.
enter_work() {
  work="$1"
  app="$work/app"
  export QT_QPA_PLATFORM=xcb
  unset QT_QPA_PLATFORMTHEME
  cd "$app"
  started=()
  trap 'for p in "${started[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT
}
# Starts "$@" in the background, to be ended with the inner run, and sets $last to its id.
start() {
  "$@" &
  last=$!
  started+=("$last")
}
# Starts the program as "$@", what it prints going to $work/program.log; $pid is its id.
start_program() {
  start "$@" > "$work/program.log" 2>&1
  pid=$last
}
# Leaves the program with Alt+X in the main menu and waits for it to end well; otherwise shows
# what it printed and fails.
exit_program() {
  wait_focus "Tallimo Win9" >/dev/null
  xdotool key --clearmodifiers alt+x
  for _ in $(seq 1 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "e2e: the program did not end"; cat "$work/program.log"; exit 1
  fi
  wait "$pid" || { echo "e2e: the program failed"; cat "$work/program.log"; exit 1; }
}


step() { echo "e2e: $*"; }
# Waits for a visible window whose title is exactly $1 and prints its id. The search matches
# the legacy title, which drops what Latin-1 cannot hold; the title shown (the UTF-8 one that
# getwindowname reads) must be exactly $1 too, with nothing appended.
wait_window() {
  local id="" shown=""
  for _ in $(seq 1 600); do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tac || true); do
      shown=$(xdotool getwindowname "$id" 2>/dev/null || true)
      [ "$shown" = "$1" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  echo "e2e: no window titled '$1' appeared${shown:+ (one is titled '$shown')}" >&2
  [ -s "${work:-}/program.log" ] && { echo "e2e: the program printed:" >&2; cat "$work/program.log" >&2; }
  [ -s "${work:-}/xvfb.log" ] && { echo "e2e: the X server printed:" >&2; cat "$work/xvfb.log" >&2; }
  return 1
}
# Waits until no visible window is titled $1.
wait_gone() {
  for _ in $(seq 1 600); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "e2e: window '$1' did not go away" >&2
  return 1
}
# Waits until the window with the keyboard focus is titled exactly $1 (there is no window
# manager, so the X input focus is the active window) and prints its id.
wait_focus() {
  local id="" name="" shown=""
  for i in $(seq 1 600); do
    id=$(xdotool getwindowfocus 2>/dev/null || true)
    name=$(xdotool getwindowname "$id" 2>/dev/null || true)
    [ "$name" = "$1" ] && { echo "$id"; return 0; }
    # Without a window manager nobody gives the focus back when a dialog closes: after a
    # moment the window is clicked into focus, as a user would.
    if [ $((i % 10)) -eq 0 ]; then
      for shown in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true); do
        [ "$(xdotool getwindowname "$shown" 2>/dev/null)" = "$1" ] &&
          xdotool windowfocus "$shown" 2>/dev/null || true
      done
    fi
    sleep 0.1
  done
  echo "e2e: '$1' never had the focus (it is in '$name')" >&2
  return 1
}
# Sends the keys $3... to the window titled $1 once it has the focus, until a window titled $2
# appears: a key that reached a window still opening or closing is sent again (three tries, each
# waited for 20 s). Prints the new window's id.
keys_until() {
  local from="$1" next="$2"; shift 2
  for _ in 1 2 3; do
    wait_focus "$from" >/dev/null || return 1
    xdotool key --clearmodifiers "$@"
    for _ in $(seq 1 200); do
      if xdotool search --onlyvisible --name "^$next\$" >/dev/null 2>&1; then
        wait_window "$next"
        return 0
      fi
      sleep 0.1
    done
  done
  echo "e2e: '$next' did not appear after $* in '$from'" >&2
  return 1
}
# Types the path $1 into the file dialog that has just opened and accepts it.
choose_file() {
  local dialog
  dialog=$(wait_window "Directories - Folders")
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  wait_focus "Directories - Folders" >/dev/null
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 15 "$1"
  xdotool key --clearmodifiers Return
  wait_gone "Directories - Folders"
}
# Waits until the file $1 exists (a save renames its temporary file into place).
wait_file() {
  for _ in $(seq 1 600); do [ -f "$1" ] && return 0; sleep 0.1; done
  echo "e2e: $1 was not written" >&2
  return 1
}
# Sends the keys $2... to the window titled $1 once it has the focus, and waits until it is gone.
keys_close() {
  local title="$1"; shift
  wait_focus "$title" >/dev/null
  xdotool key --clearmodifiers "$@"
  wait_gone "$title"
}
# Saves the database from the main menu under the name $1, through the file dialog.
save_as() {
  keys_until "Tallimo Win9" "Directories - Folders" alt+s >/dev/null
  choose_file "$1"
  wait_file "$1"
}
# Imports the file $1 from the Database window through Import Draws and its file dialog.
import_file() {
  keys_until "Database" "Import Draws" alt+i >/dev/null
  keys_until "Import Draws" "Directories - Folders" alt+f >/dev/null
  choose_file "$1"
  keys_close "Import Draws" alt+i
}
