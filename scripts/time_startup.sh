#!/usr/bin/env bash
# Times the program's start on a model file to the first frame with its contour, and the
# process's peak memory: bash scripts/time_startup.sh FILE [PROGRAM]
# PROGRAM is build/win/stage/bin/Gravik.exe unless given (another build's, to compare). The
# program runs under Wine on the display of scripts/wine-env.sh; an 80 x 60 picture of the display
# is taken every 0.05 s (0.2 s without NumPy) until more than 5 % of it is strongly coloured (the
# contour and its legend; the model, the background and the bars are grey); the program is ended.
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
# loaded machine, which would count into the start and take processors from the program. The
# picture comes straight from the X server where NumPy is there (a few milliseconds, one every
# 0.05 s); ImageMagick's import takes 0.16 s a picture, one every 0.36 s with the pause, which
# adds about a quarter of a second to what is measured.
poll_contour() {
    "$python" - "$1" "$2" "$DISPLAY" <<'POLL'
import ctypes, ctypes.util, os, subprocess, sys, time
runner, start, display = int(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
COLS, ROWS = 80, 60
def running():
    try:
        os.kill(runner, 0)
        return True
    except OSError:
        return False
def strongly_coloured(cells):
    """cells: (red, green, blue) averages of the picture's cells."""
    n = len(cells)
    return n > 0 and sum(1 for c in cells if max(c) - min(c) > 100) > 0.05 * n
def import_picture():
    d = subprocess.run(["import", "-window", "root", "-display", display, "-resize",
                        "%dx%d!" % (COLS, ROWS), "-depth", "8", "rgb:-"],
                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
    return [tuple(d[k:k + 3]) for k in range(0, len(d) - 2, 3)]
def x_picture_source():
    try:
        import numpy as np
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    except (ImportError, OSError):
        return None
    class XImage(ctypes.Structure):
        _fields_ = [(name, ctypes.c_int) for name in ("width", "height", "xoffset", "format")] + \
                   [("data", ctypes.c_void_p)] + \
                   [(name, ctypes.c_int) for name in ("byte_order", "bitmap_unit", "bitmap_bit_order",
                                                      "bitmap_pad", "depth", "bytes_per_line",
                                                      "bits_per_pixel")]
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XDisplayWidth.argtypes = x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XFree.argtypes = [ctypes.c_void_p]
    connection = x11.XOpenDisplay(display.encode())
    if not connection:
        return None
    root = x11.XDefaultRootWindow(connection)
    width, height = x11.XDisplayWidth(connection, 0), x11.XDisplayHeight(connection, 0)
    cell_w, cell_h = width // COLS, height // ROWS
    def picture():
        pointer = x11.XGetImage(connection, root, 0, 0, width, height, 0xFFFFFFFF, 2)  # ZPixmap
        if not pointer:
            return import_picture()
        image = pointer.contents
        data = None
        if image.bits_per_pixel == 32:
            data = ctypes.string_at(image.data, image.bytes_per_line * image.height)
        rows, row_pixels = image.height, image.bytes_per_line // 4
        x11.XFree(image.data)
        x11.XFree(pointer)
        if data is None:
            return import_picture()
        pixels = np.frombuffer(data, np.uint8).reshape(rows, row_pixels, 4)
        # The cells' averages in red, green and blue, as import's resized picture gives them
        # (the pixels lie as blue, green, red and an unused byte).
        cells = pixels[:ROWS * cell_h, :COLS * cell_w, 2::-1].reshape(
            ROWS, cell_h, COLS, cell_w, 3).mean(axis=(1, 3))
        return [tuple(c) for c in cells.reshape(-1, 3)]
    return picture
picture = x_picture_source()
pause = 0.05
if picture is None:
    picture, pause = import_picture, 0.2
while running() and time.time() - start <= 180:
    if strongly_coloured(picture()):
        print("%.2f" % (time.time() - start))
        break
    time.sleep(pause)
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
