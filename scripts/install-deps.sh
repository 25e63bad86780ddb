#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need; does nothing when all are there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config git
    mingw-w64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine64 xvfb xauth
    googletest libbenchmark-dev libxml2-dev nlohmann-json3-dev
    clang-format clang-tidy cppcheck valgrind
    clang libclang-rt-14-dev
)

missing=()
for pkg in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [[ $status == installed ]] || missing+=("$pkg")
done

if [[ ${#missing[@]} -eq 0 ]]; then
    echo "install-deps: all ${#packages[@]} packages present"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
    echo "install-deps: must run as root to install packages" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# Wait for another apt/dpkg run to finish rather than failing on its lock.
apt_opts=(-o DPkg::Lock::Timeout=900 -o Acquire::Retries=3)
apt-get "${apt_opts[@]}" update
apt-get "${apt_opts[@]}" install -y --no-install-recommends "${missing[@]}"
