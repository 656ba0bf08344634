#!/usr/bin/env bash
# The Windows build: cross-builds the 64-bit (build-win64/) and the 32-bit (build-win32/)
# targets with mingw-w64, then runs the 64-bit test programs under wine64 in a fresh Wine
# prefix made for this run in a temporary folder and removed at the end, and in the same
# prefix compares nimbodock.exe with the Linux nimbodock (tools/compare-windows.sh). The
# 32-bit programs are built only: Debian's 32-bit Wine cannot be installed on these
# machines.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh cmake make ccache googletest g++-mingw-w64-x86-64-posix \
  g++-mingw-w64-i686-posix mingw-w64-tools wine64 libwine-dev \
  nlohmann-json3-dev libcli11-dev libboost-dev jq xvfb xauth

# Paths inside the checkout are hashed relative to it, so that a clone elsewhere finds
# the objects that another clone compiled.
export CCACHE_NOHASHDIR=1 CCACHE_BASEDIR="$PWD"
jobs=$(nproc)
for target in x86_64:build-win64 i686:build-win32; do
  arch=${target%%:*}
  dir=${target#*:}
  echo "== cross-build for Windows ${arch} (${dir}/)"
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/mingw-w64-${arch}.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$dir" -j"$jobs"
done

echo "== Windows tests under wine64 (build-win64/)"
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix" HOME="$scratch" WINEDEBUG=-all
wineserver=/usr/lib/wine/wineserver
# The dialogs' tests show real windows: a virtual display of this run's own.
display=99
while [ -e "/tmp/.X${display}-lock" ]; do display=$((display + 1)); done
Xvfb ":${display}" -nolisten tcp -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":${display}"
# Ends this prefix's Wine server (and only it) and the display before the folder goes.
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
# The prefix's first server must end before the tests start: the services it started
# stay half-made while it lives, and RPCSS (the running-object table) then cannot start
# (RegisterActiveObject fails with RPC_S_SERVER_UNAVAILABLE).
"$wineserver" -w
ctest --test-dir build-win64 --output-on-failure -j"$jobs"
echo "== Windows tests passed"

echo "== nimbodock.exe under wine64 against the Linux nimbodock"
started=$SECONDS
tools/compare-windows.sh
echo "== the comparison took $((SECONDS - started)) s"
