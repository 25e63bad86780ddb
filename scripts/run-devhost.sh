#!/usr/bin/env bash
# Builds what the demo needs of the Windows configuration (the plug-in, the simulated host and the
# development host, no test programs) and runs the development host under Wine with the bundled
# demo session. Extra arguments go to the development host.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
bindir=$repo/build/windows

bash scripts/install-deps.sh
cmake --preset windows
# Only the demo's programs: the test programs are scripts/test-all.sh's business and would take
# most of the time. devhost-path.txt is written when the build is generated, not by a target.
cmake --build --preset windows -j2 --target kzqvl_view hostsim devhost

devhost=""
if [[ -f $bindir/devhost-path.txt ]]; then
    devhost=$(<"$bindir/devhost-path.txt")
fi
if [[ -z $devhost || ! -f $devhost ]]; then
    echo "run-devhost: the build produced no devhost.exe (is tools/devhost/ there?)" >&2
    exit 1
fi

# A real X display of the user's is used as is; otherwise the programs get an Xvfb of their own.
# A local display (":N") counts only if its socket is there.
if [[ -n ${DISPLAY:-} ]]; then
    if [[ $DISPLAY =~ ^:([0-9]+) && ! -S /tmp/.X11-unix/X${BASH_REMATCH[1]} ]]; then
        echo "run-devhost: DISPLAY=$DISPLAY has no X server; using Xvfb" >&2
    else
        export VM_WINE_DISPLAY=$DISPLAY
    fi
fi

bash scripts/wine-env.sh start "$bindir"
trap 'bash scripts/wine-env.sh stop "$bindir"' EXIT

# Windows sees this machine's root as drive Z:.
session="Z:${repo//\//\\}\\demo\\session.json"
source "$bindir/wine-env/env.sh"
# On an Xvfb display nobody sees the windows: the development host answers the message boxes
# itself, prints the View Manager's tree and leaves a picture of it.
options=(--session "$session")
snapshot=""
if [[ -z ${VM_WINE_DISPLAY:-} ]]; then
    snapshot=$bindir/devhost-demo.png
    options+=(--auto --snapshot "Z:${snapshot//\//\\}")
fi
printf -v cmdline " %q" "$devhost" "${options[@]}" "$@"
echo "run-devhost:$cmdline"
set +e
/usr/lib/wine/wine64 "$devhost" "${options[@]}" "$@"
rc=$?
set -e
echo "run-devhost: devhost exited with code $rc"
if [[ -n $snapshot && -f $snapshot ]]; then
    echo "run-devhost: the View Manager as drawn: $snapshot"
fi
exit "$rc"
