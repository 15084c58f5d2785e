#!/usr/bin/env bash
# packaging/lumenfold-player-folder on its own: a read-only "installed" folder with a stand-in
# launcher, a player's home whose path holds a blank; the first start, a start with nothing new,
# and a newer installed folder (changed, added and removed files, some of them changed by the
# player since).
#   player_folder_test.sh SOURCE_DIR
set -uo pipefail
SCRIPT=$1/packaging/lumenfold-player-folder
WORK=$(mktemp -d /tmp/lmn-player-folder-XXXXXX)
trap 'chmod -R u+w "$WORK"; rm -rf "$WORK"' EXIT
failures=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

SYS=$WORK/usr/lib/lumenfold
HOME_DIR="$WORK/home/a player"
DST="$HOME_DIR/.local/share/lumenfold"
mkdir -p "$SYS/sound" "$SYS/images/card" "$HOME_DIR"
install -m 755 "$SCRIPT" "$SYS/lumenfold-player-folder"
# The folder's launcher: records where it runs and with what.
printf '#!/bin/sh\necho "$(dirname "$(readlink -f "$0")")|$*" >>"$(dirname "$(readlink -f "$0")")/started"\n' >"$SYS/lumenfold"
chmod 755 "$SYS/lumenfold"
printf 'program 1' >"$SYS/Update.exe"
chmod 755 "$SYS/Update.exe"
for f in open.html pt.html sound/click.mp3 sound/bk.mp3; do echo "$f 1" >"$SYS/$f"; done
chmod -R a-w "$WORK/usr"

start() { # arguments of the launcher; the script's messages go to $WORK/said
  env -i HOME="$HOME_DIR" PATH=/usr/bin:/bin XDG_DATA_HOME="${XDG:-}" "$SYS/lumenfold-player-folder" "$@" \
    2>"$WORK/said"
}

# First start (with a relative XDG_DATA_HOME, which does not count): the player's folder is made
# and its launcher runs there.
(cd "$WORK" && XDG=data start game)
check "the first start makes the player's folder" grep -q "making $DST" "$WORK/said"
check "the player's launcher runs with the arguments" [ "$(cat "$DST/started" 2>/dev/null)" = "$DST|game" ]
check "every file is copied" diff -r -x started -x '.lumenfold-*' -x lumenfold-player-folder "$SYS" "$DST"
check "empty folders are made" [ -d "$DST/images/card" ]
check "programs stay executable" [ -x "$DST/Update.exe" ]
check "the player owns writable copies" [ -w "$DST/open.html" ]
check "the script itself is not copied" [ ! -e "$DST/lumenfold-player-folder" ]
check "a relative XDG_DATA_HOME is not taken" [ ! -e "$WORK/data" ]

# What the player's updater and the player do in their folder.
printf 'program 2 from the update server' >"$DST/Update.exe"
echo "player's own click" >"$DST/sound/click.mp3"
echo "[common]" >"$DST/config.ini"
mkdir -p "$DST/record" && echo replay >"$DST/record/r1.lmr"

# A start with nothing new installed copies nothing.
rm "$DST/started"
start maker x=1
check "a later start says nothing" [ ! -s "$WORK/said" ]
check "a later start runs the player's launcher" [ "$(cat "$DST/started")" = "$DST|maker x=1" ]
check "the updater's file stays" [ "$(cat "$DST/Update.exe")" = "program 2 from the update server" ]

# A newer package: every file changes, pt.html and click.mp3 are gone, a new file comes.
chmod -R u+w "$WORK/usr"
printf 'program 3' >"$SYS/Update.exe"
for f in open.html sound/bk.mp3; do echo "$f 3" >"$SYS/$f"; done
rm "$SYS/pt.html" "$SYS/sound/click.mp3"
echo "new 3" >"$SYS/sound/win.mp3"
chmod -R a-w "$WORK/usr"
start game
check "a newer package is noticed" grep -q "refreshing $DST" "$WORK/said"
check "files kept as installed are refreshed" [ "$(cat "$DST/open.html")" = "open.html 3" ]
check "new files come" [ "$(cat "$DST/sound/win.mp3")" = "new 3" ]
check "files the package dropped go" [ ! -e "$DST/pt.html" ]
check "the updater's file stays" [ "$(cat "$DST/Update.exe")" = "program 2 from the update server" ]
check "a dropped file the player changed stays" [ "$(cat "$DST/sound/click.mp3")" = "player's own click" ]
check "settings and replays stay" [ -s "$DST/config.ini" -a -s "$DST/record/r1.lmr" ]
check "no temporary files are left" [ -z "$(find "$DST" -name '*.lumenfold-new' -o -name '.lumenfold-package.new')" ]

# An absolute XDG_DATA_HOME holds the folder.
XDG=$WORK/xdg start game
check "XDG_DATA_HOME is where the folder goes" [ -f "$WORK/xdg/lumenfold/started" ]

[ "$failures" = 0 ] || { echo "$failures check(s) failed"; exit 1; }
