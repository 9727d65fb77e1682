#!/usr/bin/env bash
# Starts the gallery, every kind of window the skin engine draws, under Wine:
#   scripts/run-gallery.sh BUILD_DIR [--open NAME] [--skin NAME] [--skins DIR] [--watch DIR]
# on $DISPLAY when set, else on a private Xvfb display. The Wine prefix lives in
# BUILD_DIR/gallery-wine (made on the first run, reused after). Closing the gallery's main
# window, or Ctrl-C, ends everything the script started. The folders of --skins and --watch may be
# given as Unix paths; the gallery gets them as Wine sees them (drive Z:).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh"

if [ $# -lt 1 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD_DIR [--open NAME] [--skin NAME] [--skins DIR] [--watch DIR]   (after 'make win32')" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
shift
arguments=()
while [ $# -gt 0 ]; do
  case $1 in
    --skins|--watch)
      if [ $# -ge 2 ] && [ -d "$2" ]; then
        arguments+=("$1" "Z:$(cd "$2" && pwd)")
        shift 2
        continue
      fi ;;
  esac
  arguments+=("$1")
  shift
done
gallery=$build/bin/VelloranGallery.exe
if [ ! -f "$gallery" ]; then
  echo "run-gallery: $gallery does not exist yet; build it first ('make win32')" >&2
  exit 1
fi

arch=$(wine_world_arch_of "$gallery")
world=$build/gallery-wine
mkdir -p "$world"
# A gallery that was killed may have left its server or display behind.
wine_world_stop "$world"
display=${DISPLAY:-}
trap 'wine_world_stop "$world"' EXIT
trap 'exit 130' INT TERM
[ -n "$display" ] || display=$(wine_world_start_xvfb "$world")
wine_world_write_env "$world" "$world/prefix" "$display" "$arch"
# shellcheck disable=SC1091
. "$world/env"
# A prefix is made for one architecture: one of the other kind is made anew.
if [ "$(cat "$world/prefix-ready" 2>/dev/null)" != "$arch" ]; then
  echo "run-gallery: creating the Wine prefix $WINEPREFIX (first run only, about 15 s)"
  rm -rf "$WINEPREFIX"
  wine_world_create_prefix "$world/wineboot.log"
  echo "$arch" >"$world/prefix-ready"
fi
wine_world_start_server "$world/wineserver.log"

echo "run-gallery: the gallery ($arch) runs on display $DISPLAY; close its main window to end it."
# In the background, so that Ctrl-C reaches the traps at once.
"$WINE" "$gallery" "${arguments[@]}" </dev/null &
wait $!
