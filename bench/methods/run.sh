#!/usr/bin/env bash
# Deflate64 and bzip2 extraction speed: zelvora-unzip against `7zz e`, in the
# same run, on one core (taskset -c 0 for both, and 7zz -mmt1), on a ~100 MB
# tree (60 MB of exam-like prose, 40 MB of this system's shared libraries)
# archived by 7zz with -mm=Deflate64 and with -mm=BZip2.
# Each cell is "CPU / wall": the best CPU time (user + system) and the best
# wall time of RUNS runs (default 5), in milliseconds, process start
# included; the ratio is 7zz's CPU time over zelvora-unzip's (above 1: faster).
#
#   bench/methods/run.sh [BUILD_DIR] [WORK_DIR]
# The tree and archives are kept in WORK_DIR (default /tmp/zelvora-methods-bench).
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD=${1:-build}
WORK=${2:-/tmp/zelvora-methods-bench}
runs=${RUNS:-5}
ZU=$(realpath "$BUILD/bin/zelvora-unzip")
best=$(realpath bench/legacy/besttime.py)
mkdir -p "$WORK"
cd "$WORK"

if [ ! -d tree ]; then
  mkdir -p tree.new
  python3 - <<'PY'
import random
random.seed(11)
words = ("questao prova concurso publico gabarito alternativa correta banca edital "
         "candidato cargo lei artigo inciso paragrafo municipio estado federal").split()
for i in range(6):
    parts, n = [], 0
    while n < 10_000_000:
        line = " ".join(random.choice(words) for _ in range(random.randint(6, 16))) + f" {random.randint(1, 99999)}.\n"
        parts.append(line)
        n += len(line)
    open(f"tree.new/texto{i}.txt", "w").write("".join(parts))
PY
  total=0
  for f in /usr/lib/x86_64-linux-gnu/*.so.*; do
    [ -f "$f" ] && [ ! -L "$f" ] || continue
    s=$(stat -c %s "$f"); [ "$s" -lt 8000000 ] || continue
    cp "$f" tree.new/; total=$((total + s))
    [ "$total" -lt 40000000 ] || break
  done
  mv tree.new tree
fi
for m in Deflate64 BZip2; do
  [ -f "$m.zip" ] || (cd tree && 7zz a -tzip -mm=$m -bd -bso0 "../$m.zip.new" . && mv "../$m.zip.new" "../$m.zip")
done
echo "tree: $(du -sb tree | cut -f1) bytes in $(find tree -type f | wc -l) files"

# Both tools must give the same files.
for m in Deflate64 BZip2; do
  rm -rf out-z out-7 && "$ZU" "$m.zip" out-z >/dev/null && 7zz e -y -bd -bso0 -oout-7 "$m.zip"
  diff -r out-z out-7 >/dev/null || { echo "$m: zelvora-unzip and 7zz extract different files" >&2; exit 1; }
done

echo
echo "Extraction on one core, best of $runs, CPU / wall ms"
echo
echo "| archive | size | zelvora-unzip | 7zz e -mmt1 | 7zz CPU / zelvora CPU |"
echo "|---|---|---|---|---|"
for m in Deflate64 BZip2; do
  rm -rf out && mkdir out
  z=$(python3 "$best" "$runs" taskset -c 0 "$ZU" "$m.zip" out)
  s=$(python3 "$best" "$runs" taskset -c 0 7zz e -mmt1 -y -bd -bso0 -oout "$m.zip")
  ratio=$(echo "$z $s" | awk '{printf "%.2f", $3 / $1}')
  echo "| $m.zip | $(($(stat -c %s "$m.zip") / 1000000)) MB | ${z% *} / ${z#* } | ${s% *} / ${s#* } | $ratio |"
done
rm -rf out out-z out-7
