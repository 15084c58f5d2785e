#!/usr/bin/env bash
# A player's first hour, played end to end against the stand-in servers:
#   two fresh game folders are brought up to date by the updater (which replaces itself and
#   fetches the card pictures), each client starts with "go", shows its introduction (skipped by
#   a click) and the login page, where a player types a name and password; the two players are
#   paired in a room and play a battle, chat, play a rematch, replay their battles, collect a
#   shared replay, replay and delete it; then the first player opens the card maker on a card,
#   puts a picture and texts on it, writes the card set and publishes it in the card shop.
# The pages walk through the game by themselves (the devserver's demo mode, --autoplay=firsthour);
# everything a page cannot do is done here as a player would: clicks and keys on the real windows.
# With a display you can watch (and take over afterwards: the game keeps running until Ctrl+C);
# without one, a virtual display is used. Screenshots of every step go to WORK/screenshots.
#
#   scripts/first-hour.sh [--build DIR] [--work DIR] [--host ADDR]
# Defaults: build folder "build", work folder "out/first-hour", host 127.0.0.2.
# Exit status 0 when the hour was played to its end.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$ROOT/build
WORK=$ROOT/out/first-hour
HOST=${LMN_HOST:-127.0.0.2}
while [ $# -gt 0 ]; do
  case "$1" in
    --build) BUILD=$(realpath "$2"); shift 2 ;;
    --work) WORK=$(realpath -m "$2"); shift 2 ;;
    --host) HOST=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--work DIR] [--host ADDR]" >&2; exit 2 ;;
  esac
done
SHOTS=$WORK/screenshots
GAME_AREA=1993x630+0+0 # the two client windows side by side
# shellcheck source=lib/player.sh
source "$ROOT/scripts/lib/player.sh"

for tool in xdotool import convert Xvfb; do
  command -v "$tool" >/dev/null || fail "$tool is missing (bash scripts/install-deps.sh)"
done
rm -rf "$WORK"
mkdir -p "$WORK" "$SHOTS"
trap stop_started EXIT

export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
export LMN_UPDATE_HOSTS="$HOST"
start_display
[ "$HEADLESS" = 1 ] && export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
start_devserver --autoplay=firsthour
HTTP=$WORK/devroot/log/http.log
ROOM=$WORK/devroot/log/room.log
say "stand-in servers on $HOST (base URL http://$HOST/game/zrk/), display $DISPLAY"

# The picture the player will put on a card.
mkdir -p "$WORK/pictures"
PICTURE=$WORK/pictures/hero.png
convert -size 600x800 gradient:'#ff8a65-#5e35b1' -fill '#ffd54f' -draw 'circle 300,320 300,170' \
  -fill '#fff3e0' -draw 'ellipse 300,700 220,160 180,360' "$PICTURE"

# Starts the game of folder $1 through its launcher (as the desktop entry does); sets CLIENT_PID
# and CLIENT_WIN once the updater has done its work and the client window is up.
start_game() {
  local dir=$1 tag=$2 x=$3
  install_game "$dir"
  (cd "$dir" && exec ./lumenfold >"$WORK/game-$tag.log" 2>&1) &
  LMN_PIDS+=($!)
  local updater
  updater=$(wait_pid_of "$dir/Update.exe" 30) || fail "updater of $tag did not start"
  if wait_window "$updater" 'Lumenfold-升级程序' 10 >/dev/null; then shot "$tag-updater"; fi
  CLIENT_PID=$(wait_pid_of "$dir/LMN_KX.exe" 120) || fail "client of $tag did not start: $(tail -3 "$WORK/game-$tag.log")"
  LMN_PIDS+=($CLIENT_PID)
  wait_window "$CLIENT_PID" 'Lumenfold-Orvane' 60 >/dev/null || fail "no client window for $tag"
  CLIENT_WIN=$(place_window "$CLIENT_PID" 'Lumenfold-Orvane' "$x") || fail "client window of $tag cannot be placed"
  say "$tag: updated, client $CLIENT_PID started with go"
}

