#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j2
bash fuzz/run.sh
