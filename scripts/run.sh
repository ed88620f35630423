#!/usr/bin/env bash
# Runs the program as a user would: bash scripts/run.sh [FILE]
# Installs what a fresh machine lacks, builds what is missing of the Windows build (the program
# and its staged runtime folders), starts a virtual display when there is none, and starts
# build/win/stage/bin/Gravik.exe under Wine on FILE, or on the demo model the build stages
# (build/win/stage/demo/demo.unv) when no FILE is given. Returns the program's exit code.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
stage="$root/build/win/stage"
program="$stage/bin/Gravik.exe"

if [ $# -gt 1 ]; then
    echo "usage: bash scripts/run.sh [FILE]" >&2
    exit 2
fi
if [ $# -eq 1 ]; then
    if [ ! -f "$1" ]; then
        echo "run.sh: no such file: $1" >&2
        exit 2
    fi
    file="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
else
    file="$stage/demo/demo.unv"
fi

cd "$root"
scripts/install-deps.sh || { echo "run.sh: installing the tools failed" >&2; exit 1; }

# The Windows build: configured once, then brought up to date (nothing to do when it is).
if [ ! -f build/win/CMakeCache.txt ]; then
    echo "Configuring the Windows build in build/win ..."
    cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release >build/win.configure.log 2>&1 ||
        { tail -n 40 build/win.configure.log; exit 1; }
fi
targets=(stage)
# The program's target exists once the source tree has the application.
known_targets=$(cmake --build build/win --target help 2>/dev/null)
if grep -qE '(^|[ .])Gravik$' <<<"$known_targets"; then
    targets+=(Gravik)
fi
echo "Building ${targets[*]} ..."
cmake --build build/win -j "${JOBS:-$(nproc)}" --target "${targets[@]}" >build/win.run-build.log 2>&1 ||
    { tail -n 60 build/win.run-build.log; echo "run.sh: the build failed" >&2; exit 1; }
if [ ! -f "$program" ]; then
    echo "run.sh: the program is not built yet: this source tree makes no Gravik.exe" \
        "($program is missing)." >&2
    exit 3
fi
if [ ! -f "$file" ]; then
    echo "run.sh: the demo model was not staged: $file is missing" >&2
    exit 1
fi

# Wine in a prefix of its own below build/, without the Mono and Gecko installers.
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix-run}"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup()
{
    if [ -n "$xvfb_pid" ]; then
        wineserver -k >/dev/null 2>&1
        kill "$xvfb_pid" >/dev/null 2>&1
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    display=99
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display"
    for _ in $(seq 1 20); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.3
    done
    echo "No display: the program runs on the virtual display $DISPLAY" \
        "(see it with: import -window root -display $DISPLAY shot.png)"
fi
if [ ! -d "$WINEPREFIX" ]; then
    echo "Making the Wine prefix $WINEPREFIX ..."
    wineboot -i >/dev/null 2>&1
fi
if [ -n "$xvfb_pid" ]; then
    # No window manager on the virtual display: Wine places its windows itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi

windows_file=$(winepath -w "$file" 2>/dev/null)
echo "Starting $program on $file"
wine "$program" "$windows_file"
