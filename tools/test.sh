#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j2

# The zip reader's tests again under AddressSanitizer and UndefinedBehaviorSanitizer
# (only the zip targets are built there).
cmake --preset asan >/dev/null
cmake --build --preset asan --target tst_ZipDirectory tst_ZipExtract tst_ZipPeers zelvora-unzip
ctest --preset asan -L zip
