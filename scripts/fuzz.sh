#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each for the given number of
# seconds, seeded with the sample files of its kind and the bad-input fixtures. Exits non-zero
# when a target finds a crash, hang (10 s), leak or out-of-memory (2 GB), or does not build.
#
#   scripts/fuzz.sh SECONDS [TARGET...]     targets: bulk_fuzz unv_fuzz op2_fuzz archive_fuzz
#                                           project_fuzz (default all)
#
# FUZZ_BUILD_DIR  build folder (default build/fuzz); corpora grow in its corpus/ folder and
#                 findings land in its artifacts/ folder, both outside git.
# FUZZ_PARALLEL   1: run the targets side by side instead of one after the other.
# FUZZ_JOBS       build jobs (default: number of cores).
# FUZZ_ARGS       more libFuzzer options, e.g. "-fork=2 -ignore_ooms=1" to go on past findings.
set -uo pipefail

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS [TARGET...]" >&2
    exit 2
fi
seconds=$1
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(bulk_fuzz unv_fuzz op2_fuzz archive_fuzz project_fuzz)

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${FUZZ_BUILD_DIR:-build/fuzz}
jobs=${FUZZ_JOBS:-$(nproc)}
samples=../shared/samples
fixtures=tests/io/badinput/fixtures

mkdir -p "$build"
# The model's id maps have 200,000 buckets; walking them with coverage tracing would take most
# of each run, and their code is not what the targets explore.
ignorelist=$(cd "$build" && pwd)/coverage-ignore.txt
printf 'fun:_ZN4CMap*\nfun:_ZNK4CMap*\n' >"$ignorelist"
if ! CC=clang CXX=clang++ cmake -S . -B "$build" -DGRAVIK_FUZZ=ON -DGRAVIK_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="-fsanitize-coverage-ignorelist=$ignorelist" \
    >"$build/configure.log" 2>&1; then
    cat "$build/configure.log"
    exit 1
fi
if ! cmake --build "$build" -j "$jobs" --target "${targets[@]}" >"$build/build.log" 2>&1; then
    tail -n 60 "$build/build.log"
    exit 1
fi

