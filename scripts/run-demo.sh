#!/usr/bin/env bash
# Shows Velloran at work without Winamp or Yahoo! Messenger: the stand-in player cycles through
# made-up songs, and the stand-in messenger prints every status Velloran publishes.
#   scripts/run-demo.sh [--verbose] BUILD_DIR   (e.g. build/win32, after `make win32`)
# Each publication shows as one line: the time, the status text, busy, and whether the Trillian
# plug-in got the same text. --verbose shows instead everything the messenger read from the
# registry and every line of the plug-in (load, call, free).
# Everything lives under BUILD_DIR: the program and its settings in BUILD_DIR/demo, a Wine prefix
# in BUILD_DIR/demo-wine (created on the first run, reused after), the Windows programs' own
# messages in BUILD_DIR/demo/wine.log. Uses $DISPLAY when set, else a private Xvfb. Ctrl-C stops
# everything the demo started.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh"

verbose=0
if [ "${1:-}" = --verbose ]; then
  verbose=1
  shift
fi
if [ $# -ne 1 ]; then
  echo "usage: $0 [--verbose] BUILD_DIR   (e.g. build/win32)" >&2
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

arch=$(wine_world_arch_of "$bin/Velloran.exe")
demo=$build/demo
world=$build/demo-wine
mkdir -p "$demo" "$world"
cp "$bin/Velloran.exe" "$bin/Velloran.dll" "$demo/"

# The Windows name of a file in the Unix file system (drive Z: is the root).
winepath_of() { printf 'Z:%s' "$1" | tr / '\\'; }

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
: >"$demo/wine.log"

background=()
stopping=0
cleanup() {
  local status=$?
  trap - EXIT INT TERM
  [ "$stopping" = 1 ] || echo
  echo "run-demo: stopping"
  # Stopping the server ends every Windows program of the prefix; the world holds a display of
  # its own only when the demo started one. The programs' complaints about the display going
  # away end in wine.log, not on the terminal.
  wine_world_stop "$world"
  for pid in "${background[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  if [ ${#background[@]} -gt 0 ]; then
    wait "${background[@]}" 2>/dev/null || true
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'stopping=1; exit 130' INT TERM

# A previous demo that was killed may have left its server or display behind.
wine_world_stop "$world"
display=${DISPLAY:-}
if [ -z "$display" ]; then
  display=$(wine_world_start_xvfb "$world")
fi
wine_world_write_env "$world" "$world/prefix" "$display" "$arch"
# shellcheck disable=SC1091
. "$world/env"
# A prefix is made for one architecture: one of the other kind is made anew.
if [ "$(cat "$world/prefix-ready" 2>/dev/null)" != "$arch" ]; then
  echo "run-demo: creating the Wine prefix $WINEPREFIX (first run only, about 15 s)"
  rm -rf "$WINEPREFIX"
  wine_world_create_prefix "$world/wineboot.log"
  echo "$arch" >"$world/prefix-ready"
fi
wine_world_start_server "$world/wineserver.log"

echo "run-demo: Velloran ($arch) runs in $demo on display $DISPLAY; Ctrl-C stops the demo."
echo "run-demo: each status Velloran publishes appears below as the messenger receives it."
if [ "$verbose" = 1 ]; then
  "$WINE" "$bin/SubstituteMessenger.exe" --id demo_user </dev/null 2>>"$demo/wine.log" &
  background+=($!)
  # Ends by itself within a second of this script.
  tail --pid=$$ -n 0 -F "$demo/Velloran.dll.log" 2>/dev/null | sed -u 's/^/Trillian plug-in: /' &
else
  "$WINE" "$bin/SubstituteMessenger.exe" --id demo_user --summary "$(winepath_of "$demo/Velloran.dll.log")" \
    </dev/null 2>>"$demo/wine.log" &
  background+=($!)
fi
"$WINE" "$bin/SubstitutePlayer.exe" --demo </dev/null >>"$demo/wine.log" 2>&1 &
background+=($!)
# With the ID named, the plug-in's load line shows the status already in the registry.
(cd "$demo" && VELLORAN_PLUGIN_ID=demo_user exec "$WINE" "$demo/Velloran.exe" </dev/null >>"$demo/wine.log" 2>&1) &
velloran=$!
background+=("$velloran")

# Until Ctrl-C, or until Velloran is closed from its tray menu.
wait "$velloran" || true
echo "run-demo: Velloran has ended"
