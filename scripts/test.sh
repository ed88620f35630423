#!/usr/bin/env bash
# Builds and runs every test on a fresh machine: installs what is missing, then builds the
# native build, the sanitizer build (AddressSanitizer + UBSan) and the Windows build, runs the
# Windows tests under Wine with Xvfb, and runs each fuzz target briefly. Exits non-zero
# when any build, test or fuzz run fails.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${JOBS:-$(nproc)}

scripts/install-deps.sh || { echo "dependency installation failed"; exit 1; }

failed=0
results=()
skipped_total=0

configure_and_build()
{
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
    cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1 || { tail -n 60 "$dir.build.log"; return 1; }
}

run_ctest()
{
    local name=$1 dir=$2
    echo "=== $name tests ==="
    local log="$dir.ctest.log"
    # Verbose, so that the log holds each executable's own summary with its skipped tests. The
    # program's window tests take minutes on a slow two-core machine: a generous timeout.
    (cd "$dir" && ctest -V --output-on-failure --timeout 1800) >"$log" 2>&1
    local rc=$?
    grep -E "tests passed|tests failed|Failed|\*\*\*|FAILED|Test +#" "$log" | tail -n 40
    local skipped
    skipped=$(grep -oE "\[  SKIPPED \] [0-9]+ tests?[.,]" "$log" | grep -oE "[0-9]+" |
        awk '{ n += $1 } END { print n + 0 }')
    echo "$name: $skipped tests skipped"
    skipped_total=$((skipped_total + skipped))
    if [ $rc -ne 0 ]; then
        tail -n 80 "$log"
        failed=1
        results+=("$name: FAILED")
    else
        results+=("$name: ok")
    fi
}

# First the program as the run command builds it, from a clone that may have no build/ yet, so
# that a break of a new user's first run fails here.
source scripts/win-build.sh
echo "=== program (the run command's build) ==="
if win_build_program; then
    results+=("program: ok")
else
    failed=1; results+=("program: BUILD FAILED")
fi
mkdir -p build

# Includes follow the README's order of folders.
echo "=== include directions ==="
if python3 scripts/check_includes.py; then
    results+=("include directions: ok")
else
    failed=1; results+=("include directions: FAILED")
fi

# Source layout as .clang-format gives it (hand-aligned tables sit between "clang-format off"
# and "on" comments): the files that differ are listed and fail the run.
echo "=== source format ==="
mapfile -t unformatted < <(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror 2>&1 |
    grep -oE '^[^:]+\.(cpp|h):[0-9]+:[0-9]+: (error|warning)' | cut -d: -f1 | sort -u)
if [ ${#unformatted[@]} -eq 0 ]; then
    results+=("source format: ok")
else
    printf '  %s\n' "${unformatted[@]}"
    failed=1; results+=("source format: ${#unformatted[@]} files differ")
fi

# Native build with benchmarks; sanitizer build; Windows product build.
if configure_and_build build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo; then
    run_ctest native build/native
else
    failed=1; results+=("native: BUILD FAILED")
fi

if configure_and_build build/asan -DCMAKE_BUILD_TYPE=Debug -DGRAVIK_SANITIZE=ON -DGRAVIK_BENCH=OFF; then
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        run_ctest sanitizer build/asan
else
    failed=1; results+=("sanitizer: BUILD FAILED")
fi

if win_build_targets; then
    # A private Wine prefix, a virtual display and a kept-alive wine server.
    source scripts/wine-env.sh
    trap 'eval "$WINE_ENV_CLEANUP"' EXIT
    run_ctest windows build/win
else
    failed=1; results+=("windows: BUILD FAILED")
fi

# Fuzz smoke: each libFuzzer target (readers, project file) for a minute, side by side.
echo "=== fuzz smoke ==="
if FUZZ_PARALLEL=1 FUZZ_ARGS="${FUZZ_ARGS:--seed=1}" scripts/fuzz.sh "${FUZZ_SECONDS:-60}"; then
    results+=("fuzz: ok")
else
    failed=1; results+=("fuzz: FAILED")
fi

echo "=== summary ==="
printf '%s\n' "${results[@]}"
passed=0; fails=0
for r in "${results[@]}"; do
    case "$r" in *ok) passed=$((passed + 1)) ;; *) fails=$((fails + 1)) ;; esac
done
echo "Stages: $passed passed, $fails failed"
echo "Tests skipped: $skipped_total"
exit $failed
