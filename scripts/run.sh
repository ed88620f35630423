#!/usr/bin/env bash
# Runs the program as a user would: bash scripts/run.sh [FILE]
# Installs what a fresh machine lacks, builds what is missing of the Windows build (the program
# and its staged runtime folders), starts a virtual display when there is none, and starts
# build/win/stage/bin/Gravik.exe under Wine on FILE, or on the demo model the build stages
# (build/win/stage/demo/demo.unv) when no FILE is given. Returns the program's exit code; a start
# that ended early is told with the reason from the program's log.
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

# The Windows build, configured on the first run, then brought up to date.
source scripts/win-build.sh
win_build_program || { echo "run.sh: the build failed" >&2; exit 1; }
if [ ! -f "$program" ]; then
    echo "run.sh: the program is not built yet: this source tree makes no Gravik.exe" \
        "($program is missing)." >&2
    exit 3
fi
if [ ! -f "$file" ]; then
    echo "run.sh: the demo model was not staged: $file is missing" >&2
    exit 1
fi

# Wine in a prefix of its own below build/, away from the tests' prefix; a virtual display
# when there is none (the script says which).
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix-run}"
had_display="${DISPLAY:-}"
source scripts/wine-env.sh
trap 'eval "$WINE_ENV_CLEANUP"' EXIT
trap 'exit 130' INT TERM
if [ "$DISPLAY" != "$had_display" ]; then
    echo "No display: the program runs on the virtual display $DISPLAY" \
        "(see it with: import -window root -display $DISPLAY shot.png)"
fi

windows_file=$(winepath -w "$file" 2>/dev/null)
echo "Starting $program on $file"
wine "$program" "$windows_file"
code=$?
# A start that ended before the main window ran logs why (exit code 3): say it here too.
if [ $code -eq 3 ]; then
    log=$(ls -t "$stage"/log/* 2>/dev/null | head -n 1)
    echo "run.sh: the program ended at its start; its log ($log) says:" >&2
    [ -n "$log" ] && grep -a "Start ended" "$log" | tail -n 1 >&2
fi
exit $code
