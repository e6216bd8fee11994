#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz and runs each for a bounded time,
# two at a time (one per core). Any finding (crash, sanitizer report, leak, timeout, memory
# blow-up) fails the script; the input that caused it is kept in build-fuzz/artifacts.
#   VQGE_FUZZ_SECONDS  time per target (default 50)
#   VQGE_FUZZ_TARGETS  space-separated subset of the targets (default: all)
#   VQGE_FUZZ_SEED     the fuzzers' random seed (default 1, so that CI runs repeat)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/clang_tools.sh"
ensure_clang_tools

dir="$root/build-fuzz"
secs=${VQGE_FUZZ_SECONDS:-50}
targets=(${VQGE_FUZZ_TARGETS:-array knots matrix polynom funcs lines point_sets})

mkdir -p "$dir"
# shellcheck disable=SC2046
cmake -S "$root" -B "$dir" $(clang_cmake_args) -DVQGE_BUILD_FUZZ=ON -DVQGE_BUILD_TESTS=OFF \
  -DVQGE_BUILD_BENCH=OFF -DVQGE_BUILD_EXAMPLES=OFF >"$dir/configure.log" 2>&1 ||
  { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j "$(nproc)" --target vqge_fuzzers >"$dir/build.log" 2>&1 ||
  { grep -v -E '^\[ *[0-9]+%\]' "$dir/build.log" | tail -n 80; exit 1; }

rm -rf "$dir/seeds" "$dir/corpus"
bash "$root/scripts/fuzz_seeds.sh" "$dir/seeds"
mkdir -p "$dir/artifacts" "$dir/logs"

export ASAN_OPTIONS=abort_on_error=0:detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_one() {
  local t=$1
  mkdir -p "$dir/corpus/$t"
  # -timeout: no single input may take 20 s; -rss_limit_mb and -malloc_limit_mb: the
  # targets cap their own sizes, so memory beyond these is a finding.
  "$dir/tests/fuzz/fuzz_$t" "$dir/corpus/$t" "$dir/seeds/$t" \
    -max_total_time="$secs" -seed="${VQGE_FUZZ_SEED:-1}" -timeout=20 -rss_limit_mb=2048 -malloc_limit_mb=512 \
    -max_len=4096 -print_final_stats=1 -artifact_prefix="$dir/artifacts/$t-" \
    >"$dir/logs/$t.log" 2>&1
}

failed=()
ran=0
i=0
while [ $i -lt ${#targets[@]} ]; do
  pids=()
  names=()
  for _ in $(seq "$(nproc)"); do
    [ $i -lt ${#targets[@]} ] || break
    t=${targets[$i]}
    i=$((i + 1))
    run_one "$t" &
    pids+=($!)
    names+=("$t")
  done
  for k in "${!pids[@]}"; do
    t=${names[$k]}
    ran=$((ran + 1))
    if wait "${pids[$k]}"; then
      runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/logs/$t.log" | tail -n 1)
      echo "fuzz_$t: no finding in ${secs}s (${runs:-?} inputs)"
    else
      echo "fuzz_$t: FINDING"
      # The report without libFuzzer's progress lines and its own frames.
      grep -v -E '^#[0-9]+[[:space:]]|NEW_FUNC|in fuzzer::|^INFO:' \
        "$dir/logs/$t.log" | head -n 60
      ls "$dir/artifacts/$t-"* 2>/dev/null || true
      failed+=("$t")
    fi
  done
done

echo "fuzz: $((ran - ${#failed[@]})) passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
