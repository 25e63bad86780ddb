#!/usr/bin/env bash
# Makes the release package: build/release/dist/view-manager-<version>.zip, with the plug-in's
# symbols beside it (kzqvl_view.dll.debug).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/install-deps.sh
cmake --workflow --preset release
