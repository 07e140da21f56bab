# The end-to-end tests' ways of driving the program under Xvfb with xdotool. Sourced by each
# test once it runs inside the X server.

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
