#!/usr/bin/env bash
# "./run test" installs and builds everything and runs the tests without writing the user's
# registry; starting a program builds that program alone, with no test package, and registers the
# build tree's programs. The build tools are stand-ins that succeed and note each call; the package
# query finds every package installed unless $work/bare says none is.
set -euo pipefail
top=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tools" "$work/build/bin" "$work/home"

for tool in cmake ctest; do
    printf '#!/bin/sh\necho "$*" >>"%s/%s-calls"\n' "$work" "$tool" >"$work/tools/$tool"
done
printf '#!/bin/sh\n[ -e "%s/bare" ] && exit 1\nfor p; do case $p in -*) ;; *) echo "$p install ok installed" ;; esac; done\n' \
    "$work" >"$work/tools/dpkg-query"
printf '#!/bin/sh\necho "apt-get $*" >>"%s/apt-calls"\n' "$work" >"$work/tools/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$work/tools/sudo"
printf '#!/bin/sh\necho "$*" >>"%s/registered"\n' "$work" >"$work/build/bin/qv-register"
chmod +x "$work"/tools/* "$work/build/bin/qv-register"

run() {
    PATH="$work/tools:$PATH" QV_BUILD_DIR="$work/build" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" \
        "$top/run" "$@" >"$work/output" 2>&1 || { cat "$work/output"; return 1; }
}

# Fails unless cmake was called as the patterns say, one call each.
expect_cmake() {
    local what=$1 IFS=$'\n'
    shift
    [[ $(cat "$work/cmake-calls") == $* ]] || { echo "FAIL: $what ran: cmake $(cat "$work/cmake-calls")"; exit 1; }
    rm "$work/cmake-calls"
}

# Fails unless what $1 installed holds every package of $2 and none of $3.
expect_installed() {
    local installed=" $(grep ' install ' "$work/apt-calls") " p
    for p in $2; do [[ $installed == *" $p "* ]] || { echo "FAIL: $1 did not install $p"; exit 1; }; done
    for p in ${3:-}; do [[ $installed != *" $p "* ]] || { echo "FAIL: $1 installed $p"; exit 1; }; done
    rm "$work/apt-calls"
}

run test
if [ -e "$work/registered" ] || [ -e "$work/apt-calls" ]; then
    echo "FAIL: ./run test registered the build tree or installed what is installed:"
    cat "$work/registered" "$work/apt-calls" 2>/dev/null
    exit 1
fi
expect_cmake "./run test" "*-DQV_TESTS=ON -DQV_BENCH=ON" "--build $work/build -j$(nproc)"

# A first start configures the new tree without tests and benchmarks, builds the program's target
# alone and registers the build tree before the program starts.
printf '#!/bin/sh\nexit 0\n' >"$work/build/bin/quorvane"
chmod +x "$work/build/bin/quorvane"
run quorvane
if [ "$(cat "$work/registered" 2>/dev/null)" != "--build-tree $work/build/bin" ]; then
    echo "FAIL: ./run quorvane did not register the build tree"
    exit 1
fi
expect_cmake "the first ./run quorvane" "*-DQV_TESTS=OFF -DQV_BENCH=OFF" "--build $work/build -j$(nproc) --target quorvane"

# On a tree that built it before: the program and its helpers alone, not configured again.
touch "$work/build/CMakeCache.txt"
run quorvane
expect_cmake "./run quorvane on a built tree" "--build $work/build -j$(nproc) --target quorvane"

# On a bare machine a program's start installs what building and trying it needs, no test
# package; ./run test installs those too.
touch "$work/bare"
run quorvane
expect_installed "./run quorvane" "clang-format qt6-base-dev fonts-liberation cups printer-driver-cups-pdf xdg-utils" \
    "libgtest-dev libbenchmark-dev libclang-rt-14-dev clang xvfb khard python3-vobject poppler-utils"
run test
expect_installed "./run test" "clang-format fonts-liberation libgtest-dev libbenchmark-dev libclang-rt-14-dev xvfb khard"
echo "ok"
