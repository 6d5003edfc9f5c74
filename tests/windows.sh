#!/usr/bin/env bash
# The Windows executables where they run: under Wine, 64- and 32-bit. For
# each target the portable unit tests, built with MinGW-w64 and GoogleTest
# from Debian's sources, and the end-to-end scenarios in a pseudo-terminal
# (a console) and without one. Needs wine64 (wine32 for the 32-bit run),
# the MinGW-w64 compilers (win32 and posix) and googletest; .ci/run
# installs them. Ends with one line per target saying what ran.
set -euo pipefail
cd "$(dirname "$0")/.."

export WINEDEBUG=-all
# Each loader is started directly: Debian's wine script takes the 32-bit
# one whenever wine32 is installed, also for 64-bit programs, and that
# fails on a host whose kernel runs no 32-bit code. WINDOWS32LADER names
# another 32-bit loader, to try that path on a host that has one.
lader64=/usr/lib/wine/wine64
lader32=${WINDOWS32LADER:-/usr/lib/wine/wine}
if [ ! -x "$lader64" ]; then
  echo "windows64: cannot run: $lader64 is missing (is wine64 installed?)" >&2
  exit 1
fi
ohne32=
if [ ! -x "$lader32" ]; then
  ohne32="wine32 is not installed"
else
  status=0
  "$lader32" --version >/dev/null 2>&1 || status=$?
  case $status in
    0) ;;
    126) ohne32="this host's kernel runs no 32-bit programs ($lader32 cannot be executed)" ;;
    *) ohne32="$lader32 --version failed with status $status" ;;
  esac
fi

arbeit=$(mktemp -d)
export WINEPREFIX=$arbeit/wine
export WINELOADER=$lader64
# Only this prefix's server is stopped.
trap 'wineserver -k 2>/dev/null || true; rm -rf "$arbeit"' EXIT
# A program started while the first server still winds down can stall:
# after the boot, one server stays up for the whole run.
"$lader64" wineboot -i >/dev/null 2>&1 && wineserver -w
wineserver -p

# The pseudo-terminal driver is this platform's test program.
cmake --preset tests >/dev/null && cmake --build --preset tests

zusammenfassung=()
for bits in 64 32; do
  # Always built, so that both keep compiling without warnings.
  cmake --preset windows$bits >/dev/null && cmake --build --preset windows$bits
  cmake --preset windowstests$bits >/dev/null && cmake --build --preset windowstests$bits
  if [ $bits = 32 ] && [ -n "$ohne32" ]; then
    zusammenfassung+=("windows32: built, not run: $ohne32")
    continue
  fi
  lader=$lader64
  [ $bits = 32 ] && lader=$lader32
  exe=$PWD/build/windows$bits/buchstabenspiele.exe
  if ! printf 'd' | WINELOADER=$lader "$lader" "$exe" >/dev/null 2>&1; then
    echo "windows$bits: Wine cannot run the executable with $lader" >&2
    exit 1
  fi

  # A test program that never started exits 0 too: the report must exist
  # and count its tests.
  bericht=$arbeit/einheiten$bits.xml
  WINELOADER=$lader "$lader" build/windowstests$bits/tests/pruefungen.exe \
    --gtest_output="xml:$("$lader64" winepath -w "$bericht")"
  anzahl=$(grep -o '<testsuites tests="[0-9]*"' "$bericht" | grep -o '[0-9]*' || echo 0)
  [ "$anzahl" -gt 0 ] || { echo "windows$bits: no unit tests ran under Wine" >&2; exit 1; }

  WINDOWSPROGRAMM=$exe WINDOWSLADER=$lader WINDOWSPARTNER=$PWD/build/windowstests$bits/tests/konsolenpartner.exe \
    build/tests/tests/pruefungen --gtest_filter='wine.*' \
    --gtest_output="xml:$arbeit/wine$bits.xml"
  if grep -q 'result="skipped"' "$arbeit/wine$bits.xml"; then
    echo "windows$bits: the Wine scenarios were skipped" >&2
    exit 1
  fi
  szenarien=$(grep -o '<testsuites tests="[0-9]*"' "$arbeit/wine$bits.xml" | grep -o '[0-9]*')
  zusammenfassung+=("windows$bits: ran under Wine: $anzahl unit tests and $szenarien scenarios passed")
done
printf '%s\n' "${zusammenfassung[@]}"
