#!/usr/bin/env bash
# Builds everything and runs every test. Set SANITIZE=1 for a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, WERROR=1 for warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${SANITIZE:-0}" = 1 ]; then
  dir=build-sanitize
  flags=(-DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=ON -DSUITE_BENCH=OFF)
fi
[ "${WERROR:-0}" = 1 ] && flags+=(-DSUITE_WERROR=ON)
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$dir"
ctest --output-on-failure -j"$(nproc)" --timeout 300
