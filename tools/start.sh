#!/usr/bin/env bash
# Builds what the program needs (the program, its command-line tools and the
# sample data folder; no tests or benchmarks) and starts it on the sample data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh
start=$SECONDS
cmake --preset default >/dev/null
cmake --build --preset default --target zelvora zelvora-unzip zelvora-check sampledata
echo "Build finished in $((SECONDS - start)) s."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY is empty): run it on a virtual one with: xvfb-run -a -s \"-screen 0 1280x1024x24\" build/bin/zelvora"
  exit 0
fi
exec build/bin/zelvora
