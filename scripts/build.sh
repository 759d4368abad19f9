#!/usr/bin/env bash
# Configures and builds into build/ (Release with debug info).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
gen=()
[ ! -f "$root/build/CMakeCache.txt" ] && command -v ninja >/dev/null && gen=(-G Ninja)
cmake -S "$root" -B "$root/build" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)"
