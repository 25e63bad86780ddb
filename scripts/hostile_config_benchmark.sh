#!/usr/bin/env bash
# Reads a set of hostile view configurations natively (libxml2, preset `bench`) and under Wine
# (MSXML, preset `windows`), each file in a process of its own, and prints the section of
# docs/performance.md that gives each file's answer, time and peak memory. Not part of the test
# command; scripts/benchmarks.sh runs it.
#
#   bash scripts/hostile_config_benchmark.sh >section.md
set -euo pipefail

cd "$(dirname "$0")/.."
readonly root=$PWD
readonly corpus=$root/build/bench/hostile
readonly native=$root/build/bench/bin/hostile_config_benchmark
readonly winbuild=$root/build/windows
readonly windows=$winbuild/bin/hostile_config_benchmark.exe

flock /tmp/vm-bench.lock cmake --preset bench >/dev/null
flock /tmp/vm-bench.lock cmake --build --preset bench -j1 --target hostile_config_benchmark \
    >/dev/null
flock /tmp/vm-windows.lock cmake --preset windows >/dev/null
flock /tmp/vm-windows.lock cmake --build --preset windows -j1 --target hostile_config_benchmark \
    >/dev/null

rm -rf "$corpus"
mkdir -p "$corpus"
mapfile -t files < <("$native" write "$corpus")

declare -A native_line windows_line
for file in "${files[@]}"; do
    native_line[$file]=$("$native" read "$file")
done
bash scripts/wine-env.sh start "$winbuild" >/dev/null
trap 'bash scripts/wine-env.sh stop "$winbuild" >/dev/null' EXIT
for file in "${files[@]}"; do
    windows_line[$file]=$(bash scripts/wine-run.sh "$winbuild" "$windows" read \
        "Z:${file//\//\\}" | tr -d '\r' | grep -v '^fixme' | tail -n 1)
done

# A row per file: its size, then per backend the answer, the time and the peak memory above the
# process's memory at the start of the read.
row() { # file
    local file=$1 n_ms n_peak n_start n_result w_ms w_peak w_start w_result
    read -r n_ms n_peak n_start n_result _ <<<"${native_line[$file]}"
    read -r w_ms w_peak w_start w_result _ <<<"${windows_line[$file]}"
    printf '| %s | %s | %s | %s | %s | %s | %s | %s |\n' "$(basename "$file" .xml)" \
        "$(stat -c %s "$file" | sed ':a;s/\B[0-9]\{3\}\>/,&/;ta')" "$n_result" "$n_ms" \
        "$(((n_peak - n_start) / 1024))" "$w_result" "$w_ms" "$(((w_peak - w_start) / 1024))"
}

cat <<'HEAD'
## Reading hostile configurations

Each file read once by a process of its own (`config/bench/hostile_config_benchmark.cpp`), natively
with libxml2 and under Wine with MSXML; memory is the process's peak above what it held when the
read began (the peak resident set natively, the peak working set under Wine). The generated die's
5,000-group view is the yardstick; `most_elements`, `deepest` and `largest_attribute` sit just
within the bounds (50,000 elements, 10,000 levels, 8 MB; Wine's MSXML itself stops at 256 levels,
where Windows' MSXML reads on). Goal: every file answered within 1 s natively and 3 s under Wine,
with under 64 MB.

| file | bytes | libxml2 | ms | MB | MSXML | ms | MB |
|---|---:|---|---:|---:|---|---:|---:|
HEAD
for file in "${files[@]}"; do
    row "$file"
done
echo
echo "Refused files are refused before any parser sees them, with the message that says why:"
echo
for file in "${files[@]}"; do
    read -r _ _ _ result message <<<"${native_line[$file]}"
    [[ $result == refused ]] && echo "- \`$(basename "$file" .xml)\`: \"$message\""
done
exit 0