# Seeds: copies of the sample files of the target's kind (names made unique, the samples folder
# keeps folders of the same file names), plus the fixtures of that kind.
collect_seeds()
{
    local target=$1 kind=$2
    shift 2
    local seeds="$build/seeds/$target"
    rm -rf "$seeds"
    mkdir -p "$seeds"
    if [ -d "$samples" ] && [ $# -gt 0 ]; then
        local n=0 pattern=() file
        for extension in "$@"; do
            [ ${#pattern[@]} -eq 0 ] || pattern+=(-o)
            pattern+=(-iname "*.$extension")
        done
        while IFS= read -r -d '' file; do
            n=$((n + 1))
            cp "$file" "$seeds/$n-$(basename "$file" | tr ' ' '_')"
        done < <(find "$samples" -type f \( "${pattern[@]}" \) -print0)
    fi
    if [ -d "$fixtures/$kind" ]; then
        cp "$fixtures/$kind"/* "$seeds/" 2>/dev/null
    fi
}

# Project files written by the program's own save, on solver files the target writes itself.
collect_project_seeds()
{
    local seeds="$build/seeds/project_fuzz"
    rm -rf "$seeds"
    GRAVIK_PROJECT_SEEDS="$seeds" "$build/fuzz/project_fuzz" >"$build/project_seeds.log" 2>&1
}

# Words that mutations should meet often; libFuzzer's dictionary format.
write_dictionary()
{
    local target=$1
    local dict="$build/dict/$target.dict"
    mkdir -p "$build/dict"
    case $target in
    bulk_fuzz)
        printf '"%s"\n' "GRID    " "GRID*   " "CQUAD4  " "CQUAD4* " "CTRIA3  " "CHEXA   " \
            "CPENTA  " "CTETRA  " "CBAR    " "CBEAM   " "CROD    " "CONM2   " "CELAS1  " \
            "CELAS3  " "CMASS2  " "CMASS4  " "CGAP    " "CSHEAR  " "CORD1R  " "CORD2C  " \
            "CORD2S  " "CQUAD8  " "CTRIA6  " "INCLUDE 'a.inc'" "include 'b.inc'" \
            "INCLUDE 'main.dat'" "\\x0c" "\\x09" "+" "*" "," "-3" "+2" "1.-3" "\\x0a" \
            "\\x0d" "C1      " "1.5 3" \
            >"$dict"
        ;;
    unv_fuzz)
        printf '"%s"\n' "    -1" "  2411" "    15" "  2412" "   780" "  2414" "    55" \
            "    56" "    164" "  2420" "\\x0a" "\\x0d\\x0a" "1.0D+00" "-1" >"$dict"
        ;;
    op2_fuzz)
        printf '"%s"\n' "\\x04\\x00\\x00\\x00" "\\xff\\xff\\xff\\xff" "\\xfd\\xff\\xff\\xff" \
            "\\xfe\\xff\\xff\\xff" "\\x08\\x00\\x00\\x00" "\\x1c\\x00\\x00\\x00" "OUGV1   " \
            "OES1X1  " "OEF1X   " "OQG1    " "GEOM1   " "GEOM2   " "LAMA    " "OGS1    " \
            "ONRGY1  " "\\x01\\x17\\x11\\x00" >"$dict"
        ;;
    archive_fuzz)
        printf '"%s"\n' "\\xff\\xff\\x00\\x00\\x08\\x00CObArray" \
            "\\xff\\xff\\x01\\x00\\x09\\x00CFuzzNode" "\\x01\\x80" "\\x03\\x80" "\\xff\\x7f" \
            "\\xff\\xff\\xff" >"$dict"
        ;;
    project_fuzz)
        printf '"%s"\n' "[Path]" "[ViewSettings]" "[ViewSettings1]" "[ViewSettings2]" "[Axis]" \
            "[ViewAngle]" "[Font]" "[Others]" "[Material]" "[DisplayAttribute]" \
            "[LoadedResults]" "[Property]" "[GroupSettings]" "[Group 0]" "[Group 1]" \
            "InputFileCount=" "InputFile0=" "InputFile1=" "\$plate.dat" "\$plate.unv" \
            "\$plate.op2" "ViewCnt=" "DisplayFilters=" "ViewID=" "PositionStartX=" \
            "PositionStartY=" "Height=" "Width=" "ViewState=" "stViewVolumeX=" \
            "endViewVolumeZ=" "PanPtY=" "RotationAngleX=" "DisplayMode=" "ShrinkFactor=" \
            "ShrinkView=" "ShowDeformation=" "AnimationInterval=" "ContourResultID=" \
            "VectorResultID=" "ShowModel=" "ShowContour=" "ResultType=" "MaxLCSteps=" "LCStep=" \
            "DeformationScaleFactor=" "ModelScaleFactor=" "ContourType=" "DisplayType=" \
            "BandType=" "ResultCategory=" "ReverseBand=" "ViewMin=" "ViewMax=" "DataMin=" \
            "DataMax=" "Bands=" "VectorThickness=" "IsSameVectorColor=" "VectorColor=" \
            "VectorColorBands=" "VectorPosition=" "VectorArrowHeadSize=" \
            "VectorArrowHeadPercLen=" "VectorArrowHeadType=" "ScaleFactor=" "VectorLength=" \
            "IsVectorLenConst=" "CornorPosition=" "CornorDisplay=" "ModelOriginDisplay=" "X=" \
            "Weight=" "Italic=" "FaceName=" "LabelColor=" "ImportFile=" "SameOnBothSide=" \
            "SolidObverseObjectColor=" "ShellReverseEnvColor=" "SolidObverseShininess=" \
            "GridColor=" "GridSize=" "BackgroundColor=" "PropertyCount=" "PropertyID 1=" \
            "PropertyID 1 Color=" "MaterialCount=" "MaterialID 1=" "MaterialID 1 Color=" \
            "GroupCount=" "GroupID=" "GroupName=" "ElementListCount=" "ElemList 0=" \
            "Count=" "LoadedResult0ID=" "LoadedResult0Convert=" "8396809" "2147483647" \
            "-2147483648" "4294967295" "1e308" "nan" "\x0d\x0a" "\"" >"$dict"
        ;;
    esac
    echo "$dict"
}

run_target()
{
    local target=$1 max_len
    case $target in
    bulk_fuzz) collect_seeds "$target" bulk bdf dat blk inc; max_len=65536 ;;
    unv_fuzz) collect_seeds "$target" unv unv uff; max_len=65536 ;;
    op2_fuzz) collect_seeds "$target" op2 op2; max_len=262144 ;;
    archive_fuzz) collect_seeds "$target" archive; max_len=4096 ;;
    project_fuzz) collect_project_seeds || return 1; max_len=16384 ;;
    *) echo "unknown target $target" >&2; return 2 ;;
    esac
    local dict corpus="$build/corpus/$target" artifacts="$build/artifacts/$target/"
    dict=$(write_dictionary "$target")
    mkdir -p "$corpus" "$artifacts"
    local log="$build/$target.log"
    echo "=== $target: $seconds s (log $log) ==="
    "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$max_len" -dict="$dict" -artifact_prefix="$artifacts" -print_final_stats=1 \
        ${FUZZ_ARGS:-} "$corpus" "$build/seeds/$target" >"$log" 2>&1
    local rc=$?
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb|Done [0-9]+ runs" "$log" | sed "s/^/$target: /"
    if [ $rc -ne 0 ]; then
        echo "$target: FINDING (exit $rc); input in $artifacts" >&2
        grep -E "^==[0-9]+==ERROR|SUMMARY|Test unit written|ALARM|out-of-memory" "$log" | head -n 10 >&2
    fi
    return $rc
}

# The targets write their inputs to files: a scratch folder in memory when there is one, removed
# at the end whatever became of the runs.
scratch_base=/dev/shm
[ -d "$scratch_base" ] && [ -w "$scratch_base" ] || scratch_base=${TMPDIR:-/tmp}
GRAVIK_FUZZ_SCRATCH=$(mktemp -d "$scratch_base/gravik_fuzz.XXXXXX") || exit 1
export GRAVIK_FUZZ_SCRATCH
trap 'rm -rf "$GRAVIK_FUZZ_SCRATCH"' EXIT

failed=0
if [ "${FUZZ_PARALLEL:-0}" = 1 ]; then
    pids=()
    for target in "${targets[@]}"; do
        run_target "$target" &
        pids+=($!)
    done
    for pid in "${pids[@]}"; do
        wait "$pid" || failed=1
    done
else
    for target in "${targets[@]}"; do
        run_target "$target" || failed=1
    done
fi
exit $failed
