#!/usr/bin/env bash
# Runs a Windows program under Wine in the environment of a build tree, and exits with its code.
# CTest's cross-compiling emulator for the Windows build:
#
#   wine-run.sh <binary dir> <program.exe> [args...]
#
# Uses the display and prefix that `wine-env.sh start <binary dir>` set up (the "wine" test
# fixture); without them Wine starts its own server on first use.
#
# Wine writes into a file that is copied to our output as it grows: Wine processes that outlive
# the program (services, the desktop) never hold the caller's pipes, which would make CTest wait.
set -uo pipefail

if [[ $# -lt 2 ]]; then
    echo "usage: $0 <binary dir> <program.exe> [args...]" >&2
    exit 2
fi
bindir=$(realpath -m -- "$1")
shift

export WINEPREFIX=$bindir/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
if [[ -f $bindir/wine-env/env.sh ]]; then
    # shellcheck source=/dev/null
    source "$bindir/wine-env/env.sh"
fi

out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$out"' EXIT

"${VM_WINE_DIR:-/usr/lib/wine}/wine64" "$@" </dev/null >"$out" 2>&1 &
child=$!
tail -n +1 -s 0.2 -f --pid="$child" "$out" &
tailer=$!
# If we are told to stop (a CTest timeout), take the program down with us.
trap 'kill -TERM "$child" 2>/dev/null; wait "$tailer"; exit 124' TERM INT HUP
wait "$child"
rc=$?
wait "$tailer"
exit "$rc"
