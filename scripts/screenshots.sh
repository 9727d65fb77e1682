#!/usr/bin/env bash
# Pictures of Velloran's windows and of the gallery's, each active and inactive, with both of the
# project's skins, as PNG files:
#   scripts/screenshots.sh BUILD_DIR [OUT_DIR]      (OUT_DIR defaults to docs/screenshots)
# The driver BUILD_DIR/bin/VelloranScreenshots.exe runs under Wine on a private Xvfb display, in
# BUILD_DIR/screenshots (a program folder with sample settings and quotes); the Wine world is
# BUILD_DIR/screenshots-wine and is stopped again at the end.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh"
root=$(dirname "$here")
if [ $# -lt 1 ] || [ $# -gt 2 ] || [ ! -d "$1" ]; then
  echo "usage: $0 BUILD_DIR [OUT_DIR]   (after 'make win32')" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
out=${2:-$root/docs/screenshots}
driver=$build/bin/VelloranScreenshots.exe
if [ ! -f "$driver" ]; then
  echo "screenshots: $driver does not exist yet; build it first ('make win32')" >&2
  exit 1
fi
if ! command -v convert >/dev/null; then
  echo "screenshots: ImageMagick's convert is missing; run 'make setup'" >&2
  exit 1
fi

work=$build/screenshots
world=$build/screenshots-wine
rm -rf "$work"
mkdir -p "$work/bmp" "$out"
cp "$driver" "$work/"
# The status window shows the template, the list editor a few quotes; Windows line ends.
crlf() { sed 's/$/\r/'; }
crlf >"$work/Velloran.ini" <<'INI'
[General]
Msg=~ %song% %progress% - %quote%
[Yahoo!]
ID=gallery_user
INI
crlf >"$work/Velloran.dat" <<'QUOTES'
Music is the shorthand of emotion.
Where words fail, music speaks.
One good thing about music: when it hits you, you feel no pain.
QUOTES

trap 'bash "$here/wine-env.sh" stop "$world" >/dev/null' EXIT
bash "$here/wine-env.sh" start "$world" "$(wine_world_arch_of "$driver")" >/dev/null
for set in program gallery; do
  for skin in Default Contrast; do
    echo "screenshots: $set windows with the $skin skin"
    # Bounded: a window that never comes up must not hang the run.
    timeout 300 bash "$here/wine-env.sh" exec "$world" "$work/VelloranScreenshots.exe" \
      --set "$set" --skin "$skin" --out "Z:$work/bmp" --skins "Z:$root/resources/skins" >"$work/$set-$skin.log"
  done
done

count=0
for bmp in "$work"/bmp/*.bmp; do
  name=$(basename "${bmp%.bmp}")
  # Without the time stamps, an unchanged window gives an unchanged file.
  convert "$bmp" -strip "$out/$name.png"
  count=$((count + 1))
done
echo "screenshots: $count pictures in $out"
