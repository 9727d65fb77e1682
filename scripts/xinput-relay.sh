#!/usr/bin/env bash
# Runs a Windows test program with an xdotool relay beside it, inside a Wine world
# (wine-env.sh exec DIR scripts/xinput-relay.sh PROGRAM.exe ARGS...). A program under Wine cannot
# start xdotool itself, so it writes a request file N.req holding xdotool's arguments into the
# folder named by VELLORAN_XINPUT_RELAY (a Windows path); the relay runs xdotool on the world's
# display and answers with N.done holding its exit code.
set -euo pipefail

relay=$(mktemp -d /tmp/velloran-xinput.XXXXXX)
serve() {
  while true; do
    for request in "$relay"/*.req; do
      [ -e "$request" ] || continue
      local code=0
      # shellcheck disable=SC2046  # the request is a list of arguments
      xdotool $(cat "$request") >/dev/null 2>&1 || code=$?
      echo "$code" >"${request%.req}.part"
      rm -f "$request"
      mv "${request%.req}.part" "${request%.req}.done"
    done
    sleep 0.02
  done
}
serve &
server=$!
trap 'kill "$server" 2>/dev/null || true; rm -rf "$relay"' EXIT

export VELLORAN_XINPUT_RELAY="Z:$relay"
case "$1" in
*.exe) "$WINE" "$@" ;;
*) "$@" ;;
esac
