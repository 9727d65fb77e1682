#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds, starting
# from seed inputs made of the project's own skins, forms and bitmaps.
#   scripts/fuzz.sh SECONDS [BUILD_DIR]      (BUILD_DIR defaults to build/fuzz)
# Each fuzzer keeps what it learns in BUILD_DIR/corpus/<name>; a crash, hang or runaway
# allocation stops the run with a non-zero exit and leaves the input in BUILD_DIR.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: $0 SECONDS [BUILD_DIR]}
build=${2:-$root/build/fuzz}
jobs=$(nproc)

cmake -G "Unix Makefiles" -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null

# Packed skins seed the codec and the container; the packer comes from the native tree.
packed=$build/seeds/packed
mkdir -p "$packed"
skinpack=$root/build/native/bin/skinpack
if [ -x "$skinpack" ]; then
  for skin in "$root"/resources/skins/*/; do
    "$skinpack" pack "$skin" "$packed/$(basename "$skin").skn" >/dev/null
  done
fi

seeds_for() {
  case $1 in
    fuzz_bitmap_file) echo "$root/resources/bitmaps $root/resources/skins/Default $root/resources/skins/Contrast" ;;
    fuzz_quick_ini | fuzz_skin_description) echo "$root/resources/skins/Default $root/resources/skins/Contrast" ;;
    fuzz_lzh | fuzz_lzh_differential | fuzz_skin_container) echo "$packed" ;;
    fuzz_form_data) echo "$root/resources" ;;
    *) echo "" ;;
  esac
}

for fuzzer in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=$build/corpus/$name
  log=$build/$name.log
  mkdir -p "$corpus"
  echo "== $name ($seconds s)"
  status=0
  # shellcheck disable=SC2046
  (cd "$build" && "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "$corpus" $(seeds_for "$name")) >"$log" 2>&1 || status=$?
  grep -E '^stat::number_of_executed_units' "$log" || true
  if [ "$status" != 0 ]; then
    tail -40 "$log" >&2
    echo "fuzz: $name failed (exit $status); the whole log is $log" >&2
    exit 1
  fi
done