# The introduction, skipped by a click, then the login page, where the player types.
log_in() {
  local tag=$1 win=$2 name=$3 pages
  pages=$(count_lines "$HTTP" '/index.php\?type=client')
  sleep 2
  shot "$tag-intro" "$GAME_AREA"
  xdotool mousemove --window "$win" 400 300 click 1
  wait_lines "$HTTP" '/index.php\?type=client' $((pages + 1)) 120 || fail "$tag: no login page"
  sleep 2
  focus "$win"
  # The name box, clicked as a player does: after the movie of the introduction took the click,
  # the login page's own focus is not to be relied on.
  xdotool mousemove --window "$win" 178 133 click 1
  sleep 0.3
  xdotool type --delay 40 "$name"
  xdotool key Tab
  xdotool type --delay 40 "secret"
  shot "$tag-login" "$GAME_AREA"
  xdotool key Return
  wait_lines "$HTTP" "process.php\?type=\[login\]&username=$name" 1 20 || fail "$tag: login not sent"
}

start_game "$WORK/game-a" a 0
A_PID=$CLIENT_PID A_WIN=$CLIENT_WIN
log_in a "$A_WIN" xiaoming
wait_lines "$HTTP" 'battle_mode_field.php' 1 30 || fail "a: not in a room"
sleep 1
shot a-room "$GAME_AREA"

start_game "$WORK/game-b" b 1005
B_PID=$CLIENT_PID B_WIN=$CLIENT_WIN
log_in b "$B_WIN" xiaohong

# Paired by the room server; the first battle.
wait_lines "$HTTP" '/gameclient_fc.php\?' 2 60 || fail "the players were not paired"
say "paired; first battle"
wait_lines "$ROOM" 'MSG_GAME_DEAL' 12 60 || fail "first battle does not run"
shot battle-1 "$GAME_AREA"
wait_lines "$HTTP" 'stage=series&.*&played=1' 2 120 || fail "first battle did not end"
sleep 0.5
shot battle-1-over "$GAME_AREA"

# After the game the chat box has the keyboard: the player says something.
chats=$(count_lines "$ROOM" 'MSG_SRV_CHAT')
focus "$A_WIN"
xdotool type --delay 40 "gg, well played"
xdotool key Return
wait_lines "$ROOM" 'MSG_SRV_CHAT' $((chats + 1)) 10 || fail "chat line not sent"
sleep 0.5
shot chat "$GAME_AREA"

# The leading player asks for a rematch; the other accepts.
answer_box "$A_PID" '^确定$' rematch-ask
answer_box "$B_PID" '^提示$' rematch-accept
wait_lines "$HTTP" '/gameclient_fc.php\?' 4 60 || fail "rematch did not start"
say "rematch accepted; second battle"
wait_lines "$ROOM" 'MSG_GAME_DEAL' 30 60 && shot battle-2 "$GAME_AREA"
wait_lines "$HTTP" 'stage=series&.*&played=2' 2 120 || fail "second battle did not end"
sleep 0.5
shot battle-2-over "$GAME_AREA"

# Replays: both replay their newest battle; the leading player collects a shared replay,
# replays it and deletes it again.
wait_lines "$HTTP" '/record.php' 2 30 || fail "no replay page"
wait_lines "$HTTP" 'stage=replay&' 2 60 || fail "own replays were not replayed"
shot replays "$GAME_AREA"
answer_box "$A_PID" '^LMN_KX$' replay-collected
wait_lines "$HTTP" 'stage=replay&' 3 60 || fail "collected replay was not replayed"
shot replay-of-collected "$GAME_AREA"
answer_box "$A_PID" '^LMN_KX$' replay-deleted

# The card maker, opened from the card shop on card 1.
wait_lines "$HTTP" '/cards.php' 1 30 || fail "no card shop page"
MAKER_PID=$(wait_pid_of "$WORK/game-a/LMN_KX_Maker.exe" 30) || fail "card maker not started"
LMN_PIDS+=($MAKER_PID)
MAKER_WIN=$(wait_window "$MAKER_PID" '^Lumenfold-编辑器$' 30) || fail "no card maker window"
TOOL_WIN=$(wait_window "$MAKER_PID" '^工具栏$' 10) || fail "no tool window"
sleep 2
shot maker

