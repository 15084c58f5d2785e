#!/bin/sh
# Adds the game's two desktop entries (share/applications/ of this game folder) to the current
# user's application menu; "--remove" takes them out again. Uses xdg-desktop-menu when it is
# installed, else copies the entries to $XDG_DATA_HOME/applications (~/.local/share/applications).
# The entries name this folder's launcher and icons by their full paths, so moving the folder
# means registering it again.
set -e
dir=$(dirname "$(readlink -f "$0")")
set -- "${1:-}" "$dir/share/applications/lumenfold.desktop" "$dir/share/applications/lumenfold-card-maker.desktop"
action=$1
shift
case "$action" in
  "" | --remove) ;;
  *) echo "usage: register-desktop.sh [--remove]" >&2; exit 2 ;;
esac
if command -v xdg-desktop-menu >/dev/null 2>&1; then
  if [ "$action" = --remove ]; then
    xdg-desktop-menu uninstall --mode user "$@"
  else
    xdg-desktop-menu install --mode user --novendor "$@"
  fi
  echo "xdg-desktop-menu: ${action:-install} done"
  exit 0
fi
apps="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
mkdir -p "$apps"
for entry in "$@"; do
  if [ "$action" = --remove ]; then
    rm -f "$apps/$(basename "$entry")"
    echo "removed $apps/$(basename "$entry")"
  else
    cp "$entry" "$apps/"
    echo "added $apps/$(basename "$entry")"
  fi
done
if command -v update-desktop-database >/dev/null 2>&1; then update-desktop-database "$apps" || true; fi
