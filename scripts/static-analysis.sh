#!/usr/bin/env bash
# clang-tidy (the checks in .clang-tidy) and cppcheck over every file the native configuration
# compiles, read from its compile database; fails on any finding. Part of the test command.
#
# cppcheck runs its warning, performance and portability checks. Its style checks are left out:
# here they ask for STL algorithms in place of plain loops, and take the members of GoogleTest's
# parameter structs, read through the framework, for unused ones.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
readonly root=$PWD
readonly build=build/native

cmake --preset native >/dev/null

failed=0
echo "static-analysis: clang-tidy"
# Only the project's files: the database also holds GoogleTest's sources.
run-clang-tidy -p "$build" -j2 -quiet "^$root/" >"$build/clang-tidy.log" 2>&1 || failed=1
grep -E '(warning|error):' "$build/clang-tidy.log" | sort -u || true

echo "static-analysis: cppcheck"
cppcheck --project="$build/compile_commands.json" -i/usr/src --library=googletest \
    --enable=warning,performance,portability --inline-suppr --error-exitcode=1 --quiet -j2 \
    || failed=1

[[ $failed -eq 0 ]] && echo "static-analysis: no finding"
exit "$failed"
