#!/usr/bin/env bash
# Builds the suite and starts one program (tilvane unless another is named).
# Programs keep their files in the program folder, build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-tilvane}"
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target "$program" -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display; starting $program under Xvfb" >&2
  exec xvfb-run -a "build/bin/$program"
fi
exec "build/bin/$program"
