#!/usr/bin/env bash
# The long runs of `make soak` in a Wine world of their own: soak.sh TREE (a Windows build tree).
# Counts: VELLORAN_SOAK_TICKS (timer ticks), VELLORAN_SOAK_CYCLES (open-and-hide cycles of each
# window and menu) and VELLORAN_GALLERY_CYCLES (skin switch cycles over every gallery page).
# Each run prints its "[soak]" figures; the script fails when any run failed.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
tree=$(cd "$1" && pwd)
world=$tree/soak-wine

bash "$here/wine-env.sh" start "$world" "$(basename "$tree")" >/dev/null || exit 1
trap 'bash "$here/wine-env.sh" stop "$world" >/dev/null' EXIT

status=0
run() {
  echo "== $*"
  bash "$here/wine-env.sh" exec "$world" "$here/xinput-relay.sh" "$@" || status=1
}
# The quickest run first, so that its figures are in even when a long one is stopped.
run "$tree/bin/soak_tests.exe" --gtest_filter='TickSoak.*'
run "$tree/bin/soak_tests.exe" --gtest_filter='WindowCycleSoak.*'
run "$tree/bin/gallery_tests.exe" --gtest_filter='Gallery.SkinSwitches*'
exit $status
