#!/usr/bin/env bash
# PNGs of every block editor, in the main window's pane as a user sees it,
# and of the overview, each in the light and the dark look:
#   scripts/editor-shots.sh [OUT_DIR] [PRESET.syx]
# OUT_DIR defaults to editor-shots/. Without a preset one is made with
# lindel-cli (a new preset randomized with a fixed seed, so the curves have
# something to show). BUILD names the build folder (default: build); the
# pictures are drawn offscreen unless QT_QPA_PLATFORM says otherwise (e.g.
# xcb under Xvfb), and QT_SCALE_FACTOR=2 makes sharp ones.
set -euo pipefail
build=${BUILD:-build}
out=${1:-editor-shots}
preset=${2:-}
shot="$build/shot/lindel-shot"
cli="$build/cli/lindel-cli"
for tool in "$shot" "$cli"; do
  [ -x "$tool" ] || { echo "editor-shots: $tool is missing; build first (make build)" >&2; exit 2; }
done
mkdir -p "$out"
if [ -z "$preset" ]; then
  preset="$out/preset.syx"
  "$cli" new --name "Shots" -o "$out/new.syx" >/dev/null
  "$cli" randomize "$out/new.syx" --seed 25 -o "$preset" >/dev/null
  rm -f "$out/new.syx"
fi

# Block numbers as the toolbar knows them.
editors=(1:frmNoiseGateEQ 2:frmLevelRelay 3:frmCompressor 4:frmFilterMod 5:frmPitch
         6:frmChorusFlange 7:frmDelay 8:frmReverb 9:frmRouting 11:frmTapTempo)
for look in light dark; do
  for entry in "${editors[@]}"; do
    "$shot" --window frmMDIMain --block "${entry%%:*}" --preset "$preset" --look "$look" \
      --png "$out/${entry#*:}-$look.png"
  done
  "$shot" --window frmOverview --preset "$preset" --look "$look" --png "$out/frmOverview-$look.png"
done
echo "editor-shots: $(ls "$out"/*.png | wc -l) pictures in $out"
