#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them, one at a time, starting from the
# corpora kept in tests/fuzz/corpus/<target> and seed inputs made of the project's own skins,
# forms and bitmaps.
#   scripts/fuzz.sh smoke SECONDS [BUILD_DIR] [TARGET...]   each target for SECONDS
#   scripts/fuzz.sh campaign [BUILD_DIR] [TARGET...]        each target until its execution goal
#   scripts/fuzz.sh keep [BUILD_DIR] [TARGET...]            minimise what the runs learned into
#                                                           tests/fuzz/corpus (to be committed)
# BUILD_DIR defaults to build/fuzz; FUZZ_CAMPAIGN_CAP=SECONDS stops each campaign early. What a run learns goes to BUILD_DIR/corpus/<target>; a crash,
# hang, leak or runaway allocation stops the run with a non-zero exit and leaves the input in
# BUILD_DIR. A campaign ends with a table of executions, speed and coverage per target.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:?usage: $0 smoke SECONDS | campaign | keep  [BUILD_DIR] [TARGET...]}
shift
seconds=
if [ "$mode" = smoke ]; then
  seconds=${1:?usage: $0 smoke SECONDS [BUILD_DIR] [TARGET...]}
  shift
fi
build=${1:-$root/build/fuzz}
[ $# -gt 0 ] && shift
only=("$@")
kept=$root/tests/fuzz/corpus

cmake -G "Unix Makefiles" -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j 2 >/dev/null

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

# Executions a campaign runs: ten million where a target runs over 5,000 a second, one million
# for the slower ones.
runs_for() {
  case $1 in
    fuzz_bitmap_file | fuzz_form_data | fuzz_list_file | fuzz_settings_values | fuzz_status_template) echo 10000000 ;;
    *) echo 1000000 ;;
  esac
}

# Inputs are kept small: the seeds hold whole skins and bitmaps, which would otherwise set the
# largest input the fuzzer makes, and the corpora must stay small enough to keep. Every byte
# the LZH targets take costs a coded symbol or more under instrumentation, and a kilobyte or
# two already reshapes the code tree many times, wraps the window and holds a directory of
# many members.
max_len_for() {
  case $1 in
    fuzz_bitmap_file) echo 16384 ;;
    fuzz_lzh) echo 1024 ;;
    fuzz_skin_container) echo 2048 ;;
    *) echo 4096 ;;
  esac
}

# Seconds one input may take before it counts as a hang: well above the slowest input's
# fraction of a second, since a machine shared with builds can stall a niced run for seconds.
timeout=30

# The targets named on the command line in their order, or all of them.
targets=()
if [ ${#only[@]} = 0 ]; then
  for fuzzer in "$build"/tests/fuzz/fuzz_*; do [ -x "$fuzzer" ] && targets+=("$(basename "$fuzzer")"); done
else
  targets=("${only[@]}")
fi

# "#N DONE cov: C ft: F ..." and the final stats give the figures of a finished run.
summary_of() {
  local log=$1 runs speed cov ft
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -oE '(DONE|pulse|NEW|REDUCE|INITED) +cov: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+$' || true)
  ft=$(grep -oE ' ft: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+$' || true)
  printf '%-24s %12s %8s %6s %7s\n' "$2" "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}"
}

summary=$build/fuzz-summary.txt
[ "$mode" = campaign ] && printf '%-24s %12s %8s %6s %7s\n' target executions exec/s cov ft >"$summary"

for name in "${targets[@]}"; do
  fuzzer=$build/tests/fuzz/$name
  corpus=$build/corpus/$name
  log=$build/$name.log
  mkdir -p "$corpus" "$kept/$name"

  if [ "$mode" = keep ]; then
    merged=$build/merged/$name
    rm -rf "$merged" && mkdir -p "$merged"
    "$fuzzer" -merge=1 -max_len="$(max_len_for "$name")" -timeout="$timeout" -rss_limit_mb=2048 \
      "$merged" "$kept/$name" "$corpus" >"$build/$name.merge.log" 2>&1
    rm -rf "${kept:?}/$name" && mv "$merged" "$kept/$name"
    echo "$name: $(find "$kept/$name" -type f | wc -l) inputs, $(du -sk "$kept/$name" | cut -f1) KB"
    continue
  fi

  if [ "$mode" = smoke ]; then
    limit=(-max_total_time="$seconds")
    echo "== $name ($seconds s)"
  else
    limit=(-runs="$(runs_for "$name")")
    # A machine too busy for whole campaigns can cap each in seconds; the table tells how far it got.
    [ -n "${FUZZ_CAMPAIGN_CAP:-}" ] && limit+=(-max_total_time="$FUZZ_CAMPAIGN_CAP")
    echo "== $name ($(runs_for "$name") executions)"
  fi
  status=0
  # shellcheck disable=SC2046
  (cd "$build" && "$fuzzer" "${limit[@]}" -max_len="$(max_len_for "$name")" -timeout="$timeout" -rss_limit_mb=2048 \
    -print_final_stats=1 "$corpus" "$kept/$name" $(seeds_for "$name")) >"$log" 2>&1 || status=$?
  if [ "$mode" = campaign ]; then summary_of "$log" "$name" | tee -a "$summary"; else
    grep -E '^stat::number_of_executed_units' "$log" || true
  fi
  if [ "$status" != 0 ]; then
    tail -40 "$log" >&2
    echo "fuzz: $name failed (exit $status); the whole log is $log" >&2
    exit 1
  fi
done
[ "$mode" = campaign ] && cat "$summary"
exit 0
