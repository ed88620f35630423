# Sourced by run.sh and test.sh: the one way the Windows build is configured and built, so that
# the tests take the path a new user's first run takes, from a clone without build/.
#   source scripts/win-build.sh && win_build_program
# Logs go to build/win.configure.log and build/win.build.log; on failure their tail is shown.

# Configures build/win once (the logs' folder is made first: a fresh clone has no build/).
win_build_configure()
{
    mkdir -p build || return 1
    [ -f build/win/CMakeCache.txt ] && return 0
    echo "Configuring the Windows build in build/win ..."
    # About 40 minutes of one processor's time, shared by the parallel jobs.
    local jobs=${JOBS:-$(nproc)} cores
    cores=$(nproc)
    ((jobs < cores)) && cores=$jobs
    echo "A first build compiles the whole program: about $((40 / cores + 1)) minutes with" \
        "$cores parallel jobs on a quiet machine; later builds compile only what changed."
    cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release >build/win.configure.log 2>&1 ||
        { tail -n 40 build/win.configure.log; return 1; }
}

# Copies the build's output into the log and shows its progress from make's "[ NN%]" lines: a
# line each 5 % once something is compiled, with the minutes so far (an up-to-date build says
# nothing).
win_build_progress()
{
    local log=$1 start=$SECONDS shown=-5 working=0 line pct
    : >"$log"
    while IFS= read -r line; do
        printf '%s\n' "$line" >>"$log"
        [[ $line == *"Building "* || $line == *"Linking "* ]] && working=1
        [[ $working -eq 1 && $line =~ ^\[\ *([0-9]+)%\] ]] || continue
        pct=${BASH_REMATCH[1]}
        if ((pct >= shown + 5)); then
            shown=$((pct - pct % 5))
            printf '  %3d %%  %d min %02d s\n' "$pct" $(((SECONDS - start) / 60)) \
                $(((SECONDS - start) % 60))
        fi
    done
}

# Brings the given targets of build/win up to date (every target when none is given).
win_build_targets()
{
    win_build_configure || return 1
    local args=() jobs=${JOBS:-$(nproc)}
    [ $# -gt 0 ] && args=(--target "$@")
    echo "Building ${*:-the Windows build} with $jobs parallel jobs (JOBS=N sets them) ..."
    cmake --build build/win -j "$jobs" "${args[@]}" 2>&1 | win_build_progress build/win.build.log
    [ "${PIPESTATUS[0]}" -eq 0 ] || { tail -n 60 build/win.build.log; return 1; }
}

# The program and its staged runtime folders, as run.sh starts them.
win_build_program()
{
    win_build_configure || return 1
    local targets=(stage) known
    # The program's target exists once the source tree has the application. Read whole: with
    # pipefail, grep -q ending the pipe early would fail it.
    known=$(cmake --build build/win --target help 2>/dev/null)
    if grep -qE '(^|[ .])Gravik$' <<<"$known"; then
        targets+=(Gravik)
    fi
    win_build_targets "${targets[@]}"
}
