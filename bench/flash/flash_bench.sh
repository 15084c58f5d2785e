#!/usr/bin/env bash
# Flash player costs in the real LMN_KX.exe (offscreen) against the devserver:
#  - a page with one movie: time from the start of its navigation to the movie's first frame;
#  - the client's start-up (process start to the loaded client page without a movie), with the
#    player in the game folder (the bootstrap injected) against without (no bootstrap): a ratio;
#  - memory (RSS of the client and its browser processes) with one movie playing against none.
# Each figure is the median of RUNS runs (default 5). Nothing is asserted.
set -euo pipefail
cd "$(dirname "$0")/../.."
RUNS=${RUNS:-5}
BUILD=${BUILD:-build}
HOST=${LMN_BENCH_HOST:-127.0.0.$((200 + RANDOM % 50))}
cmake --build "$BUILD" --target lmn_kx devserver flash_player flash_test_bridge_movie >/dev/null

export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
export SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
root="$work/dev"
"$BUILD/devserver/devserver" --host="$HOST" --root="$root" >"$work/devserver.out" 2>&1 &
dev=$!
client=
cleanup() {
  [ -n "$client" ] && kill "$client" 2>/dev/null || true
  kill "$dev" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do grep -q '^ready' "$work/devserver.out" && break; sleep 0.1; done
log="$root/log/http.log"

# A game folder pointing at one bench page, with or without the player.
folder() {  # name page player(0/1)
  local dir="$work/$1"
  mkdir -p "$dir"
  cp "$BUILD/client/shell/qt/LMN_KX.exe" "$dir/"
  printf '[common]\r\nstrUrl=http://%s/game/zrk/flashbench/%s/\r\nbMusic=0\r\n' "$HOST" "$2" >"$dir/config.ini"
  [ "$3" = 1 ] && cp -r "$BUILD/game/ruffle" "$dir/ruffle"
  echo "$dir"
}

# Waits until the log has a new line containing $1 (after line $2); prints the line.
wait_line() {
  for _ in $(seq 600); do
    local line
    line=$(tail -n +"$(($2 + 1))" "$log" 2>/dev/null | grep -m1 -F "$1" || true)
    [ -n "$line" ] && { echo "$line"; return 0; }
    sleep 0.05
  done
  echo "timeout waiting for $1" >&2
  return 1
}

rss_tree() {  # kB of a process and all its descendants
  local total=0 pid
  for pid in $1 $(pgrep -P "$1" || true) $(for c in $(pgrep -P "$1" || true); do pgrep -P "$c" || true; done); do
    total=$((total + $(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)))
  done
  echo "$total"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

# One client run: start it, wait for the page's report, note the figures, end it.
run() {  # dir stage -> "ms_from_start ms_reported rss_kb"
  local before start line end rss
  before=0
  [ -f "$log" ] && before=$(wc -l <"$log")
  start=$(date +%s%N)
  (cd "$1" && exec ./LMN_KX.exe go >client.log 2>&1) &
  client=$!
  line=$(wait_line "stage=$2" "$before")
  end=$(date +%s%N)
  sleep 2
  rss=$(rss_tree "$client")
  kill "$client"; wait "$client" 2>/dev/null || true
  client=
  echo "$(((end - start) / 1000000)) $(echo "$line" | sed 's/.*ms=\([0-9]*\).*/\1/') $rss"
}

with=$(folder with plain 1)
without=$(folder without plain 0)
movie=$(folder movie movie 1)
: >"$work/with.txt" ; : >"$work/without.txt" ; : >"$work/movie.txt"
for _ in $(seq "$RUNS"); do
  run "$without" loaded >>"$work/without.txt"
  run "$with" loaded >>"$work/with.txt"
  run "$movie" firstframe >>"$work/movie.txt"
done

start_with=$(cut -d' ' -f1 "$work/with.txt" | median)
start_without=$(cut -d' ' -f1 "$work/without.txt" | median)
first_frame=$(cut -d' ' -f2 "$work/movie.txt" | median)
rss_none=$(cut -d' ' -f3 "$work/with.txt" | median)
rss_movie=$(cut -d' ' -f3 "$work/movie.txt" | median)
echo "flash_bench ($RUNS runs each, medians)"
echo "  movie page: navigation start to the movie's first frame   ${first_frame} ms"
echo "  start-up to a loaded page without a movie: with bootstrap ${start_with} ms, without ${start_without} ms," \
     "ratio $(awk "BEGIN {printf \"%.3f\", $start_with / $start_without}") (target <= 1.05)"
echo "  memory (client + browser processes): one movie ${rss_movie} kB, none ${rss_none} kB," \
     "ratio $(awk "BEGIN {printf \"%.2f\", $rss_movie / $rss_none}")"
