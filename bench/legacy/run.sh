#!/usr/bin/env bash
# Legacy-method decoding speed: this project against Debian's unzip and 7zz,
# in the same run, on the real PKZIP archives of the shared test data.
#
#   test mode   every archive tested without writing files:
#               bench_legacy ARCHIVE  vs  unzip -tqq ARCHIVE  vs  7zz t ARCHIVE
#   extraction  (once build/bin/zelvora-unzip exists) every file written:
#               zelvora-unzip ARCHIVE OUT  vs  unzip -q -o -j ARCHIVE -d OUT  vs  7zz e -y ARCHIVE -oOUT
# Both also on a 5 MB text file zipped with Shrink and Implode by
# make-legacy-text.py (no tool here writes those methods) and, for the
# extraction, with Deflate by zip(1).
# Each cell is "CPU / wall": the best CPU time (user + system) and the best
# wall time of RUNS runs (default 5), in milliseconds, process start included
# for every tool. CPU time is the steadier figure on a busy machine. unzip and
# 7zz do not decode Reduce; their Reduce cells show "-".
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${RUNS:-5}
data="$(pwd)/../shared/testdata/zip"
[ -d "$data" ] || { echo "no shared test data at $data" >&2; exit 1; }
cmake --build build --target bench_legacy >/dev/null
unzipper=build/bin/zelvora-unzip
[ -x "$unzipper" ] || unzipper=""
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# best CPU time (user + system) and best wall time of RUNS runs, in ms, as
# "cpu / wall"; "-" when the tool fails (unzip and 7zz on Reduce).
best() {
  rm -rf "$work/out"; mkdir -p "$work/out"
  python3 bench/legacy/besttime.py "$runs" "$@" | awk '$1 == "-" {print "-"; next} {print $1 " / " $2}'
}

archives="pkzip/PKZ110ES.ZIP pkzip/PKZ110EI.ZIP pkzip/PKZ80B1.ZIP pkzip/PKZ80B2.ZIP pkzip/PKZ80B3.ZIP
  pkzip/PKZ80B4.ZIP commons-compress/moby-imploded.zip commons-compress/lorem-ipsum-implode.zip"

# A 5 MB text, zipped with Shrink and Implode by bench/legacy/make-legacy-text.py
# and with Deflate by zip(1).
python3 - "$work/text.txt" <<'PY'
import random, sys
random.seed(7)
words = "prova concurso questao resposta gabarito banca ano orgao edital cargo nivel superior medio".split()
with open(sys.argv[1], "w") as f:
    n = 0
    while n < 5 * 1000 * 1000:
        line = " ".join(random.choice(words) for _ in range(12)) + "\n"
        f.write(line)
        n += len(line)
PY
(cd "$work" && zip -q -9 text.zip text.txt)
python3 bench/legacy/make-legacy-text.py "$work/text.txt" "$work"
texts="$work/text-shrink.zip $work/text-implode.zip"

echo "Test mode (decode + CRC, no files written), best of $runs, CPU / wall ms"
echo
echo "| archive | methods | MB out | zelvora | unzip -t | 7zz t |"
echo "|---|---|---|---|---|---|"
for a in $archives; do
  f="$data/$a"
  methods=$(build/bin/bench_legacy "$f" | awk '{print $1}' | paste -sd+ -)
  mb=$(build/bin/bench_legacy "$f" | awk '{s += $4} END {printf "%.2f", s}')
  echo "| $a | $methods | $mb | $(best build/bin/bench_legacy "$f") | $(best unzip -tqq "$f") | $(best 7zz t "$f") |"
done
for f in $texts; do
  methods=$(build/bin/bench_legacy "$f" | awk '{print $1}')
  mb=$(build/bin/bench_legacy "$f" | awk '{s += $4} END {printf "%.2f", s}')
  echo "| $(basename "$f") (5 MB text) | $methods | $mb | $(best build/bin/bench_legacy "$f") | $(best unzip -tqq "$f") | $(best 7zz t "$f") |"
done

if [ -n "$unzipper" ]; then
  echo
  echo "Extraction (every file written), best of $runs, CPU / wall ms"
  echo
  echo "| archive | zelvora-unzip | unzip -q -o -j | 7zz e -y |"
  echo "|---|---|---|---|"
  for f in $(for a in $archives; do echo "$data/$a"; done) $texts "$work/text.zip"; do
    echo "| $(basename "$f") | $(best "$unzipper" "$f" "$work/out") | $(best unzip -q -o -j "$f" -d "$work/out") | $(best 7zz e -y "$f" -o"$work/out") |"
  done
fi
