#!/usr/bin/env bash
# The test world's script: what it asks of the machine, and that a world which cannot come up
# says why at once and leaves nothing running. Fake loaders and a fake Xvfb stand in for the
# failures, so the test runs on any machine.
set -uo pipefail

script=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-env.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0

check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name" >&2
  fi
}

fake() {
  local path=$1 body=$2
  printf '#!/usr/bin/env bash\n%s\n' "$body" >"$path"
  chmod +x "$path"
}

# A PE header that names MACHINE (hex, little-endian bytes), for the architecture test.
pe_file() {
  local path=$1 machine=$2
  head -c 64 /dev/zero >"$path"
  printf 'MZ' | dd of="$path" conv=notrunc status=none
  printf '\x40\x00\x00\x00' | dd of="$path" bs=1 seek=60 conv=notrunc status=none
  printf "PE\\x00\\x00$machine" >>"$path"
}

mkdir -p "$scratch/bin"
fake "$scratch/bin/refusing" 'echo "$0: cannot execute binary file: Exec format error" >&2; exit 126'
fake "$scratch/bin/working" 'echo wine-8.0'

# The 32-bit question is answered by running the loader.
check "can-run-32bit with a loader that runs" \
  env VELLORAN_WINE_LOADER_32="$scratch/bin/working" bash "$script" can-run-32bit
check "can-run-32bit with a loader the kernel refuses" \
  bash -c '! env VELLORAN_WINE_LOADER_32="$1" bash "$2" can-run-32bit' _ "$scratch/bin/refusing" "$script"
check "can-run-32bit without a loader" \
  bash -c '! env VELLORAN_WINE_LOADER_32="$1/none" bash "$2" can-run-32bit' _ "$scratch" "$script"

pe_file "$scratch/x86.exe" '\x4c\x01'
pe_file "$scratch/x64.exe" '\x64\x86'
printf 'not a program' >"$scratch/text.exe"
arch_of() { bash -c '. "$1"; wine_world_arch_of "$2"' _ "$script" "$1" 2>/dev/null; }
check "a 32-bit program needs win32" test "$(arch_of "$scratch/x86.exe")" = win32
check "a 64-bit program needs win64" test "$(arch_of "$scratch/x64.exe")" = win64
check "a file that is no program is refused" bash -c '! bash -c ". \"\$1\"; wine_world_arch_of \"\$2\"" _ "$1" "$2" 2>/dev/null' _ "$script" "$scratch/text.exe"

# A loader the kernel refuses: start fails at once, names the cause, and stops its display.
if command -v Xvfb >/dev/null; then
  start=$(date +%s)
  output=$(VELLORAN_WINE_LOADER_64="$scratch/bin/refusing" bash "$script" start "$scratch/world" win64 2>&1)
  status=$?
  check "start fails when the loader cannot run" test "$status" != 0
  check "the failure names the loader" grep -q "cannot run on this machine" <<<"$output"
  check "the failure shows the log's cause" grep -q "Exec format error" <<<"$output"
  check "the failure comes at once" test $(($(date +%s) - start)) -lt 30
  check "no display is left running" test ! -f "$scratch/world/xvfb.pid"
fi

# A display that does not come up: the failure says so and shows the display's own words.
fake "$scratch/bin/Xvfb" 'echo "Fatal server error: no screens found" >&2; exit 1'
output=$(PATH="$scratch/bin:$PATH" bash "$script" start "$scratch/world2" win64 2>&1)
status=$?
check "start fails without a display" test "$status" != 0
check "the failure names the display" grep -q "virtual display (Xvfb) did not start" <<<"$output"
check "the failure shows the display's log" grep -q "no screens found" <<<"$output"

output=$(bash "$script" start "$scratch/world3" win16 2>&1)
check "an unknown architecture is refused before anything starts" \
  bash -c '[ "$1" = 2 ] && grep -q "unknown architecture" <<<"$2" && [ ! -e "$3/xvfb.pid" ]' _ "$?" "$output" "$scratch/world3"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
