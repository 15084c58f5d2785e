# Playing the game as a player would, from a shell: the stand-in servers, game folders, a virtual
# display when there is none, the programs' windows found by process, clicks and keys through
# xdotool, and numbered screenshots. Sourced by scripts/first-hour.sh and the end-to-end tests.
# Needs: ROOT (repository), BUILD (build folder), WORK (a folder for this run), HOST (loopback).

# Window titles are Chinese: xdotool matches them only under a UTF-8 locale.
export LC_ALL=C.UTF-8
LMN_PIDS=()
SHOT_NO=0

say() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*"; }
fail() { say "FAILED: $*"; exit 1; }

stop_started() {
  local p
  for p in "${LMN_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
}

# A virtual display unless there is a display already (or LMN_VIRTUAL_DISPLAY=1).
start_display() {
  # The players' windows are real windows on the display, whatever platform the caller chose
  # (the test command runs everything else offscreen).
  export QT_QPA_PLATFORM=xcb
  if [ -n "${DISPLAY:-}" ] && [ "${LMN_VIRTUAL_DISPLAY:-0}" != 1 ]; then
    HEADLESS=0
    return
  fi
  HEADLESS=1
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 2000x1300x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    LMN_PIDS+=($!)
    export DISPLAY=":$n"
    local i
    for i in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  done
  fail "no virtual display could be started"
}

start_devserver() {
  mkdir -p "$WORK/devroot"
  local i before
  # Counted before the start: a quick server may be ready before the next line runs.
  before=$(count_lines "$WORK/devserver.log" '^ready')
  "$BUILD/devserver/devserver" --host="$HOST" --root="$WORK/devroot" --www="$ROOT/devserver/www" "$@" \
    >>"$WORK/devserver.log" 2>&1 &
  DEVSERVER_PID=$!
  LMN_PIDS+=($DEVSERVER_PID)
  for i in $(seq 600); do
    if [ "$(count_lines "$WORK/devserver.log" '^ready')" -gt "$before" ]; then
      say "devserver ready after $((i / 10)).$((i % 10)) s"
      return
    fi
    kill -0 "$DEVSERVER_PID" 2>/dev/null || fail "devserver ended: $(tail -3 "$WORK/devserver.log")"
    sleep 0.1
  done
  fail "devserver not ready after 60 s: $(tail -3 "$WORK/devserver.log")"
}

stop_devserver() {
  kill "$DEVSERVER_PID" 2>/dev/null || true
  wait "$DEVSERVER_PID" 2>/dev/null || true
}

# A game folder as `cmake --install` lays it out.
install_game() {
  cmake --install "$BUILD" --prefix "$1" >"$WORK/install.log" 2>&1 || fail "install into $1"
}

# The process ids running program file $1 (an absolute path).
pids_of() {
  local p exe
  for p in /proc/[0-9]*; do
    exe=$(readlink "$p/exe" 2>/dev/null) || continue
    [ "$exe" = "$1" ] && echo "${p#/proc/}"
  done
  return 0
}

# The first process running program file $1 within $2 seconds, other than process $3.
wait_pid_of() {
  local i pid
  for i in $(seq $((${2:-60} * 5))); do
    pid=$(pids_of "$1" | grep -vx "${3:-0}" | head -1)
    [ -n "$pid" ] && { echo "$pid"; return 0; }
    sleep 0.2
  done
  return 1
}

# The visible window of process $1 whose title matches the regular expression $2.
window_of() {
  xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -1
}

wait_window() {
  local i w
  for i in $(seq $((${3:-30} * 5))); do
    w=$(window_of "$1" "$2")
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}

# Moves the window of process $1 titled $2 to x=$3, y=0 and prints its id. The first window a
# program shows may be replaced right away, so this retries until the move holds (a window
# manager may put its frame around it: then the last window found is taken as it is).
place_window() {
  local i w=
  for i in $(seq 25); do
    w=$(window_of "$1" "$2")
    if [ -n "$w" ] && xdotool windowmove "$w" "$3" 0 2>/dev/null; then
      sleep 0.3
      if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q "Position: $3,0 "; then
        echo "$w"
        return 0
      fi
    fi
    sleep 0.2
  done
  [ -n "$w" ] && echo "$w"
}

# Keyboard focus to a window, with or without a window manager.
focus() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
  sleep 0.3
}

# A numbered screenshot of the whole screen, or of the part $2 (WxH+X+Y), in SHOTS.
shot() {
  SHOT_NO=$((SHOT_NO + 1))
  local file
  file=$(printf '%s/%02d-%s.png' "$SHOTS" "$SHOT_NO" "$1")
  if [ -n "${2:-}" ]; then
    import -window root -crop "$2" +repage "$file" 2>/dev/null
  else
    import -window root "$file" 2>/dev/null
  fi && say "screenshot $file"
}

# Waits until file $1 has at least $3 lines matching $2 (extended regular expression).
wait_lines() {
  local i
  for i in $(seq $((${4:-60} * 5))); do
    [ "$(count_lines "$1" "$2")" -ge "$3" ] && return 0
    sleep 0.2
  done
  return 1
}

count_lines() {
  local n
  n=$(grep -aEc -- "$2" "$1" 2>/dev/null)
  echo "${n:-0}"
}

# A message box of process $1 with caption matching $2: photographed as $3 and answered with
# Enter (its default button: OK or Yes).
answer_box() {
  local w
  w=$(wait_window "$1" "$2" "${4:-30}") || fail "no message box '$2' from process $1 (for $3)"
  sleep 0.5
  shot "$3"
  focus "$w"
  xdotool key Return
  local i
  for i in $(seq 25); do
    [ -z "$(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | grep -x "$w")" ] && return 0
    sleep 0.2
  done
  xdotool key Return
}

# A loopback address no other test is using: a lock file per address (held by this shell for
# its life) and nothing listening on its ports. Sets HOST.
pick_host() {
  local attempt n host
  for attempt in $(seq 500); do
    n=$(( (RANDOM * 32768 + RANDOM + attempt * 7919) % 50000 ))
    host="127.$((10 + n / 250 % 200)).$((1 + n % 250)).1"
    exec {LMN_HOST_LOCK}>"/tmp/lmn-loopback-$host.lock" || continue
    if flock -n "$LMN_HOST_LOCK" && ! (: >"/dev/tcp/$host/80") 2>/dev/null &&
      ! (: >"/dev/tcp/$host/20000") 2>/dev/null; then
      HOST=$host
      return 0
    fi
    exec {LMN_HOST_LOCK}>&-
  done
  fail "no free loopback address"
}
