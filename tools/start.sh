#!/usr/bin/env bash
# Builds Zelvora and starts it on the sample data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY is empty): run it on a virtual one with: xvfb-run -a -s \"-screen 0 1280x1024x24\" build/bin/zelvora"
  exit 0
fi
exec build/bin/zelvora
