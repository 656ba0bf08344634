#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing; with
# arguments, those packages instead (tools/windows.sh names its own).
set -euo pipefail
packages=(cmake g++ make googletest libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libcli11-dev libboost-dev librsvg2-bin ccache
          clang libclang-rt-14-dev  # for tools/fuzz.sh (libFuzzer)
          python3-ezdxf)  # an independent DXF reader and writer, for the DXF tests
[ $# -gt 0 ] && packages=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq || true
  apt-get install -y -qq "${missing[@]}"
fi
