#!/usr/bin/env bash
# The Windows executables where they run: under Wine, 64- and 32-bit. For
# each target the portable unit tests, built with MinGW-w64 and GoogleTest
# from Debian's sources, and the end-to-end scenarios in a pseudo-terminal
# (a console) and without one. Needs wine, wine32, the MinGW-w64 compilers
# (win32 and posix) and googletest; .ci/run installs them.
set -euo pipefail
cd "$(dirname "$0")/.."

export WINEDEBUG=-all
arbeit=$(mktemp -d)
export WINEPREFIX=$arbeit/wine
# Only this prefix's server is stopped.
trap 'wineserver -k 2>/dev/null || true; rm -rf "$arbeit"' EXIT
# A program started while the first server still winds down can stall.
wineboot -i >/dev/null 2>&1 && wineserver -w

# The pseudo-terminal driver is this platform's test program.
cmake --preset tests >/dev/null && cmake --build --preset tests

for bits in 64 32; do
  cmake --preset windows$bits >/dev/null && cmake --build --preset windows$bits
  cmake --preset windowstests$bits >/dev/null && cmake --build --preset windowstests$bits
  exe=$PWD/build/windows$bits/buchstabenspiele.exe
  if ! printf 'd' | wine "$exe" >/dev/null 2>&1; then
    echo "Wine cannot run the $bits-bit executable (is wine$bits installed?)" >&2
    exit 1
  fi

  # A test program that never started exits 0 too: the report must exist
  # and count its tests.
  bericht=$arbeit/einheiten$bits.xml
  wine build/windowstests$bits/tests/pruefungen.exe --gtest_output="xml:$(winepath -w "$bericht")"
  anzahl=$(grep -o '<testsuites tests="[0-9]*"' "$bericht" | grep -o '[0-9]*' || echo 0)
  [ "$anzahl" -gt 0 ] || { echo "no unit tests ran under Wine ($bits-bit)" >&2; exit 1; }
  echo "windows$bits: $anzahl unit tests passed under Wine"

  WINDOWSPROGRAMM=$exe build/tests/tests/pruefungen --gtest_filter='wine.*' \
    --gtest_output="xml:$arbeit/wine$bits.xml"
  if grep -q 'result="skipped"' "$arbeit/wine$bits.xml"; then
    echo "the Wine scenarios were skipped ($bits-bit)" >&2
    exit 1
  fi
done
