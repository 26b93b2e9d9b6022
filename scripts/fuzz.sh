#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, AddressSanitizer + UndefinedBehaviorSanitizer)
# in build-fuzz, seeds each corpus from fuzz/seeds/<name>/ (for fuzz_<name>; links to
# the real data are followed) and runs every fuzz_* binary for the given seconds,
# printing the executions of each. Exits non-zero when a harness finds a fault or has
# no seeds.
# Usage: scripts/fuzz.sh [seconds-per-harness]   (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-30}"
BUILD_DIR="${VELMORA_FUZZ_BUILD_DIR:-build-fuzz}"

if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMORA_GUI=OFF -DVELMORA_FUZZ=ON -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined"
fi
cmake --build "$BUILD_DIR" -j"$(nproc)"

failed=0
for fuzzer in "$BUILD_DIR"/bin/fuzz_*; do
  name=$(basename "$fuzzer")
  short=${name#fuzz_}
  corpus="$BUILD_DIR/corpus/$short"
  artifacts="$BUILD_DIR/artifacts/$short"
  mkdir -p "$corpus" "$artifacts"
  seeds=0
  for seed in "fuzz/seeds/$short"/*; do
    if [ -e "$seed" ]; then
      cp -L "$seed" "$corpus/"
      seeds=$((seeds + 1))
    fi
  done
  if [ "$seeds" -eq 0 ]; then
    echo "--- $name has no seeds in fuzz/seeds/$short/"
    failed=1
    continue
  fi
  log="$BUILD_DIR/$short.log"
  if ! "$fuzzer" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
      -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1; then
    echo "--- $name FAILED; the end of its log ($log):"
    tail -40 "$log"
    failed=1
  fi
  executions=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log" | tail -1)
  echo "$name: ${executions:-?} executions in $SECONDS_EACH s ($(find "$corpus" -type f | wc -l) corpus files)"
done
exit "$failed"
