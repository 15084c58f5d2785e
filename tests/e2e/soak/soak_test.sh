#!/usr/bin/env bash
# Two real clients play a long series of battles, each after the first through a rematch: no
# crash, one replay file per battle in each folder, every battle complete, and the client's
# threads, sockets and memory compared between the end of the first and the last battle
# (the LMN_KX.exe process apart from its browser processes). The figures are printed.
#   soak_test.sh BUILD_DIR [GAMES]   (20 games unless told)
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
BUILD=$(realpath "$1")
GAMES=${2:-20}
WORK=$(mktemp -d /tmp/lmn-soak-XXXXXX)
SHOTS=$WORK/screenshots
source "$ROOT/scripts/lib/player.sh"
source "$ROOT/tests/e2e/soak/series.sh"
pick_host
series_setup "$GAMES"
failures=0
check() {
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

start_player "$WORK/game-a" soaka 0
A=$PLAYER_PID
start_player "$WORK/game-b" soakb 1005
B=$PLAYER_PID

SERIES_BOUND=120 play_series_until 1 "$A" "$B" || fail "the first battle did not end"
sleep 2
declare -A before after
for p in "$A" "$B"; do
  before[$p]="$(threads_of "$p") $(sockets_of "$p") $(rss_of "$p") $(browser_rss_of "$p")"
done
shot after-first-battle 1993x630+0+0

start=$SECONDS
SERIES_BOUND=$((GAMES * 30)) play_series_until "$GAMES" "$A" "$B"
series_ok=$?
elapsed=$((SECONDS - start))
sleep 2
shot after-last-battle 1993x630+0+0
for p in "$A" "$B"; do
  kill -0 "$p" 2>/dev/null && after[$p]="$(threads_of "$p") $(sockets_of "$p") $(rss_of "$p") $(browser_rss_of "$p")"
done

check "$GAMES battles were played" [ "$series_ok" = 0 ]
check "both clients are still running" kill -0 "$A" "$B"
check "no message box but the rematch questions" [ "$UNEXPECTED_BOXES" = 0 ]
check "every battle after the first came through a rematch (nobody went back to the hall)" \
  [ "$(count_lines "$HTTP" '/p2pgame.php')" = 2 ]
check "each battle relayed its 20 actions" [ "$(count_lines "$ROOM" 'MSG_GAME_DEAL')" = $((GAMES * 20)) ]
check "every battle page saw all actions intact" \
  [ "$(count_lines "$HTTP" 'stage=battle&.*&received=10&intact=10&.*&bad=$')" = $((GAMES * 2)) ]
for g in a b; do
  check "game-$g: $GAMES replay files" [ "$(find "$WORK/game-$g/record" -name '*.txt' | wc -l)" = "$GAMES" ]
  check "game-$g: each replay holds its 20 moves" \
    [ "$(cat "$WORK/game-$g"/record/*.txt | tr '^' '\n' | grep -cE '^(me|op) 2$')" = $((GAMES * 20)) ]
done

echo "soak: $GAMES battles, $((GAMES - 1)) of them in $elapsed s, $BOXES rematch questions answered"
for p in "$A" "$B"; do
  read -r t0 s0 m0 w0 <<<"${before[$p]}"
  read -r t1 s1 m1 w1 <<<"${after[$p]:-0 0 0 0}"
  echo "client $p: threads $t0 -> $t1, sockets $s0 -> $s1, LMN_KX.exe RSS $((m0 / 1024)) -> $((m1 / 1024)) MiB" \
    "($(((m1 - m0) / 1024)) MiB), browser processes RSS $((w0 / 1024)) -> $((w1 / 1024)) MiB ($(((w1 - w0) / 1024)) MiB)"
  check "client $p: no thread left behind" [ "$t1" -le "$t0" ]
  check "client $p: no socket left behind" [ "$s1" -le "$s0" ]
  # The client's own process may grow by what its browser side caches, not by battles: a leak
  # of a few KiB per action would show here as well over this bound.
  check "client $p: LMN_KX.exe grew by less than 48 MiB" [ $((m1 - m0)) -lt $((48 * 1024)) ]
done

# The screenshots stay with the build as test artifacts.
mkdir -p "$BUILD/test-artifacts/soak"
cp "$SHOTS"/*.png "$BUILD/test-artifacts/soak/" 2>/dev/null
if [ "$failures" = 0 ]; then
  rm -rf "$WORK"
  echo "soak: all checks passed"
else
  echo "soak: $failures checks failed; kept in $WORK"
fi
[ "$failures" = 0 ]
