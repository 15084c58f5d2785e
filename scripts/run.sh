#!/usr/bin/env bash
# The main job: installs what is missing, builds, lays out a game folder in out/game, starts the
# stand-in servers on a loopback address and starts the game through the updater.
# With a display the game opens on it and runs until you quit it from the tray menu (or Ctrl+C).
# Without one, everything runs on a virtual display and screenshots are saved in out/screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
OUT=$ROOT/out
HOST=${LMN_HOST:-127.0.0.2}
DEMO_SECONDS=${DEMO_SECONDS:-40}

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLMN_BUILD_GUI=ON >/dev/null
cmake --build build -j "$(nproc)"

rm -rf "$OUT/game" "$OUT/devroot" "$OUT/screenshots"
mkdir -p "$OUT/screenshots" "$OUT/devroot"
cmake --install build --prefix "$OUT/game" >/dev/null

export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
export LMN_UPDATE_HOSTS="$HOST"

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  export DISPLAY=:87
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
fi

build/devserver/devserver --host="$HOST" --root="$OUT/devroot" --www="$ROOT/devserver/www" \
  >"$OUT/devserver.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q '^ready' "$OUT/devserver.log" && break; sleep 0.1; done
echo "stand-in servers: http://$HOST/game/zrk/ (room server on $HOST:20000), logs in $OUT/devroot/log"

(cd "$OUT/game" && ./Update.exe >"$OUT/update.log" 2>&1 &)

shot() { import -window root "$OUT/screenshots/$1.png" 2>/dev/null && echo "screenshot $OUT/screenshots/$1.png"; }

if [ "$headless" = 1 ]; then
  start=$SECONDS
  n=0
  while [ $((SECONDS - start)) -lt "$DEMO_SECONDS" ]; do
    sleep 4
    n=$((n + 1))
    shot "$(printf '%02d' $n)-t$((SECONDS - start))s"
  done
  pkill -f "$OUT/game/LMN_KX.exe" 2>/dev/null || true
  pkill -f "$OUT/game/Update.exe" 2>/dev/null || true
  echo
  echo "screenshots are in $OUT/screenshots"
else
  echo "the game runs on $DISPLAY; quit it from its tray menu (退出) or press Ctrl+C here"
  while pgrep -f "$OUT/game/(LMN_KX|Update).exe" >/dev/null; do sleep 2; done
fi
