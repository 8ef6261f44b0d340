#!/bin/sh
# Regenerates the PE samples of the version reader's tests from the .rc files beside this
# script. Needs Debian's binutils-mingw-w64-x86-64 and binutils-mingw-w64-i686; the results are
# committed so that building and testing need neither.
set -eu
cd "$(dirname "$0")"

# build <toolchain prefix> <output> <rc file> <filetype> [--dll]
build() {
    prefix=$1 out=$2 rc=$3 filetype=$4
    shift 4
    tmp=$(mktemp -d)
    "$prefix-windres" --preprocessor=cpp --preprocessor-arg=-E --preprocessor-arg=-xc-header --preprocessor-arg=-DRC_INVOKED --codepage=65001 -DSAMPLE_FILETYPE="$filetype" \
        -DSAMPLE_FILENAME="\\\"$out\\\"" -O coff -o "$tmp/res.o" "$rc"
    "$prefix-as" -o "$tmp/stub.o" stub.s
    "$prefix-ld" -s --no-insert-timestamp --entry=start --file-alignment=512 --section-alignment=4096 "$@" \
        -o "$out" "$tmp/stub.o" "$tmp/res.o"
    rm -rf "$tmp"
}

build x86_64-w64-mingw32 sample64.dll sample.rc 0x2 --dll
build i686-w64-mingw32 sample32.exe sample.rc 0x1
build x86_64-w64-mingw32 fallback64.exe fallback.rc 0x1
build i686-w64-mingw32 noversion32.exe noversion.rc 0x1
ls -l sample64.dll sample32.exe fallback64.exe noversion32.exe
