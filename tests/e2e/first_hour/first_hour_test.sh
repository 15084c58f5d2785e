#!/usr/bin/env bash
# A player's first hour (scripts/first-hour.sh) on a virtual display in a temporary folder, then
# what it must have left behind: updated game folders, settings, replays, the card set, the
# published card, and the servers' logs of the two battles.
#   first_hour_test.sh BUILD_DIR
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
BUILD=$(realpath "$1")
WORK=$(mktemp -d /tmp/lmn-first-hour-XXXXXX)
source "$ROOT/scripts/lib/player.sh"
pick_host
failures=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

LMN_VIRTUAL_DISPLAY=1 FIRST_HOUR_STOP=1 bash "$ROOT/scripts/first-hour.sh" --build "$BUILD" --work "$WORK/run" --host "$HOST"
status=$?
RUN=$WORK/run
HTTP=$RUN/devroot/log/http.log
ROOM=$RUN/devroot/log/room.log
check "the first hour ran to its end" [ "$status" = 0 ]

# The updater brought both fresh folders up to date, itself included, and stored the address.
for g in a b; do
  check "$g: the updater replaced itself with the server's copy" \
    cmp -s "$RUN/devroot/update-tree/update/Update.exe" "$RUN/game-$g/Update.exe"
  check "$g: card pictures were fetched" \
    [ "$(find "$RUN/game-$g/images/card" -name 'card_no_*_big.jpg' | wc -l)" -ge 3 ]
  check "$g: config.ini holds the server address" \
    grep -aq "^strUrl=http://$HOST/game/zrk/" "$RUN/game-$g/config.ini"
done
check "each updater fetched the new updater program" [ "$(count_lines "$HTTP" '/update/Update.exe$')" -ge 2 ]

# Two whole battles between the two, each action relayed once, both pages seeing every action.
check "two battles of 20 relayed actions" [ "$(count_lines "$ROOM" 'MSG_GAME_DEAL')" = 40 ]
check "four battle reports, every action received intact" \
  [ "$(count_lines "$HTTP" 'stage=battle&.*&received=10&intact=10&.*&bad=$')" = 4 ]
check "one winner per battle" [ "$(count_lines "$HTTP" 'stage=battle&.*&won=1&')" = 2 ]
check "the chat line typed after the first battle reached the room" grep -aq 'MSG_SRV_CHAT gg, well played' "$ROOM"
check "the rematch was an invitation through the room server" [ "$(count_lines "$ROOM" 'MSG_SRV_INVITE_REPLY')" -ge 1 ]

# Each player keeps two replays of 20 moves that start from the whole pile of 40 points.
for g in a b; do
  files=("$RUN/game-$g"/record/*.txt)
  check "$g: two own replays" [ "${#files[@]}" = 2 ]
  for f in "${files[@]}"; do
    check "$g: $(basename "$f") holds the 20 moves" \
      [ "$(tr '^' '\n' <"$f" | grep -cE '^(me|op) 2$')" = 20 ]
  done
done
check "a: replays are named after the players" bash -c "ls '$RUN/game-a/record' | grep -q '^\[xiaoming\] vs \[100[0-9]\]20[0-9]\{12\}\.txt$'"
check "a collected replay was fetched" grep -aq 'collect id=3' "$RUN/devroot/log/replays.log"
check "the collected replay was deleted again" [ -z "$(ls -A "$RUN/game-a/collect")" ]
check "three replays were played back to their end" [ "$(count_lines "$HTTP" 'stage=replay&steps=(20|10)&left=0')" -ge 3 ]

# The card set: six pictures in the maker folder, installed over the card's own pictures.
set_dir=$(ls -d "$RUN"/game-a/maker/card_no_1_* 2>/dev/null | head -1)
check "the card set has its six files" [ "$(ls "$set_dir" 2>/dev/null | wc -l)" = 6 ]
for v in big small mini mini_t mini_d mini_d_t; do
  check "card_no_1_$v.jpg is installed in images/card" cmp -s "$set_dir/card_no_1_$v.jpg" "$RUN/game-a/images/card/card_no_1_$v.jpg"
done
check "the card maker kept the player's name" grep -aq '^strUserName=xiaoming' "$RUN/game-a/config.ini"
check "the big card picture is a JPEG of 290x420" [ "$(identify -format '%m %wx%h' "$set_dir/card_no_1_big.jpg" 2>/dev/null)" = "JPEG 290x420" ]

# Publishing: both pictures reached the shop's FTP folder and the card was registered.
check "the shop was asked for an FTP account" grep -aq 'ftp_info username=xiaoming' "$RUN/devroot/log/shop.log"
check "the card was registered with its name and price" \
  grep -aq 'card_upload .*cardname=Hikari.*&price=30' "$RUN/devroot/log/shop.log"
check "two pictures were uploaded" [ "$(find "$RUN/devroot/shop/ftp/diy" -name '*.jpg' | wc -l)" = 2 ]
check "the uploaded big picture is the one prepared" \
  cmp -s "$RUN/game-a/temp/big.jpg" "$(find "$RUN/devroot/shop/ftp/diy" -name '*_big.jpg' | head -1)"

check "screenshots of every step" [ "$(find "$RUN/screenshots" -name '*.png' -size +10k | wc -l)" -ge 25 ]

# The screenshots stay with the build as test artifacts.
mkdir -p "$BUILD/test-artifacts/first_hour"
cp "$RUN/screenshots"/*.png "$BUILD/test-artifacts/first_hour/" 2>/dev/null
if [ "$failures" = 0 ]; then
  rm -rf "$WORK"
  echo "first hour: all checks passed"
else
  echo "first hour: $failures checks failed; the run is kept in $RUN"
fi
[ "$failures" = 0 ]
