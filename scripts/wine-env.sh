#!/usr/bin/env bash
# A private Wine world for one test run: its own X display (Xvfb), a fresh WINEPREFIX and a
# persistent wineserver, so each Windows test launch costs a fraction of a second.
#   wine-env.sh start DIR ARCH   wipe DIR, start Xvfb, create DIR/prefix for ARCH (win32 or win64),
#                                start the server, write DIR/env
#                                (waits while another live test run still uses DIR)
#   wine-env.sh exec DIR CMD...  run CMD (a .exe is run through Wine) inside that world
#   wine-env.sh stop DIR         stop every Wine process of the prefix, the server and the display
#   wine-env.sh can-run-32bit    exit 0 when this machine executes 32-bit Windows code
# Sourced (as scripts/run-demo.sh does), it only defines the wine_world_* functions.
# Any failure to bring a world up says why on stderr, with the end of the log that holds the cause.

# The loaders are called directly: /usr/bin/wine picks the 32-bit loader whenever it is installed,
# also on machines whose kernel cannot execute it.
WINE_LOADER_32=${VELLORAN_WINE_LOADER_32:-/usr/lib/wine/wine}
WINE_LOADER_64=${VELLORAN_WINE_LOADER_64:-/usr/lib/wine/wine64}

# Asks the machine itself: some kernels execute no 32-bit code at all, whatever is installed.
wine_world_can_run_32bit() {
  [ -x "$WINE_LOADER_32" ] && "$WINE_LOADER_32" --version >/dev/null 2>&1
}

# The Wine architecture a Windows executable needs, from its PE header: win32 or win64.
wine_world_arch_of() {
  local exe=$1 pe machine
  pe=$(od -An -tu4 -j 60 -N 4 "$exe" 2>/dev/null | tr -d ' ')
  machine=$(od -An -tx2 -j $((pe + 4)) -N 2 "$exe" 2>/dev/null | tr -d ' ')
  case "$machine" in
  014c) echo win32 ;;
  8664) echo win64 ;;
  *)
    echo "wine-env: $exe is not a Windows program of a known architecture" >&2
    return 1
    ;;
  esac
}

# Prints the last lines of a log to stderr, indented, for a failure message.
wine_world_log_tail() {
  local log=$1
  [ -s "$log" ] || return 0
  echo "--- end of $log:" >&2
  tail -n 15 "$log" | sed 's/^/    /' >&2
}

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
    echo "wine-env: the virtual display (Xvfb) did not start" >&2
    wine_world_log_tail "$dir/xvfb.log"
    return 1
  fi
  echo ":$number"
}

# Writes DIR/env for PREFIX, DISPLAY and ARCH (win32 or win64); everything else sources it.
# WINE names the loader to start programs with.
wine_world_write_env() {
  local dir=$1 prefix=$2 display=$3 arch=$4 loader
  case "$arch" in
  win32) loader=$WINE_LOADER_32 ;;
  win64) loader=$WINE_LOADER_64 ;;
  *)
    echo "wine-env: unknown architecture '$arch' (win32 or win64)" >&2
    return 2
    ;;
  esac
  cat >"$dir/env" <<ENV
export WINEPREFIX="$prefix"
export WINEARCH=$arch
export WINE="$loader"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export DISPLAY="$display"
ENV
}

# Creates the prefix named in the sourced env. Needs no running server for it; leaves none behind.
wine_world_create_prefix() {
  local log=$1 status=0
  mkdir -p "$WINEPREFIX"
  if ! "$WINE" --version >"$log" 2>&1; then
    echo "wine-env: the Wine loader $WINE cannot run on this machine" >&2
    wine_world_log_tail "$log"
    return 1
  fi
  "$WINE" wineboot -i </dev/null >>"$log" 2>&1 || status=$?
  # The boot goes on in background processes after wineboot returns; this waits for all of them.
  wineserver -w
  if [ "$status" != 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-env: creating the Wine prefix $WINEPREFIX failed (wineboot exit $status)" >&2
    wine_world_log_tail "$log"
    return 1
  fi
}

# Starts the persistent server (it returns once the server accepts clients) and applies the
# settings every program needs.
wine_world_start_server() {
  local log=$1
  if ! wineserver -p </dev/null >"$log" 2>&1; then
    echo "wine-env: the Wine server did not start" >&2
    wine_world_log_tail "$log"
    return 1
  fi
  # Without this, windows with a frame lose their non-client area and every hide waits 2 s.
  if ! "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    </dev/null >>"$log" 2>&1; then
    echo "wine-env: the Wine server does not answer (setting the X11 driver failed)" >&2
    wine_world_log_tail "$log"
    return 1
  fi
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

wine_world_usage() {
  echo "usage: $0 start DIR win32|win64 | exec DIR CMD... | stop DIR | can-run-32bit" >&2
  exit 2
}

# Brings a world up in DIR; on any failure takes down what it started and says why.
wine_world_bring_up() {
  local dir=$1 arch=$2 display
  display=$(wine_world_start_xvfb "$dir") || return 1
  wine_world_write_env "$dir" "$dir/prefix" "$display" "$arch" || return 1
  # shellcheck disable=SC1091
  . "$dir/env"
  wine_world_create_prefix "$dir/wineboot.log" || return 1
  wine_world_start_server "$dir/wineserver.log" || return 1
  echo "wine-env: $WINEARCH prefix $WINEPREFIX on display $DISPLAY"
}

wine_world_main() {
  set -euo pipefail
  [ $# -ge 1 ] || wine_world_usage
  local action=$1
  if [ "$action" = can-run-32bit ]; then
    wine_world_can_run_32bit
    return
  fi
  [ $# -ge 2 ] || wine_world_usage
  local dir=${2%/}
  shift 2
  case "$action" in
  start)
    [ $# -eq 1 ] || wine_world_usage
    case "$1" in
    win32 | win64) ;;
    *)
      echo "wine-env: unknown architecture '$1' (win32 or win64)" >&2
      exit 2
      ;;
    esac
    mkdir -p "$(dirname "$dir")"
    wine_world_claim "$dir" "$PPID"
    wine_world_stop "$dir"
    rm -rf "$dir"
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    if ! wine_world_bring_up "$dir" "$1"; then
      wine_world_stop "$dir"
      exit 1
    fi
    ;;
  exec)
    [ $# -ge 1 ] || wine_world_usage
    if [ ! -f "$dir/env" ]; then
      echo "wine-env: no Wine world in $dir; run '$0 start $dir ARCH' first" >&2
      exit 1
    fi
    # shellcheck disable=SC1091
    . "$dir/env"
    case "$1" in
    *.exe) exec "$WINE" "$@" ;;
    *) exec "$@" ;;
    esac
    ;;
  stop)
    wine_world_stop "$dir"
    rm -f "$dir.owner"
    ;;
  *) wine_world_usage ;;
  esac
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  wine_world_main "$@"
fi
