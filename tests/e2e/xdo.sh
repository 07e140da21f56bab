# The end-to-end tests' ways of driving the program under Xvfb with xdotool. Sourced by each
# test once it runs inside the X server.

step() { echo "e2e: $*"; }
# Waits for a visible window whose title is exactly $1 and prints its id. The search matches
# the legacy title, which drops what Latin-1 cannot hold; the title shown (the UTF-8 one that
# getwindowname reads) must be exactly $1 too, with nothing appended.
wait_window() {
  local id="" shown=""
  for _ in $(seq 1 200); do
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
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "e2e: window '$1' did not go away" >&2
  return 1
}
keys() {
  local win="$1"; shift
  xdotool windowfocus --sync "$win" 2>/dev/null || true
  sleep 0.2
  xdotool key --clearmodifiers "$@"
}
