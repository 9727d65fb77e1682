#!/usr/bin/env bash
# Shows Velloran at work without Winamp or Yahoo! Messenger: the stand-in player cycles through
# made-up songs, and the stand-in messenger prints every status Velloran publishes.
#   scripts/run-demo.sh BUILD_DIR      (e.g. build/win32, after `make win32`)
# Everything lives under BUILD_DIR: the program and its settings in BUILD_DIR/demo, a Wine prefix
# in BUILD_DIR/demo-wine (created on the first run, reused after). Uses $DISPLAY when set, else a
# private Xvfb. Ctrl-C stops everything the demo started.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh"

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR   (e.g. build/win32)" >&2
  exit 2
fi
if [ ! -d "$1" ]; then
  echo "run-demo: no build folder $1; run 'make win32' first" >&2
  exit 1
fi
build=$(cd "$1" && pwd)
bin=$build/bin
for file in Velloran.exe Velloran.dll SubstitutePlayer.exe SubstituteMessenger.exe; do
  if [ ! -f "$bin/$file" ]; then
    echo "run-demo: $bin/$file does not exist yet; build it first ('make win32')" >&2
    exit 1
  fi
done

demo=$build/demo
world=$build/demo-wine
mkdir -p "$demo" "$world"
cp "$bin/Velloran.exe" "$bin/Velloran.dll" "$demo/"

# Windows line ends, as the program's own editors write them.
crlf() { sed 's/$/\r/'; }
crlf >"$demo/Velloran.ini" <<'INI'
[General]
Msg=~ %song% %progress% - %quote% / %lyrics%
[Yahoo!]
ID=demo_user
Trillian=1
INI
crlf >"$demo/Velloran.dat" <<'QUOTES'
Music is the shorthand of emotion.
Where words fail, music speaks.
One good thing about music: when it hits you, you feel no pain.
QUOTES
crlf >"$demo/Velloran Lyrics.dat" <<'LYRICS'
paper lanterns drifting down the river
northbound with the window open
salt and cedar on the evening air
the late ferry hums across the bay
LYRICS
: >"$demo/Velloran.dll.log"

background=()
cleanup() {
  trap - EXIT INT TERM
  echo
  echo "run-demo: stopping"
  # Stopping the server ends every Windows program of the prefix; the world holds a display of
  # its own only when the demo started one.
  wine_world_stop "$world"
  for pid in "${background[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  if [ ${#background[@]} -gt 0 ]; then
    wait "${background[@]}" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A previous demo that was killed may have left its server or display behind.
wine_world_stop "$world"
display=${DISPLAY:-}
if [ -z "$display" ]; then
  display=$(wine_world_start_xvfb "$world")
fi
wine_world_write_env "$world" "$world/prefix" "$display"
# shellcheck disable=SC1091
. "$world/env"
if [ ! -f "$world/prefix-ready" ]; then
  echo "run-demo: creating the Wine prefix $WINEPREFIX (first run only, about 15 s)"
  rm -rf "$WINEPREFIX"
  wine_world_create_prefix "$world/wineboot.log"
  touch "$world/prefix-ready"
fi
wine_world_start_server

echo "run-demo: Velloran runs in $demo on display $DISPLAY; Ctrl-C stops the demo."
echo "run-demo: each status Velloran publishes appears below as the messenger receives it."
wine "$bin/SubstituteMessenger.exe" --id demo_user </dev/null &
background+=($!)
wine "$bin/SubstitutePlayer.exe" --demo </dev/null &
background+=($!)
# Ends by itself within a second of this script.
tail --pid=$$ -n 0 -F "$demo/Velloran.dll.log" 2>/dev/null | sed -u 's/^/Trillian plug-in: /' &
# With the ID named, the plug-in's load line shows the status already in the registry.
(cd "$demo" && VELLORAN_PLUGIN_ID=demo_user exec wine "$demo/Velloran.exe" </dev/null) &
velloran=$!
background+=("$velloran")

# Until Ctrl-C, or until Velloran is closed from its tray menu.
wait "$velloran" || true
echo "run-demo: Velloran has ended"
