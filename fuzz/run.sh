#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz"), replays the seed corpora and
# runs each target for a short, bounded time. Any crash fails the script and
# leaves its input in build-fuzz/artifacts/<target>/.
#
#   FUZZ_SECONDS=20  run time per target (0: replay the seeds only)
#   FUZZ_TARGETS="fuzz_unshrink ..."  targets to run (default: all built)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
cmake --preset fuzz >/dev/null
# Every target targets.cmake defines in this tree (the whole-reader target
# only exists once the zip component is there).
defined=$(cmake --build build-fuzz --target help | sed -n 's/^\(fuzz_[a-z_]*\): .*/\1/p' | grep -v autogen)
targets=${FUZZ_TARGETS:-$defined}
cmake --build build-fuzz -j2 --target $targets

# Seeds: the hand-made ones kept in fuzz/corpus, plus (when the shared test
# data are here) the small legacy entries of the real archives, made afresh.
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds"
testdata="$(pwd)/../shared/testdata/zip"
if [ -d "$testdata" ]; then
  python3 fuzz/make-seeds.py archives "$testdata" "$seeds"
fi

for t in $targets; do
  mkdir -p "$seeds/$t" "build-fuzz/artifacts/$t" "build-fuzz/corpus/$t"
  dirs=("build-fuzz/corpus/$t" "fuzz/corpus/$t" "$seeds/$t")
  echo "== $t: replaying seeds"
  "build-fuzz/bin/$t" -runs=0 -artifact_prefix="build-fuzz/artifacts/$t/" "${dirs[@]}" 2>&1 | grep -E 'DONE|ERROR' || true
  if [ "$seconds" -gt 0 ]; then
    echo "== $t: fuzzing for $seconds s"
    "build-fuzz/bin/$t" -max_total_time="$seconds" -max_len=20000 -timeout=60 -rss_limit_mb=1024 \
      -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t/" "${dirs[@]}" 2>&1 \
      | grep -E 'DONE|ERROR|SUMMARY|stat::number_of_executed_units' || true
  fi
  # grep hides libFuzzer's exit status: a crash leaves an artifact behind.
  if compgen -G "build-fuzz/artifacts/$t/crash-*" >/dev/null || compgen -G "build-fuzz/artifacts/$t/leak-*" >/dev/null \
     || compgen -G "build-fuzz/artifacts/$t/timeout-*" >/dev/null; then
    echo "$t: crash inputs in build-fuzz/artifacts/$t/" >&2
    exit 1
  fi
done
