#!/usr/bin/env bash
# The main job: builds build/nimbodock and replays an example session (overlays offered
# to the viewer, rebuilt on a layout change, refreshed while the viewer pans), writing its
# transcript, final state, picture and drawings (DXF) to out/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
export CCACHE_NOHASHDIR=1
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target nimbodock

session=${1:-examples/overlays.json}
name=$(basename "$session" .json)
mkdir -p out
build/nimbodock replay "$session" --transcript "out/$name.txt" --state "out/$name.state.json" \
  --svg "out/$name.svg" --dxf "out/$name"
if command -v rsvg-convert >/dev/null; then rsvg-convert "out/$name.svg" -o "out/$name.png"; fi

echo
echo "Replayed $session: $(grep -c '^step ' "out/$name.txt") steps, $(wc -l <"out/$name.txt") transcript lines."
echo "  viewer calls:     $(grep -c '^viewer [A-Z][A-Za-z]*(' "out/$name.txt")"
echo "  drawing changes:  $(grep -c '^drawing ' "out/$name.txt")"
echo "  messages shown:   $(grep -c '^dialog message ' "out/$name.txt")"
echo "The transcript is out/$name.txt, the final state out/$name.state.json,"
echo "the picture out/$name.svg$( [ -f "out/$name.png" ] && echo " (and out/$name.png)"),"
echo "the drawings as DXF in out/$name/."
echo "Other sessions: examples/*.json (tools/run-main.sh examples/measure-height.json)."
