#!/usr/bin/env bash
# Writes the small seed corpus of the fuzz targets into the given folder (one subfolder per
# target). The seeds are plain byte patterns; the targets decode any bytes into hostile
# numbers, so the fuzzer grows the corpus from these on its own.
set -euo pipefail
out=$1
targets=(array knots matrix polynom funcs lines point_sets)
seed() {  # seed FILE OCTAL-ESCAPED-BYTES
  printf "$2" >"$1"
}
for t in "${targets[@]}"; do
  d="$out/$t"
  mkdir -p "$d"
  # Zeros, all ones, a ramp, and selector bytes that favour special values and small counts.
  head -c 64 /dev/zero >"$d/zeros"
  head -c 64 /dev/zero | tr '\0' '\377' >"$d/ones"
  for i in $(seq 0 255); do printf "\\$(printf %03o "$i")"; done >"$d/ramp"
  seed "$d/special" '\003\001\024\022\023\021\020\017\016\015\014\013\012\011\010\007\006\005\004\003\002\001'
  seed "$d/halves" '\010\001\140\201\140\177\140\200\140\202\140\176\140\203\140\175\140\204'
done
# Target-specific starts: a square 3 x 3 matrix, a product of repeated linear factors with a
# negative tolerance, a plain line pair, clamped knots.
seed "$out/matrix/square3" '\003\001\000\002\140\202\140\204\140\206\140\210\140\212\140\214\140\216\140\220\140\222\007\000\001'
seed "$out/polynom/multiple_root" '\004\001\003\140\202\001\002\140\176\001\001\003\374\004'
seed "$out/lines/two_lines" '\000\140\200\140\200\140\200\001\140\202\140\202\140\200\000\140\202\140\200\140\200\001\140\200\140\202\140\200\007'
seed "$out/knots/clamped" '\007\000\140\200\001\001\001\140\202\001\001\000\005\002'