# Menu "卡片编辑" (second in the menu bar) and one of its three entries.
maker_menu() {
  focus "$MAKER_WIN"
  xdotool mousemove --window "$MAKER_WIN" 52 8 click 1
  sleep 0.7
  local i
  for i in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
}

maker_menu 2
DIALOG=$(wait_window "$MAKER_PID" '^(Open|打开)' 10) || fail "no file dialog"
focus "$DIALOG"
xdotool type --delay 10 "$PICTURE"
shot choose-picture
xdotool key Return
sleep 1.5
# The selection frame is dragged onto the part of the picture that goes on the card.
focus "$MAKER_WIN"
xdotool mousemove --window "$MAKER_WIN" 150 130 mousedown 1
for s in $(seq 10); do
  xdotool mousemove --window "$MAKER_WIN" $((150 + s * 18)) $((130 + s * 16))
  sleep 0.05
done
xdotool mouseup 1
# The tool window: new character, texts, preview.
focus "$TOOL_WIN"
tool_type() { xdotool mousemove --window "$TOOL_WIN" "$1" "$2" click 1; xdotool type --delay 20 "$3"; }
xdotool mousemove --window "$TOOL_WIN" 384 16 click 1
sleep 0.3
tool_type 123 40 "Hikari"
tool_type 309 40 "Lumenfold"
tool_type 123 64 "Mio"
tool_type 218 102 "A girl who folds light into cards."
xdotool mousemove --window "$TOOL_WIN" 417 114 click 1
sleep 1
shot card-composed

maker_menu 3
answer_box "$MAKER_PID" '^LMN_KX_Card_Maker$' card-set-written
answer_box "$MAKER_PID" '^LMN_KX_Card_Maker$' card-replace-ask
answer_box "$MAKER_PID" '^LMN_KX_Card_Maker$' card-replaced
CARD_SET=$(ls -d "$WORK"/game-a/maker/card_no_1_* 2>/dev/null | head -1)
[ -f "$CARD_SET/card_no_1_big.jpg" ] || fail "no card set written"
say "card set written: $CARD_SET"

# Publishing: the card shop's publish button has the keyboard; the card maker is restarted with
# its publish form.
focus "$A_WIN"
xdotool key Return
# (The card maker still open is asked to close; the publishing one is a new process.)
MAKER_PID=$(wait_pid_of "$WORK/game-a/LMN_KX_Maker.exe" 30 "$MAKER_PID") || fail "card maker not started to publish"
LMN_PIDS+=($MAKER_PID)
FORM=$(wait_window "$MAKER_PID" '^输入准备发布的卡片信息$' 30) || fail "no publish form"
focus "$FORM"
xdotool mousemove --window "$FORM" 200 20 click 1
xdotool type --delay 10 "$CARD_SET/card_no_1_big.jpg"
xdotool key Tab Tab
xdotool type 30
xdotool key Tab
xdotool type --delay 20 "Hikari"
shot publish-form
xdotool key Return
answer_box "$MAKER_PID" '^提示$' publish-cost
answer_box "$MAKER_PID" '^LMN_KX_Card_Maker$' published 60
sleep 1
shot after-publishing

kill -0 "$A_PID" 2>/dev/null && kill -0 "$B_PID" 2>/dev/null || fail "a client ended on its own"
say "the first hour is complete: 2 battles, replays, a card set written and published"
echo "screenshots of the first hour: $SHOTS"
if [ "$HEADLESS" = 0 ] && [ "${FIRST_HOUR_STOP:-0}" != 1 ]; then
  say "the game keeps running on $DISPLAY; play on, and press Ctrl+C here to end everything"
  while kill -0 "$A_PID" 2>/dev/null || kill -0 "$B_PID" 2>/dev/null; do sleep 2; done
fi
