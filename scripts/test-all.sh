#!/usr/bin/env bash
# Builds the native, asan, windows and fuzz configurations and runs every test in each (the fuzz
# configuration's tests are bounded libFuzzer runs), then the static analysis of the native
# configuration's files (scripts/static-analysis.sh).
# Exits non-zero if any configure, build or test step fails; all configurations run regardless.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

bash scripts/install-deps.sh || exit 1

presets=(native asan windows fuzz)
declare -A result
failed=0

for preset in "${presets[@]}"; do
    echo "=== ${preset}: configure, build, test"
    start=$SECONDS
    if ! cmake --preset "$preset"; then
        result[$preset]="configure FAILED"
    elif ! cmake --build --preset "$preset" -j2; then
        result[$preset]="build FAILED"
    elif ! ctest --preset "$preset" --output-on-failure; then
        result[$preset]="tests FAILED"
    else
        result[$preset]="passed"
    fi
    [[ ${result[$preset]} == passed ]] || failed=1
    result[$preset]+=" ($((SECONDS - start)) s)"
done

echo "=== static analysis"
start=$SECONDS
if bash scripts/static-analysis.sh; then
    result[static]="passed"
else
    result[static]="FAILED"
    failed=1
fi
result[static]+=" ($((SECONDS - start)) s)"

echo "=== summary"
for preset in "${presets[@]}" static; do
    printf '%-8s %s\n' "$preset" "${result[$preset]}"
done
exit "$failed"
