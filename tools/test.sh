#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the zip
# reader's tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# a short bounded run of each fuzz target, then the whole CTest suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup-debian.sh

# Sanitizer build: only the executables of the tests labelled "zip" (the zip
# reader), "store" (the attempt store, Qt Core and Qt SQL) and "info" (the
# paper info file's reader and the board's score) and "checklog" (the data
# folder checker's problem log and folder listing).
# The tests over the shared test data fail, rather than skip, when the data
# are missing.
cmake --preset asan -DZELVORA_REQUIRE_TESTDATA=ON >/dev/null
zip_tests=$(ctest --preset asan -L '^(zip|store|info|checklog)$' -N | sed -n 's/^ *Test *#[0-9]*: *//p')
cmake --build --preset asan --target zelvora-unzip $zip_tests
ctest --preset asan -L '^(zip|store|info|checklog)$'

bash fuzz/run.sh

cmake --preset default -DZELVORA_REQUIRE_TESTDATA=ON >/dev/null
cmake --build --preset default
ctest --preset default -j2
