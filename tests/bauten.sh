#!/usr/bin/env bash
# The builds as a packager checks them: the README's build hardened, the
# same bytes from two directories (Linux release with and without debug
# information, both Windows executables), stripped Windows release
# executables, and the static musl binary under the program-level tests of
# build/tests. Needs hardening-check (devscripts), clang, musl-dev,
# libc++-dev and the MinGW compilers; .ci/run installs them.
set -euo pipefail
cd "$(dirname "$0")/.."

# Hardened: all that hardening-check looks for but the control-flow
# marking, which the linker drops because Debian 12's start files lack it;
# the program's own objects carry it.
cmake --preset programm >/dev/null && cmake --build --preset programm >/dev/null
hardening-check --nocfprotection build/programm/buchstabenspiele
if [ "$(uname -m)" = x86_64 ]; then
  for objekt in $(find build/programm -name '*.o'); do
    readelf -n "$objekt" | grep -q 'IBT, SHSTK' || { echo "$objekt: no control-flow marking" >&2; exit 1; }
  done
fi

# The same sources in two directories of different depth give the same
# bytes.
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
for ort in eins zwei/tiefer; do
  mkdir -p "$arbeit/$ort"
  tar -c --exclude=./build --exclude=./.git . | tar -x -C "$arbeit/$ort"
  (cd "$arbeit/$ort" &&
   cmake --preset programm >/dev/null && cmake --build --preset programm >/dev/null &&
   cmake -S . -B build/symbole -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null &&
   cmake --build build/symbole -j2 >/dev/null &&
   for bits in 64 32; do
     cmake --preset windows$bits >/dev/null && cmake --build --preset windows$bits >/dev/null
   done)
done
readelf -S "$arbeit/eins/build/symbole/buchstabenspiele" | grep -q debug_info
for datei in build/programm/buchstabenspiele build/symbole/buchstabenspiele \
             build/windows64/buchstabenspiele.exe build/windows32/buchstabenspiele.exe; do
  cmp "$arbeit/eins/$datei" "$arbeit/zwei/tiefer/$datei"
  if grep -q "$arbeit" "$arbeit/eins/$datei"; then
    echo "$datei names its build directory" >&2
    exit 1
  fi
done
echo "same bytes from two directories: Linux release, with debug information, Windows 64- and 32-bit"

# Windows release executables without symbols or debug sections.
for ziel in x86_64 i686; do
  bits=64
  [ $ziel = i686 ] && bits=32
  exe=$arbeit/eins/build/windows$bits/buchstabenspiele.exe
  if $ziel-w64-mingw32-objdump -h "$exe" | grep -q '\.debug'; then
    echo "windows$bits: debug sections in the release executable" >&2
    exit 1
  fi
  groesse=$(stat -c %s "$exe")
  [ "$groesse" -lt 100000 ] || { echo "windows$bits: $groesse bytes" >&2; exit 1; }
  echo "windows$bits: stripped, $groesse bytes"
done

# The static musl binary: no interpreter, no library; the pseudo-terminal
# and script tests of the glibc test program drive it.
cmake --preset musl >/dev/null && cmake --build --preset musl >/dev/null
file build/musl/buchstabenspiele | grep -q 'statically linked'
PROGRAMMPFAD=$PWD/build/musl/buchstabenspiele build/tests/tests/pruefungen --gtest_filter='programm*' \
  --gtest_brief=1
