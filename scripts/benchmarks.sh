#!/usr/bin/env bash
# Measures the View Manager and writes docs/performance.md, the whole file, from what it measured:
# Google Benchmark timings (preset `bench`), callgrind instruction counts, host calls by operation
# beside the literal loops, the View Manager's heap, and the Windows figures under Wine, this
# code's beside those of an older commit built with today's Windows benchmark program. Not part of
# the test command; takes about ten minutes.
#
#   bash scripts/benchmarks.sh [--against REV]
#
#   --against REV  the commit whose Windows figures are the "before" column (default 0394bd3,
#                  before the list linked each item as it appended it; today's benchmark program
#                  no longer builds against commits much older than that, such as 448b1b3)
#
# The figures stay in build/bench/perf/; scripts/benchmark_report.py writes the page from them and
# can be run again on its own.
set -euo pipefail

usage() {
    sed -n '2,/^set -euo/{/^#/s/^# \{0,1\}//p}' "$0" >&2
    exit 2
}

against=0394bd3
while [[ $# -gt 0 ]]; do
    case $1 in
    --against)
        [[ $# -ge 2 ]] || usage
        against=$2
        shift 2
        ;;
    --against=*)
        against=${1#--against=}
        shift
        ;;
    -h | --help) usage ;;
    *) usage ;;
    esac
done

cd "$(dirname "$0")/.."
readonly root=$PWD
if ! before=$(git rev-parse --verify --quiet --short=7 "$against^{commit}"); then
    echo "benchmarks: --against $against names no commit" >&2
    exit 2
fi
readonly before
readonly out=$root/build/bench/perf
readonly bin=$root/build/bench/bin
readonly winbuild=$root/build/windows

# The project's packages, then what only this script needs.
bash scripts/install-deps.sh
if ! command -v valgrind >/dev/null || ! command -v callgrind_annotate >/dev/null; then
    apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends valgrind
fi

rm -rf "$out"
mkdir -p "$out"
: >"$out/commands.txt"

# Runs a command and notes it for the record, as run from the repository's root: the machine's
# own paths left out.
run() {
    local line
    line=$(printf "%q " "$@")
    echo "${line//"$root"\//}" >>"$out/commands.txt"
    "$@"
}

run flock /tmp/vm-bench.lock cmake --preset bench >/dev/null
run flock /tmp/vm-bench.lock cmake --build --preset bench -j1 --target build_tree_benchmark \
    blank_command_benchmark read_config_benchmark view_manager_profile_run host_call_table >/dev/null

# Timings: five repetitions each, medians kept.
for benchmark in build_tree_benchmark blank_command_benchmark read_config_benchmark; do
    run "$bin/$benchmark" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_out="$out/$benchmark.json" --benchmark_out_format=json >/dev/null
done

# Instructions inside one build, one Blank on the root or one Close of every row of the generated
# die.
count_instructions() { # mode parts function
    run valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.$1.$2.out" \
        --toggle-collect="$3" "$bin/view_manager_profile_run" "$1" "$2" >/dev/null 2>&1
    callgrind_annotate --inclusive=yes --threshold=100 "$out/callgrind.$1.$2.out" \
        >"$out/callgrind.$1.$2.txt"
}
for parts in 1000 5000 20000; do
    count_instructions build "$parts" 'RowModel::BuildTree(char const*, TreeShape const&)'
done
for parts in 5000 20000; do
    count_instructions blank "$parts" 'ViewManagerCommands::OnClickList(int, int, int, bool)'
    count_instructions close "$parts" 'ViewManagerCommands::Close(int)'
done

# Rows, host calls and the View Manager's heap, natively without valgrind.
for parts in 1000 5000 20000; do
    run "$bin/view_manager_profile_run" blank "$parts" >"$out/profile.$parts.txt"
    run "$bin/view_manager_profile_run" close "$parts" >"$out/profile.close.$parts.txt"
done

# Host calls by operation, the plug-in beside the literal loops, and the plug-in's wall time with
# every host call costing 20 µs. It fails when the two leave different results.
run "$bin/host_call_table" --cost-us 20 1000 5000 20000 >"$out/host_calls.tsv"

# The Windows figures, under the Windows build's lock so that no test run shares the Wine
# environment.
run flock /tmp/vm-windows.lock cmake --preset windows >/dev/null
run flock /tmp/vm-windows.lock cmake --build --preset windows -j1 --target windows_benchmarks \
    >/dev/null
run flock /tmp/vm-windows.lock bash -c "bash scripts/wine-env.sh start '$winbuild' >/dev/null \
    && bash scripts/wine-run.sh '$winbuild' '$winbuild/bin/windows_benchmarks.exe' \
    >'$out/windows.txt'; rc=\$?; bash scripts/wine-env.sh stop '$winbuild' >/dev/null; exit \$rc"

# The View Manager on the real list as it was at the commit compared with: the same benchmark
# program, built against that commit's sources.
readonly beforesrc=$root/build/before/src
rm -rf "$beforesrc"
mkdir -p "$beforesrc"
git archive "$before" | tar -x -C "$beforesrc"
for file in ui/bench/windows_benchmarks.cpp ui/bench/windows_benchmarks.rc ui/bench/CMakeLists.txt \
    model/bench/generated_die.h model/bench/generated_die.cpp; do
    cp "$file" "$beforesrc/$file"
done
readonly beforebuild=$beforesrc/build/windows
run flock /tmp/vm-windows.lock bash -c "cd '$beforesrc' && cmake --preset windows >/dev/null \
    && cmake --build --preset windows -j1 --target windows_benchmarks >/dev/null"
run flock /tmp/vm-windows.lock bash -c "bash scripts/wine-env.sh start '$beforebuild' >/dev/null \
    && bash scripts/wine-run.sh '$beforebuild' '$beforebuild/bin/windows_benchmarks.exe' \
    >'$out/windows_before.txt'; rc=\$?; bash scripts/wine-env.sh stop '$beforebuild' >/dev/null; exit \$rc"

# The machine.
{
    echo "cpu $(lscpu | sed -n 's/^Model name: *//p' | head -1)"
    echo "cores $(nproc)"
    echo "memory $(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
    echo "system $(. /etc/os-release && echo "$PRETTY_NAME"), kernel $(uname -r)"
    echo "compiler $(g++ --version | head -1)"
    echo "mingw $(x86_64-w64-mingw32-g++-posix --version | head -1)"
    echo "wine $(/usr/lib/wine/wine64 --version 2>/dev/null || echo unknown)"
    echo "valgrind $(valgrind --version)"
    echo "benchmark $(dpkg-query -W -f='${Version}' libbenchmark-dev)"
    echo "commit $(git rev-parse --short HEAD)$(git diff --quiet HEAD -- . || echo ' (with local changes)')"
    echo "before $before"
} >"$out/machine.txt"

# Hostile configurations, natively and under Wine: a section of its own.
run bash scripts/hostile_config_benchmark.sh >"$out/hostile.md"

python3 scripts/benchmark_report.py "$out" "$root/docs/performance.md"

echo "benchmarks: wrote docs/performance.md"
