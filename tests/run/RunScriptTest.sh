#!/usr/bin/env bash
# "./run test" builds and runs the tests without writing the user's registry; only starting a
# program registers the build tree's programs there. The build tools are stand-ins that succeed,
# and qv-register is one that notes each call.
set -euo pipefail
top=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tools" "$work/build/bin" "$work/home"

for tool in cmake ctest; do
    printf '#!/bin/sh\necho "$*" >>"%s/%s-calls"\n' "$work" "$tool" >"$work/tools/$tool"
done
printf '#!/bin/sh\nfor p; do case $p in -*) ;; *) echo "$p install ok installed" ;; esac; done\n' >"$work/tools/dpkg-query"
printf '#!/bin/sh\necho "apt-get $*" >>"%s/apt-calls"\n' "$work" >"$work/tools/apt-get"
printf '#!/bin/sh\necho "$*" >>"%s/registered"\n' "$work" >"$work/build/bin/qv-register"
chmod +x "$work"/tools/* "$work/build/bin/qv-register"

run() {
    PATH="$work/tools:$PATH" QV_BUILD_DIR="$work/build" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" \
        "$top/run" "$@" >"$work/output" 2>&1 || { cat "$work/output"; return 1; }
}

run test
if [ -e "$work/registered" ] || [ -e "$work/apt-calls" ]; then
    echo "FAIL: ./run test registered the build tree or installed what is installed:"
    cat "$work/registered" "$work/apt-calls" 2>/dev/null
    exit 1
fi

# Starting a program that exists registers the build tree first.
if [ -f "$top/reader/main.cpp" ]; then
    printf '#!/bin/sh\nexit 0\n' >"$work/build/bin/quorvane"
    chmod +x "$work/build/bin/quorvane"
    run quorvane
    if [ "$(cat "$work/registered" 2>/dev/null)" != "--build-tree $work/build/bin" ]; then
        echo "FAIL: ./run quorvane did not register the build tree"
        exit 1
    fi
    # On a tree that built it before: the program and its helpers alone, not configured again.
    touch "$work/build/CMakeCache.txt"
    rm "$work/cmake-calls"
    run quorvane
    if [ "$(cat "$work/cmake-calls")" != "--build $work/build -j$(nproc) --target quorvane" ]; then
        echo "FAIL: ./run quorvane on a built tree ran: cmake $(cat "$work/cmake-calls")"
        exit 1
    fi
fi
echo "ok"
