# Two clients playing a series of battles with rematches on a virtual display, for the soak and
# room-server restart tests. Each player has a game folder of its own that logs in by itself;
# the devserver's demo mode plays the battles and asks for the rematches, and the players answer
# the rematch questions (Enter on the message box) as they appear.
# Sourced after scripts/lib/player.sh; needs ROOT, BUILD, WORK, HOST, SHOTS.

series_setup() {
  mkdir -p "$SHOTS"
  trap stop_started EXIT
  export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu" SDL_AUDIODRIVER=dummy
  export LMN_VIRTUAL_DISPLAY=1
  start_display
  SERIES_SERVER_ARGS=(--autoplay=soak --autoplay-games="$1" --autoplay-pace=10 --autoplay-pile=40)
  start_devserver "${SERIES_SERVER_ARGS[@]}"
  HTTP=$WORK/devroot/log/http.log
  ROOM=$WORK/devroot/log/room.log
}

# A game folder for player $2 in $1 that logs in with the stored name; the client is started with
# go (the updater is not the subject here) and its window placed at x=$3. Sets PLAYER_PID.
start_player() {
  install_game "$1"
  printf '[common]\r\nstrUrl=http://%s/game/zrk/\r\nbMusic=0\r\nbSound=0\r\nbVoice=0\r\nbAutoLogin=1\r\nstrUserName=%s\r\nstrPassword=pw\r\n' \
    "$HOST" "$2" >"$1/config.ini"
  (cd "$1" && exec ./LMN_KX.exe go >"$WORK/client-$2.log" 2>&1) &
  PLAYER_PID=$!
  LMN_PIDS+=($PLAYER_PID)
  wait_window "$PLAYER_PID" 'Lumenfold-Orvane' 60 >/dev/null || fail "no window for $2"
  place_window "$PLAYER_PID" 'Lumenfold-Orvane' "$3" >/dev/null || fail "window of $2 cannot be placed"
}

# Answers every message box of the clients $2... until "stage=series" reports reach $1 played
# games for both players, or the bound ($SERIES_BOUND seconds) passes. Counts the boxes in
# BOXES; boxes other than the rematch questions go to UNEXPECTED_BOXES with a screenshot.
BOXES=0
UNEXPECTED_BOXES=0
play_series_until() {
  local games=$1 end=$((SECONDS + ${SERIES_BOUND:-300})) pid w name
  shift
  while [ $SECONDS -lt $end ]; do
    [ "$(count_lines "$HTTP" "stage=series&.*&played=$games\$")" -ge 2 ] && return 0
    for pid in "$@"; do
      kill -0 "$pid" 2>/dev/null || fail "client $pid ended"
      w=$(window_of "$pid" '^(LMN_KX|确定|提示)$')
      [ -n "$w" ] || continue
      name=$(xdotool getwindowname "$w")
      BOXES=$((BOXES + 1))
      if [ "$name" != 确定 ] && [ "$name" != 提示 ]; then
        UNEXPECTED_BOXES=$((UNEXPECTED_BOXES + 1))
        shot "unexpected-box-$pid"
      fi
      focus "$w"
      xdotool key Return
    done
    sleep 0.2
  done
  return 1
}

# Threads, sockets and resident memory (KiB) of a process, and the resident memory of its
# browser processes (QtWebEngineProcess children and their children).
threads_of() { ls "/proc/$1/task" | wc -l; }
sockets_of() { find "/proc/$1/fd" -lname 'socket:*' 2>/dev/null | wc -l; }
rss_of() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
descendants_of() {
  local child
  for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do
    echo "$child"
    descendants_of "$child"
  done
}
browser_rss_of() {
  local total=0 p
  for p in $(descendants_of "$1"); do
    [ -r "/proc/$p/status" ] && total=$((total + $(rss_of "$p" || echo 0)))
  done
  echo "$total"
}
