#!/usr/bin/env bash
# The main job: installs what is missing, builds, and plays a player's first hour against the
# stand-in servers on a loopback address (scripts/first-hour.sh): two fresh game folders are
# updated by the updater, two clients log in, are paired, play a battle, chat, play a rematch,
# replay and collect replays, and the first player makes a card in the card maker and publishes it.
# With a display you watch it happen and can play on afterwards (Ctrl+C here ends everything).
# Without one, everything runs on a virtual display and the screenshots of each step are saved;
# the folder is named at the end (out/first-hour/screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The windows and message boxes have Chinese titles, which xdotool matches only under a UTF-8
# locale: what this command starts runs under one whatever the caller's (a minimal root has none).
export LC_ALL=C.UTF-8
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLMN_BUILD_GUI=ON >/dev/null
cmake --build build -j "$(nproc)"

exec bash scripts/first-hour.sh --build build --work out/first-hour --host "${LMN_HOST:-127.0.0.2}"
