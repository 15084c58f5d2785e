#!/usr/bin/env bash
# The room server restarting between battles: two clients finish a battle, the devserver (web
# lobby, pages and room server) is killed and started again on the same address with the same
# root folder, and the next battles work: the clients recover without a restart of their own.
#   room_restart_test.sh BUILD_DIR
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
BUILD=$(realpath "$1")
GAMES=3
WORK=$(mktemp -d /tmp/lmn-room-restart-XXXXXX)
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

start_player "$WORK/game-a" restarta 0
A=$PLAYER_PID
start_player "$WORK/game-b" restartb 1005
B=$PLAYER_PID
SERIES_BOUND=120 play_series_until 1 "$A" "$B" || fail "the first battle did not end"

# Killed hard, between two battles, and started again as it was.
kill -9 "$DEVSERVER_PID"
wait "$DEVSERVER_PID" 2>/dev/null
logins_before=$(count_lines "$ROOM" 'MSG_SRV_LOGIN')
sleep 2
start_devserver "${SERIES_SERVER_ARGS[@]}"
say "devserver restarted on $HOST"
shot after-restart 1993x630+0+0

start=$SECONDS
SERIES_BOUND=150 play_series_until "$GAMES" "$A" "$B"
series_ok=$?
shot after-last-battle 1993x630+0+0

check "all $GAMES battles were played" [ "$series_ok" = 0 ]
check "both clients are still running" kill -0 "$A" "$B"
check "both clients logged in to the new room server" [ $(($(count_lines "$ROOM" 'MSG_SRV_LOGIN') - logins_before)) -ge 2 ]
check "every battle page saw all actions intact" \
  [ "$(count_lines "$HTTP" 'stage=battle&.*&received=10&intact=10&.*&bad=$')" = $((GAMES * 2)) ]
for g in a b; do
  check "game-$g: $GAMES replay files" [ "$(find "$WORK/game-$g/record" -name '*.txt' | wc -l)" = "$GAMES" ]
done
echo "room restart: battles 2-$GAMES took $((SECONDS - start)) s after the restart;" \
  "$(count_lines "$HTTP" '/p2pgame.php') hall visits, $BOXES message boxes answered ($UNEXPECTED_BOXES other than rematch questions)"

# The screenshots stay with the build as test artifacts.
mkdir -p "$BUILD/test-artifacts/room_restart"
cp "$SHOTS"/*.png "$BUILD/test-artifacts/room_restart/" 2>/dev/null
if [ "$failures" = 0 ]; then
  rm -rf "$WORK"
  echo "room restart: all checks passed"
else
  echo "room restart: $failures checks failed; kept in $WORK"
fi
[ "$failures" = 0 ]
