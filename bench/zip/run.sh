#!/usr/bin/env bash
# Times zelvora-unzip against unzip, bsdtar and 7zz on a ~250 MB corpus
# zipped with `zip -6`, then measures the peak memory of extracting a 1 GB
# entry. Usage: bench/zip/run.sh [BUILD_DIR] [WORK_DIR]
# The corpus is kept in WORK_DIR (default /tmp/zelvora-zip-bench) and reused.
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD=${1:-build}
WORK=${2:-/tmp/zelvora-zip-bench}
ZU=$(realpath "$BUILD/bin/zelvora-unzip")
RUNS=${RUNS:-5}
mkdir -p "$WORK"
cd "$WORK"

# ---- corpus: PDF-like incompressible files, text, binaries (~250 MB) ----
if [ ! -f corpus.zip ]; then
  rm -rf corpus && mkdir -p corpus/pdf corpus/text corpus/bin
  for i in $(seq 1 30); do   # 30 x 4 MB: a PDF header, then compressed-looking streams
    { printf '%%PDF-1.4\n%%\xe2\xe3\xcf\xd3\n1 0 obj\n<< /Filter /FlateDecode >>\nstream\n'
      head -c 4000000 /dev/urandom
      printf '\nendstream\nendobj\n%%%%EOF\n'; } > corpus/pdf/prova$i.pdf
  done
  python3 - <<'PY'               # 60 text files, 1.2 MB each: exam-like prose
import random
random.seed(1)
words = ("questao prova concurso publico gabarito alternativa correta banca edital "
         "candidato cargo lei artigo inciso paragrafo municipio estado federal "
         "administracao direito constitucional portugues matematica raciocinio").split()
for i in range(60):
    lines = []
    size = 0
    while size < 1_200_000:
        line = " ".join(random.choice(words) for _ in range(random.randint(6, 16))) + f" {random.randint(1, 99999)}.\n"
        lines.append(line)
        size += len(line)
    open(f"corpus/text/texto{i:02d}.txt", "w").write("".join(lines))
PY
  # binaries: shared libraries of this system, up to ~60 MB
  total=0
  for f in /usr/lib/x86_64-linux-gnu/*.so.*; do
    [ -f "$f" ] && [ ! -L "$f" ] || continue
    s=$(stat -c %s "$f"); [ "$s" -lt 8000000 ] || continue
    cp "$f" corpus/bin/; total=$((total + s))
    [ "$total" -lt 60000000 ] || break
  done
  (cd corpus && zip -q -r -6 ../corpus.zip .)
fi
echo "corpus: $(du -sb corpus | cut -f1) bytes in $(find corpus -type f | wc -l) files; corpus.zip: $(stat -c %s corpus.zip) bytes"

# ---- extraction speed, a fresh output folder before every run ----
hyperfine --warmup 1 --runs "$RUNS" --export-markdown extract.md \
  --prepare 'rm -rf out && mkdir out' \
  -n zelvora-unzip "$ZU corpus.zip out" \
  -n 'unzip -q -o -j' 'unzip -q -o -j corpus.zip -d out' \
  -n 'bsdtar -xf' 'bsdtar -xf corpus.zip -C out' \
  -n '7zz e -y' '7zz e -y -bd -bso0 -oout corpus.zip'
rm -rf out

# ---- peak memory while extracting one 1 GB entry ----
if [ ! -f big.zip ]; then
  mkdir -p big
  python3 - <<'PY'
import random
random.seed(2)
block = bytearray()
words = [b"alpha ", b"beta ", b"gamma ", b"delta ", b"prova ", b"\n"]
while len(block) < 1 << 20:
    block += random.choice(words)
with open("big/one-gigabyte.bin", "wb") as f:
    for i in range(1024):
        f.write(bytes(block[:(1 << 20) - 64]) + random.randbytes(64))
PY
  (cd big && zip -q -6 ../big.zip one-gigabyte.bin)
fi
rm -rf bigout
/usr/bin/time -v "$ZU" big.zip bigout 2> time.txt >/dev/null
peak=$(grep 'Maximum resident' time.txt | awk '{print $NF}')
wall=$(grep 'Elapsed (wall' time.txt | awk '{print $NF}')
echo "zelvora-unzip, one 1 GiB entry: peak RSS ${peak} KB, wall ${wall}"
rm -rf bigout
/usr/bin/time -v unzip -q -o -j big.zip -d bigout 2> time-unzip.txt >/dev/null
echo "unzip, same entry: peak RSS $(grep 'Maximum resident' time-unzip.txt | awk '{print $NF}') KB"
rm -rf bigout
cat extract.md
