#!/usr/bin/env bash
# Times the program's start on a model file to the first frame with its contour, and the
# process's peak memory: bash scripts/time_startup.sh FILE [PROGRAM]
# PROGRAM is build/win/stage/bin/Gravik.exe unless given (another build's, to compare). The
# program runs under Wine on the display of scripts/wine-env.sh; a small picture of the display
# is taken every 0.2 s until more than 5 % of it is strongly coloured (the contour and its
# legend; the model, the background and the bars are grey), then the program is ended.
# Prints: seconds to the contour, peak resident MB, and the load average at the start.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: bash scripts/time_startup.sh FILE [PROGRAM]"
for argument in "$@"; do
    case "$argument" in
    -h | --help)
        echo "$usage"
        sed -n '2,8s/^# \{0,1\}//p' "$0"
        exit 0
        ;;
    -*)
        printf 'time_startup.sh: unknown option %s\n%s\n' "$argument" "$usage" >&2
        exit 2
        ;;
    esac
done
if [ $# -lt 1 ] || [ $# -gt 2 ] || [ ! -f "$1" ]; then
    echo "$usage" >&2
    exit 2
fi
file="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
program="${2:-$root/build/win/stage/bin/Gravik.exe}"
[ -f "$program" ] || { echo "time_startup.sh: no program at $program" >&2; exit 2; }
# Without ImageMagick's import every picture would read as empty and the run as a timeout.
command -v import >/dev/null ||
    { echo "time_startup.sh: needs ImageMagick's import (apt-get install imagemagick)" >&2; exit 2; }

cd "$root"
source scripts/wine-env.sh >/dev/null
export WINEDEBUG=-all
times=$(mktemp)
# A display started here goes with the run (and the server, which would hold on to it).
trap 'rm -f "$times"; [ -z "${wine_env_xvfb:-}" ] || eval "$WINE_ENV_CLEANUP"' EXIT

# Polls the display until more than 5 % of an 80 x 60 picture of it is strongly coloured, while the
# process $1 runs and for 180 s at most after $2; prints the seconds from $2, nothing on a timeout.
# One interpreter for the whole run: one per picture takes tenths of a second, whole seconds on a
# loaded machine, which would count into the start and take processors from the program.
poll_contour() {
    "$python" - "$1" "$2" "$DISPLAY" <<'POLL'
import os, subprocess, sys, time
runner, start, display = int(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
def running():
    try:
        os.kill(runner, 0)
        return True
    except OSError:
        return False
while running() and time.time() - start <= 180:
    d = subprocess.run(["import", "-window", "root", "-display", display, "-resize", "80x60!",
                        "-depth", "8", "rgb:-"], stdout=subprocess.PIPE,
                       stderr=subprocess.DEVNULL).stdout
    n = len(d) // 3
    if n and sum(1 for k in range(0, 3 * n, 3) if max(d[k:k + 3]) - min(d[k:k + 3]) > 100) > 0.05 * n:
        print("%.2f" % (time.time() - start))
        break
    time.sleep(0.2)
POLL
}
python=/usr/bin/python3
[ -x "$python" ] || python=python3

load=$(cut -d' ' -f1-3 /proc/loadavg)
cat "$file" >/dev/null # in the page cache, as for every run
# Before the clock starts: winepath is a Wine process of its own.
windows_file=$(winepath -w "$file")
start=$(date +%s.%N)
/usr/bin/time -v -o "$times" wine "$program" /Automation "$windows_file" >/dev/null 2>&1 &
runner=$!
seconds=$(poll_contour "$runner" "$start")
program_pid=$(pgrep -P "$runner")
[ -n "$program_pid" ] && kill "$program_pid"
wait "$runner" 2>/dev/null
peak_kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$times")
echo "seconds=${seconds:-timeout} peakMB=$(( ${peak_kb:-0} / 1024 )) load=\"$load\" file=$file"
