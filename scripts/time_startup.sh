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
trap 'rm -f "$times"' EXIT

# Saturated pixels of an 80 x 60 picture, as a fraction.
coloured() {
    import -window root -display "$DISPLAY" -resize 80x60! -depth 8 rgb:- 2>/dev/null |
        python3 -c '
import sys
d = sys.stdin.buffer.read()
n = len(d) // 3
print(sum(1 for k in range(0, 3 * n, 3) if max(d[k:k + 3]) - min(d[k:k + 3]) > 100) / max(n, 1))'
}

load=$(cut -d' ' -f1-3 /proc/loadavg)
cat "$file" >/dev/null # in the page cache, as for every run
start=$(date +%s.%N)
/usr/bin/time -v -o "$times" wine "$program" /Automation "$(winepath -w "$file")" >/dev/null 2>&1 &
runner=$!
seconds=""
while kill -0 "$runner" 2>/dev/null; do
    if python3 -c "import sys; sys.exit(0 if float(sys.argv[1]) > 0.05 else 1)" "$(coloured)"; then
        seconds=$(python3 -c "import sys; print('%.2f' % (float(sys.argv[1]) - float(sys.argv[2])))" \
            "$(date +%s.%N)" "$start")
        break
    fi
    if python3 -c "import sys; sys.exit(0 if float(sys.argv[1]) - float(sys.argv[2]) > 180 else 1)" \
        "$(date +%s.%N)" "$start"; then
        break
    fi
    sleep 0.2
done
program_pid=$(pgrep -P "$runner")
[ -n "$program_pid" ] && kill "$program_pid"
wait "$runner" 2>/dev/null
peak_kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$times")
echo "seconds=${seconds:-timeout} peakMB=$(( ${peak_kb:-0} / 1024 )) load=\"$load\" file=$file"
