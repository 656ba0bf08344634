#!/usr/bin/env bash
# The main check of the Windows build: every example session and every session of the
# reliability scenarios, replayed by the Linux nimbodock and by nimbodock.exe under
# wine64, gives the same transcript, state, drawings written as DXF and exit code, byte
# for byte; so does every example played by nimbodock.exe through the control in its
# palette (`--through-control`, on the display), and so do `targets`, the fault sweep and the
# replay's refusals. One verdict per session; a difference is shown with diff -u.
#
#   tools/compare-windows.sh [LINUX_NIMBODOCK]
#
# The Linux program is build/nimbodock unless given (built when missing), the Windows
# one build-win64/nimbodock.exe (tools/windows.sh builds it). Run inside a Wine prefix
# made for it (tools/windows.sh does so); without WINEPREFIX it makes a fresh one of its
# own in a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."

linux=${1:-build/nimbodock}
windows=build-win64/nimbodock.exe
wine=/usr/lib/wine/wine64
if [ ! -x "$linux" ]; then
  [ $# -gt 0 ] && { echo "no Linux nimbodock at $linux" >&2; exit 1; }
  echo "== building the Linux nimbodock (build/)"
  tools/install-deps.sh
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j"$(nproc)" --target nimbodock
fi
[ -f "$windows" ] || { echo "no $windows: run tools/windows.sh first" >&2; exit 1; }

scratch=$(mktemp -d)
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$scratch/prefix" HOME="$scratch" WINEDEBUG=-all
  own_prefix=1
  /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
fi
cleanup() {
  if [ -n "${own_prefix:-}" ]; then
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# The sessions: the examples, the Windows build's own (tests/win/sessions/: a failure of
# each outside part reached over COM), and each scenario's own session when it has one
# inline (the others name an example).
sessions=(examples/*.json tests/win/sessions/*.json)
mkdir -p "$scratch/sessions"
for scenario in tests/reliability/scenarios/*.json; do
  if [ "$(jq -r '.session | type' "$scenario")" = object ]; then
    copy="$scratch/sessions/scenario-$(basename "$scenario")"
    jq '.session' "$scenario" >"$copy"
    sessions+=("$copy")
  fi
done

# Runs one command line on both platforms with the same arguments (the same paths, so
# that any message naming a file reads the same), each in a clean output folder, and
# compares the exit codes and every file written: standard output and error, and the
# output files. The outputs go to $scratch/out, moved aside after each run.
passed=0
failed=0
windows_extra=()  # arguments given to nimbodock.exe alone
compare() {
  local name=$1
  shift
  local side
  for side in linux windows; do
    rm -rf "$scratch/out"
    mkdir -p "$scratch/out"
    local code=0
    if [ $side = linux ]; then
      "$linux" "$@" >"$scratch/out/stdout" 2>"$scratch/out/stderr" || code=$?
    else
      "$wine" "$windows" "$@" "${windows_extra[@]}" >"$scratch/out/stdout" \
        2>"$scratch/out/stderr" || code=$?
      # Once in many CI runs nimbodock.exe has ended with 1 and written nothing at all,
      # not even a message (never seen again when run hundreds of times by hand). Our
      # program never fails without saying why, so such an end is Wine's: the run is
      # made once more, and said so, and a second silent end counts as a difference.
      if [ "$code" -ne 0 ] && [ ! -s "$scratch/out/stderr" ] && [ ! -s "$scratch/out/stdout" ]; then
        echo "NOTE $name: nimbodock.exe ended with $code and wrote nothing; run once more"
        rm -rf "$scratch/out"
        mkdir -p "$scratch/out"
        code=0
        "$wine" "$windows" "$@" "${windows_extra[@]}" >"$scratch/out/stdout" \
          2>"$scratch/out/stderr" || code=$?
      fi
    fi
    echo "$code" >"$scratch/out/exit-code"
    rm -rf "$scratch/$side"
    mv "$scratch/out" "$scratch/$side"
  done
  if diff -u -r "$scratch/linux" "$scratch/windows" \
       >"$scratch/diff" 2>&1; then
    passed=$((passed + 1))
    echo "PASS $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name: Linux and Windows differ"
    sed 's/^/    /' "$scratch/diff"
  fi
}

out="$scratch/out"
for session in "${sessions[@]}"; do
  compare "$(basename "$session" .json)" replay "$session" --transcript "$out/transcript.txt" \
    --state "$out/state.json" --dxf "$out/dxf"
done
# The same sessions played through the control created by its class in the CAD
# application's palette, its boxes answered on the screen, against the Linux replay that
# calls the control directly. It needs a display (tools/windows.sh starts Xvfb).
if [ -n "${DISPLAY:-}" ]; then
  windows_extra=(--through-control)
  for session in examples/*.json tests/win/sessions/*.json; do
    compare "$(basename "$session" .json) through the control" replay "$session" \
      --transcript "$out/transcript.txt" --state "$out/state.json" --dxf "$out/dxf"
  done
  windows_extra=()
else
  failed=$((failed + 1))
  echo "FAIL through the control: no display (DISPLAY is not set)"
fi
# The transcript on standard output, with the picture too.
compare "overlays on standard output" replay examples/overlays.json --svg "$out/picture.svg"
compare targets targets
# The fault sweep: on Windows each run is made in the one process, with the same verdicts.
compare "fault sweep" sweep tests/reliability/scenarios/*.json
# The refusals: a session that is not JSON (2), an output folder that does not exist (1).
printf '{"steps": [' >"$scratch/sessions/broken.json"
compare "broken session" replay "$scratch/sessions/broken.json" --state "$out/state.json"
compare "missing output folder" replay examples/lifecycle.json --state "$out/missing/state.json"

echo "== Linux and Windows compared: $passed the same, $failed different"
[ "$failed" -eq 0 ]
