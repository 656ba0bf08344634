#!/usr/bin/env bash
# The library registered with Wine's regsvr32 in the test's prefix (WINEPREFIX, which
# tools/windows.sh makes fresh), every key it writes found with reg query, Wine's script
# host running a VBScript and a JScript file against it (their output compared with the
# expected files), and after unregistering not one key left. The registration is taken
# away at the end whatever happens, so that no other test sees it.
#   server_scripts.sh <VeskNimboDock17.ocx> <folder of the scripts>
set -uo pipefail
ocx=$1
here=$2
wine=${NIMBO_WINE:-/usr/lib/wine/wine64}
: "${WINEPREFIX:?the test runs in the prefix that WINEPREFIX names}"
scratch=$(mktemp -d)
failures=0
server=$("$wine" winepath -w "$ocx" | tr -d '\r')

unregister() {
  "$wine" regsvr32 /s /u "$server" >/dev/null 2>&1
}
cleanup() {
  unregister
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# "key|value name|expected data" (an empty value name is the key's default value).
dock='{50310698-626E-47DA-A73F-E834B9D675BD}'
bound='{B102FCE5-64E9-4376-AAD3-8BD6A85027F1}'
library='{7ADFA68F-0C37-42EB-BABD-662431B5F713}'
expected_values=()
for entry in "DockControl:$dock" "Bound:$bound"; do
  name=${entry%%:*}
  id=${entry#*:}
  key="HKCR\\CLSID\\$id"
  expected_values+=("$key||VeskNimboDock17.$name"
                    "$key\\InprocServer32||$server"
                    "$key\\InprocServer32|ThreadingModel|Apartment"
                    "$key\\ProgID||VeskNimboDock17.$name"
                    "$key\\TypeLib||$library"
                    "$key\\Version||1.0"
                    "HKCR\\VeskNimboDock17.$name||VeskNimboDock17.$name"
                    "HKCR\\VeskNimboDock17.$name\\CLSID||$id")
done
expected_values+=("HKCR\\CLSID\\$dock\\Control||"
                  "HKCR\\CLSID\\$dock\\MiscStatus||0"
                  "HKCR\\CLSID\\$dock\\MiscStatus\\1||131473"
                  "HKCR\\TypeLib\\$library\\1.0\\0\\win64||$server"
                  "HKCR\\Interface\\{2411290B-8152-4C52-AD32-788CDC99ADC6}||_Bound"
                  "HKCR\\Interface\\{4F19F6E4-D2F3-440F-BED2-7C69C21E8C30}||_DockControl")
# Never written: the classes that clients may not create, and Insertable.
absent_keys=("HKCR\\CLSID\\{11B829C7-CE13-4188-B694-FB499A31DD83}"
             "HKCR\\CLSID\\{40C3783F-6A39-44AA-B28F-7F0C503542B7}"
             "HKCR\\VeskNimboDock17.Extent" "HKCR\\VeskNimboDock17.AcadColors"
             "HKCR\\CLSID\\$dock\\Insertable")

# The data of one value, or nothing when the key or the value is missing.
query() {
  local key=$1 name=$2 output
  if [ -z "$name" ]; then
    output=$("$wine" reg query "$key" /ve 2>/dev/null) || return 1
  else
    output=$("$wine" reg query "$key" /v "$name" 2>/dev/null) || return 1
  fi
  printf '%s\n' "$output" | tr -d '\r' | sed -n 's/^ *[^ ].*REG_SZ *//p' | head -n 1
  return 0
}

unregister  # a registration left by an earlier run would hide a missing key
if ! "$wine" regsvr32 /s "$server"; then
  fail "regsvr32 could not register $server"
fi
for entry in "${expected_values[@]}"; do
  IFS='|' read -r key name data <<<"$entry"
  if ! found=$(query "$key" "$name"); then
    fail "missing after registering: $key [$name]"
  elif [ "$found" != "$data" ]; then
    fail "$key [$name] is '$found', expected '$data'"
  fi
done
for key in "${absent_keys[@]}"; do
  "$wine" reg query "$key" >/dev/null 2>&1 && fail "written although it must not be: $key"
done

for script in bound.vbs bound.js; do
  "$wine" cscript //nologo "$("$wine" winepath -w "$here/$script" | tr -d '\r')" \
    >"$scratch/$script.out" 2>&1
  tr -d '\r' <"$scratch/$script.out" >"$scratch/$script.txt"
  if ! diff -u "$here/$script.expected" "$scratch/$script.txt"; then
    fail "$script printed other lines than $script.expected"
  fi
done

if ! "$wine" regsvr32 /s /u "$server"; then
  fail "regsvr32 /u could not unregister $server"
fi
for entry in "${expected_values[@]}"; do
  IFS='|' read -r key name data <<<"$entry"
  "$wine" reg query "$key" >/dev/null 2>&1 && fail "left after unregistering: $key"
done

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "registered, every key found, both scripts as expected, nothing left"
