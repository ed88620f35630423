#!/usr/bin/env bash
# The benchmark scripts answer --help with their usage and refuse an unknown option, writing
# nothing: run in an empty folder, which must stay empty.
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail()
{
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# Runs a script's command in the empty folder (at most 20 s: a script that takes an option for
# a folder starts writing plates); sets rc, out, err.
run_in_empty_folder()
{
    rm -rf "$work/run" && mkdir "$work/run"
    (cd "$work/run" && timeout 20 "$@" >"$work/out" 2>"$work/err")
    rc=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
    if [ -n "$(ls -A "$work/run")" ]; then
        fail "$* wrote into the folder: $(ls -A "$work/run" | head -n 3 | tr '\n' ' ')"
    fi
}

scripts=("python3 $root/scripts/make_plates.py" "bash $root/scripts/time_startup.sh")
for script in "${scripts[@]}"; do
    for help in --help -h; do
        run_in_empty_folder $script $help
        [ $rc -eq 0 ] || fail "$script $help: exit code $rc, expected 0"
        grep -qi "usage" <<<"$out" || fail "$script $help: no usage on the output: $out"
    done
    for option in --bogus -x; do
        run_in_empty_folder $script $option
        [ $rc -eq 2 ] || fail "$script $option: exit code $rc, expected 2"
        grep -q -- "$option" <<<"$err" || fail "$script $option: the error does not name it: $err"
        grep -qi "usage" <<<"$err" || fail "$script $option: no usage with the error: $err"
    done
done

# An unknown option after the folder is refused too, before anything is written.
run_in_empty_folder python3 "$root/scripts/make_plates.py" plates 10 --bogus
[ $rc -eq 2 ] || fail "make_plates.py plates 10 --bogus: exit code $rc, expected 2"

if [ $failures -ne 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "benchmark scripts: all passed"
