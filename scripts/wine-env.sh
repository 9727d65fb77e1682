#!/usr/bin/env bash
# A private Wine world for one test run: its own X display (Xvfb), a fresh 32-bit WINEPREFIX and a
# persistent wineserver, so each Windows test launch costs a fraction of a second.
#   wine-env.sh start DIR        wipe DIR, start Xvfb, create DIR/prefix, start the server, write DIR/env
#                                (waits while another live test run still uses DIR)
#   wine-env.sh exec DIR CMD...  run CMD (a .exe is run through wine) inside that world
#   wine-env.sh stop DIR         stop every Wine process of the prefix, the server and the display
# Sourced (as scripts/run-demo.sh does), it only defines the wine_world_* functions.

# Starts Xvfb on a display number it picks itself (-displayfd), so parallel runs and other users'
# displays never collide. Writes DIR/xvfb.pid and prints the display, e.g. ":3".
wine_world_start_xvfb() {
  local dir=$1 number=""
  rm -f "$dir/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" \
    </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/xvfb.pid"
  for _ in $(seq 100); do
    number=$(cat "$dir/display" 2>/dev/null || true)
    [ -n "$number" ] && break
    kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$number" ]; then
    echo "wine-env: Xvfb did not start, see $dir/xvfb.log" >&2
    return 1
  fi
  echo ":$number"
}

# Writes DIR/env for PREFIX and DISPLAY; everything else sources it.
wine_world_write_env() {
  local dir=$1 prefix=$2 display=$3
  cat >"$dir/env" <<ENV
export WINEPREFIX="$prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export DISPLAY="$display"
ENV
}

# Creates the prefix named in the sourced env. Needs no running server for it; leaves none behind.
wine_world_create_prefix() {
  local log=$1
  mkdir -p "$WINEPREFIX"
  wineboot -i </dev/null >"$log" 2>&1
  # The boot goes on in background processes after wineboot returns; this waits for all of them.
  wineserver -w
}

# Starts the persistent server (it returns once the server accepts clients) and applies the
# settings every program needs.
wine_world_start_server() {
  wineserver -p </dev/null >/dev/null 2>&1
  # Without this, windows with a frame lose their non-client area and every hide waits 2 s.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
}

# Ends every process of the prefix, the server, and the Xvfb recorded in DIR (if any), and waits
# until they are gone.
wine_world_stop() {
  local dir=$1
  if [ -f "$dir/env" ]; then
    # In a subshell: the caller's DISPLAY and WINEPREFIX stay its own.
    # shellcheck disable=SC1091
    (. "$dir/env"; wineserver -k >/dev/null 2>&1) || true
  fi
  if [ -f "$dir/xvfb.pid" ]; then
    local pid
    pid=$(cat "$dir/xvfb.pid")
    # The file may be left from a run that died; its number may belong to another program by now.
    if [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = Xvfb ]; then
      kill "$pid"
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    fi
    rm -f "$dir/xvfb.pid"
  fi
}

# ctest runs wine_start, the tests and wine_stop as children of one process, which so owns the
# world in DIR until wine_stop; DIR.owner names it. Several people run the tests of one build tree
# at once here: a second run waits for the first instead of wiping the world under its tests. An
# owner that has died (an interrupted run never reaches wine_stop) holds nothing.
wine_world_claim() {
  local dir=$1 claimant=$2 owner waited=0
  exec 9>"$dir.lock"
  flock 9
  while owner=$(cat "$dir.owner" 2>/dev/null) && [ "$owner" != "$claimant" ] &&
    kill -0 "$owner" 2>/dev/null; do
    if [ "$waited" = 0 ]; then
      echo "wine-env: waiting for the run of process $owner to finish with $dir" >&2
    fi
    if [ "$waited" -ge 1800 ]; then
      echo "wine-env: process $owner still holds $dir after 30 minutes" >&2
      return 1
    fi
    sleep 1
    waited=$((waited + 1))
  done
  echo "$claimant" >"$dir.owner"
  exec 9>&-
}

wine_world_main() {
  set -euo pipefail
  if [ $# -lt 2 ]; then
    echo "usage: $0 start|exec|stop DIR [CMD...]" >&2
    exit 2
  fi
  local action=$1 dir=${2%/}
  shift 2
  case "$action" in
  start)
    mkdir -p "$(dirname "$dir")"
    wine_world_claim "$dir" "$PPID"
    wine_world_stop "$dir"
    rm -rf "$dir"
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    local display
    display=$(wine_world_start_xvfb "$dir")
    wine_world_write_env "$dir" "$dir/prefix" "$display"
    # shellcheck disable=SC1091
    . "$dir/env"
    wine_world_create_prefix "$dir/wineboot.log"
    wine_world_start_server
    echo "wine-env: prefix $WINEPREFIX on display $DISPLAY"
    ;;
  exec)
    if [ $# -eq 0 ]; then
      echo "usage: $0 exec DIR CMD..." >&2
      exit 2
    fi
    if [ ! -f "$dir/env" ]; then
      echo "wine-env: no Wine world in $dir; run '$0 start $dir' first" >&2
      exit 1
    fi
    # shellcheck disable=SC1091
    . "$dir/env"
    case "$1" in
    *.exe) exec wine "$@" ;;
    *) exec "$@" ;;
    esac
    ;;
  stop)
    wine_world_stop "$dir"
    rm -f "$dir.owner"
    ;;
  *)
    echo "usage: $0 start|exec|stop DIR [CMD...]" >&2
    exit 2
    ;;
  esac
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  wine_world_main "$@"
fi
