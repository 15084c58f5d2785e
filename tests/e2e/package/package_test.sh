#!/usr/bin/env bash
# The Debian package as players get it: validated, installed with apt into a fresh Debian 12 root
# (debootstrap), and played there by two normal users through the launcher on PATH, against the
# devserver on a loopback address and a virtual display of this machine. Each user's first start
# makes their own game folder, the updater brings it up to date and starts the client, the two
# log in and play a battle through the room server. A newer package then refreshes the files
# the players still have as the package put them and leaves the updater's own alone; removing
# the package leaves the players' folders as they are. Needs root (chroot, mounts).
#   package_test.sh BUILD_DIR [WORK_DIR]
# BUILD_DIR: a build of the programs and devserver (the package is made there with cpack).
# The pristine Debian root is made once and kept in LMN_PACKAGE_ROOT_CACHE (default
# /var/cache/lumenfold/bookworm-minbase); each run copies it, and downloaded packages are kept
# beside it (apt-archives/), so later runs install without fetching them again.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
BUILD=$(realpath "$1")
WORK=$(realpath -m "${2:-$ROOT/out/package-test}")
CACHE=${LMN_PACKAGE_ROOT_CACHE:-/var/cache/lumenfold/bookworm-minbase}
MIRROR=${LMN_DEBIAN_MIRROR:-http://deb.debian.org/debian}
SHOTS=$WORK/screenshots
source "$ROOT/scripts/lib/player.sh"

[ "$(id -u)" = 0 ] || fail "needs root (debootstrap, chroot, mounts)"
for tool in debootstrap dpkg-deb desktop-file-validate appstreamcli xdotool import Xvfb; do
  command -v "$tool" >/dev/null || fail "$tool is missing (bash scripts/install-deps.sh)"
done

failures=0
check() { # description, command...
  local what=$1
  shift
  if "$@"; then say "ok   $what"; else say "FAIL $what"; failures=$((failures + 1)); fi
}

FS=$WORK/root
mounted_in_root() { awk -v root="$FS" 'index($2, root "/") == 1 { print $2 }' /proc/mounts | sort -r; }
cleanup() {
  stop_started
  local i
  # Whatever the players still run inside the root ends before its mounts go.
  for i in /proc/[0-9]*; do
    [ "$(readlink "$i/root" 2>/dev/null)" = "$FS" ] && kill -9 "${i#/proc/}" 2>/dev/null
  done
  sleep 0.5
  mounted_in_root | xargs -r -n1 umount -l
}
trap cleanup EXIT
mount_in() { # mount arguments..., target inside the root last
  local target=${*: -1}
  mkdir -p "$target"
  mount "$@"
}
in_root() { chroot "$FS" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

# Mounts left inside the root by a run that was killed go first: removing the folder must never
# reach through them into this machine's /dev or the package cache.
mounted_in_root | xargs -r -n1 umount -l
[ -z "$(mounted_in_root)" ] || fail "cannot unmount what is mounted in $FS"
rm -rf --one-file-system "$WORK"
mkdir -p "$WORK" "$SHOTS"
LOG=$WORK/steps.log
exec > >(tee "$LOG") 2>&1

say "step 1: the package"
(cd "$BUILD" && rm -f lumenfold_*.deb && cpack -G DEB) >"$WORK/cpack.log" 2>&1 || fail "cpack: $(tail -5 "$WORK/cpack.log")"
DEB=$(ls "$BUILD"/lumenfold_*.deb)
say "made $DEB ($(stat -c %s "$DEB") bytes)"
mkdir -p "$WORK/deb"
dpkg-deb -x "$DEB" "$WORK/deb"
dpkg-deb -f "$DEB" Depends >"$WORK/depends"
check "desktop entries are valid" desktop-file-validate "$WORK"/deb/usr/share/applications/*.desktop
check "the AppStream description is valid" appstreamcli validate --no-net "$WORK"/deb/usr/share/metainfo/*.xml
check "dependencies come from dpkg-shlibdeps" grep -q 'libqt6webenginewidgets6 (>=' "$WORK/depends"
check "the launcher is on PATH" [ -L "$WORK/deb/usr/bin/lumenfold" ]
for icon in lumenfold lumenfold-card-maker; do
  check "icon $icon in the hicolor theme" [ -s "$WORK/deb/usr/share/icons/hicolor/256x256/apps/$icon.png" ]
done
cmake --install "$BUILD" --prefix "$WORK/plain-install" >/dev/null
listing() { (cd "$1" && find . ! -name lumenfold-player-folder | LC_ALL=C sort); }
check "the package's game folder holds what cmake --install puts into one" \
  diff <(listing "$WORK/plain-install") <(listing "$WORK/deb/usr/lib/lumenfold")

say "step 2: a fresh Debian 12 root"
if [ ! -x "$CACHE/root/usr/bin/apt-get" ]; then
  say "making the pristine root in $CACHE (once)"
  rm -rf "$CACHE/root.new"
  mkdir -p "$CACHE"
  debootstrap --variant=minbase bookworm "$CACHE/root.new" "$MIRROR" >"$WORK/debootstrap.log" 2>&1 ||
    fail "debootstrap: $(tail -5 "$WORK/debootstrap.log")"
  mv "$CACHE/root.new" "$CACHE/root"
fi
cp -a "$CACHE/root" "$FS"
cp /etc/resolv.conf "$FS/etc/resolv.conf"
mkdir -p "$CACHE/apt-archives/partial"
mount_in -t proc proc "$FS/proc"
mount_in --rbind /sys "$FS/sys"
mount_in --bind /dev "$FS/dev"
mount_in --bind /dev/pts "$FS/dev/pts"
mount_in -t tmpfs tmpfs "$FS/dev/shm"
mount_in --bind "$CACHE/apt-archives" "$FS/var/cache/apt/archives"
say "root ready in $FS"

say "step 3: apt-get install ./$(basename "$DEB")"
cp "$DEB" "$FS/tmp/"
in_root apt-get update >"$WORK/apt-update.log" 2>&1 || fail "apt-get update: $(tail -5 "$WORK/apt-update.log")"
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "./tmp/$(basename "$DEB")" >"$WORK/apt-install.log" 2>&1 ||
  fail "apt-get install: $(tail -20 "$WORK/apt-install.log")"
say "$(grep -cE '^(Setting up|Unpacking)' "$WORK/apt-install.log") apt lines, $(grep -E 'newly installed' "$WORK/apt-install.log")"
check "the package is installed" in_root dpkg-query -W -f='${Status}' lumenfold
check "lumenfold is found on PATH" [ "$(in_root sh -c 'command -v lumenfold')" = /usr/bin/lumenfold ]
for entry in lumenfold lumenfold-card-maker; do
  check "desktop entry $entry is in /usr/share/applications" [ -f "$FS/usr/share/applications/$entry.desktop" ]
done
in_root useradd -m -s /bin/bash ana
in_root useradd -m -s /bin/bash ben

say "step 4: stand-in servers and a display on this machine"
pick_host
export LMN_VIRTUAL_DISPLAY=1
start_display
mount_in --bind /tmp/.X11-unix "$FS/tmp/.X11-unix"
start_devserver --autoplay=1
HTTP=$WORK/devroot/log/http.log
ROOM=$WORK/devroot/log/room.log
say "devserver on $HOST, display $DISPLAY"

# Starts the game as user $1 the way the desktop entry does ("lumenfold game" on PATH) and waits
# until the updater has started the client; sets CLIENT_PID and CLIENT_WIN (and PAGES, the
# client pages served before).
play() {
  local user=$1 x=$2 folder=$FS/home/$1/.local/share/lumenfold updater
  PAGES=$(count_lines "$HTTP" '/index.php\?type=client')
  # The browser runs without its own sandbox, as in the other end-to-end tests.
  chroot --userspec="$user:$user" "$FS" /usr/bin/env -i HOME="/home/$user" USER="$user" \
    PATH=/usr/local/bin:/usr/bin:/bin DISPLAY="$DISPLAY" LANG=C.UTF-8 SDL_AUDIODRIVER=dummy \
    LMN_UPDATE_HOSTS="$HOST" QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
    lumenfold game >>"$WORK/game-$user.log" 2>&1 &
  LMN_PIDS+=($!)
  updater=$(wait_pid_of "$folder/Update.exe" 60) || fail "$user: no updater ($(tail -3 "$WORK/game-$user.log"))"
  say "$user: updater $updater runs in $folder"
  if wait_window "$updater" 'Lumenfold-升级程序' 10 >/dev/null; then shot "$user-updater"; fi
  CLIENT_PID=$(wait_pid_of "$folder/LMN_KX.exe" 120) || fail "$user: no client ($(tail -3 "$WORK/game-$user.log"))"
  LMN_PIDS+=($CLIENT_PID)
  wait_window "$CLIENT_PID" 'Lumenfold-Orvane' 60 >/dev/null || fail "$user: no client window"
  CLIENT_WIN=$(place_window "$CLIENT_PID" 'Lumenfold-Orvane' "$x") || fail "$user: client window cannot be placed"
  say "$user: client $CLIENT_PID started with $(tr '\0' ' ' <"/proc/$CLIENT_PID/cmdline")"
}

# Skips the introduction with a click (unless the client page is there already) and waits for
# the client page.
client_page() {
  local user=$1 win=$2
  sleep 2
  if [ "$(count_lines "$HTTP" '/index.php\?type=client')" -le "$PAGES" ]; then
    xdotool mousemove --window "$win" 400 300 click 1
  fi
  wait_lines "$HTTP" '/index.php\?type=client' $((PAGES + 1)) 120 || fail "$user: no client page"
  sleep 2
  shot "$user-client-page"
}

log_in() {
  local user=$1 win=$2
  focus "$win"
  # The name box, clicked as a player does: after the introduction movie took the click, the
  # login page's own focus is not to be relied on.
  xdotool mousemove --window "$win" 178 133 click 1
  sleep 0.3
  xdotool type --delay 40 "$user"
  xdotool key Tab
  xdotool type --delay 40 "secret"
  xdotool key Return
  wait_lines "$HTTP" "process.php\?type=\[login\]&username=$user" 1 20 || fail "$user: login not sent"
}

say "step 5: first start, update and play"
play ana 0
ANA_PID=$CLIENT_PID ANA_WIN=$CLIENT_WIN
client_page ana "$ANA_WIN"
log_in ana "$ANA_WIN"
play ben 1005
BEN_PID=$CLIENT_PID BEN_WIN=$CLIENT_WIN
client_page ben "$BEN_WIN"
log_in ben "$BEN_WIN"
wait_lines "$HTTP" '/gameclient_fc.php\?' 2 90 || fail "the players were not paired"
say "paired by the room server"
wait_lines "$ROOM" 'MSG_GAME_DEAL' 20 90 || fail "the battle does not run"
shot battle 1993x630+0+0
wait_lines "$HTTP" 'report.txt\?stage=battle' 2 180 || fail "the battle did not end"
say "battle over: $(count_lines "$ROOM" 'MSG_GAME_DEAL') actions relayed"
ANA=$FS/home/ana/.local/share/lumenfold
BEN=$FS/home/ben/.local/share/lumenfold
for user in ana ben; do
  folder=$FS/home/$user/.local/share/lumenfold
  check "$user: the updater replaced itself in the player's folder" \
    cmp -s "$WORK/devroot/update-tree/update/Update.exe" "$folder/Update.exe"
  check "$user: card pictures were fetched" [ -s "$folder/images/card/card_no_1_big.jpg" ]
  check "$user: the server address was stored" grep -q "strUrl=http://$HOST/game/zrk/" "$folder/config.ini"
  check "$user: the battle was recorded" [ -n "$(ls -A "$folder/record" 2>/dev/null)" ]
  check "$user: the folder belongs to the player" [ "$(stat -c %u "$folder/config.ini")" = "$(in_root id -u "$user")" ]
done
check "each battle page saw the other's 100 actions intact" [ "$(count_lines "$HTTP" 'received=100&intact=100')" = 2 ]
check "the installed files are unchanged" [ -z "$(in_root dpkg --verify lumenfold)" ]
kill "$ANA_PID" "$BEN_PID" 2>/dev/null
sleep 1

say "step 6: a newer package"
# The same package with a changed introduction page and updater and without pt.html.
NEW=$WORK/newer
dpkg-deb -R "$DEB" "$NEW"
version=$(dpkg-deb -f "$DEB" Version)
sed -i "s/^Version: .*/Version: $version+1/" "$NEW/DEBIAN/control"
echo "<!-- newer -->" >>"$NEW/usr/lib/lumenfold/open.html"
printf 'newer' >>"$NEW/usr/lib/lumenfold/Update.exe"
rm "$NEW/usr/lib/lumenfold/pt.html"
(cd "$NEW" && find usr -type f -exec md5sum {} +) >"$NEW/DEBIAN/md5sums"
dpkg-deb -b "$NEW" "$FS/tmp/lumenfold-newer.deb" >/dev/null
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y ./tmp/lumenfold-newer.deb >"$WORK/apt-upgrade.log" 2>&1 ||
  fail "apt-get install of the newer package: $(tail -10 "$WORK/apt-upgrade.log")"
say "installed $(in_root dpkg-query -W -f='${Version}' lumenfold)"
ana_update=$(sha256sum <"$ANA/Update.exe")
play ana 0
client_page ana "$CLIENT_WIN"
check "a file the player kept as installed is refreshed" cmp -s "$FS/usr/lib/lumenfold/open.html" "$ANA/open.html"
check "a file the package no longer has is gone" [ ! -e "$ANA/pt.html" ]
check "the updater's own updater stays" cmp -s "$WORK/devroot/update-tree/update/Update.exe" "$ANA/Update.exe"
check "the newer package's updater did not replace it" [ "$(sha256sum <"$ANA/Update.exe")" = "$ana_update" ]
check "ben's folder waits for ben's next start" [ -e "$BEN/pt.html" ]
kill "$CLIENT_PID" 2>/dev/null
sleep 1

say "step 7: apt-get remove lumenfold"
in_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y lumenfold >"$WORK/apt-remove.log" 2>&1 ||
  fail "apt-get remove: $(tail -10 "$WORK/apt-remove.log")"
check "the programs are gone" [ ! -e "$FS/usr/lib/lumenfold" -a ! -e "$FS/usr/bin/lumenfold" ]
check "the desktop entries are gone" [ ! -e "$FS/usr/share/applications/lumenfold.desktop" ]
for folder in "$ANA" "$BEN"; do
  check "$(basename "$(dirname "$(dirname "$(dirname "$folder")")")")'s folder stays with settings, pictures and replays" \
    [ -s "$folder/config.ini" -a -s "$folder/images/card/card_no_1_big.jpg" -a -n "$(ls -A "$folder/record")" ]
done

if [ "$failures" -gt 0 ]; then
  say "$failures check(s) failed; log in $LOG"
  exit 1
fi
say "package test passed; log in $LOG, screenshots in $SHOTS"
