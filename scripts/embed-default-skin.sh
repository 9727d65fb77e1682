#!/usr/bin/env bash
# Packs the default skin (resources/skins/Default) into the main window's form data as the stored
# skin of its SkinData component. Run after changing the skin's description or bitmaps; the
# native tests fail while the form carries another skin than the one in the source tree.
#   scripts/embed-default-skin.sh     (after `make native`, which builds the packer)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
skinpack=$root/build/native/bin/skinpack
form=$root/resources/Main.dfm
if [ ! -x "$skinpack" ]; then
  echo "embed-default-skin: $skinpack does not exist yet; run 'make native' first" >&2
  exit 1
fi

stream=$("$skinpack" stream "$root/resources/skins/Default" | sed 's/^/  /')
awk -v stream="$stream" '
  /^    SkinStream = \{/ { print stream; skipping = 1; next }
  skipping { if ($0 ~ /\}$/) skipping = 0; next }
  { print }
' "$form" >"$form.tmp"
mv "$form.tmp" "$form"
