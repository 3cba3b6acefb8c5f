#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time,
# starting from the test fixtures: scripts/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
dir=$root/build-fuzz

"$root/scripts/setup.sh"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMOLVANE_FUZZ=ON -DMOLVANE_BENCHMARKS=OFF >/dev/null

# target name -> folder of seed files
declare -A seeds=(
  [molvane_profile_fuzz]=$root/tests/data/store
)
cmake --build "$dir" --target "${!seeds[@]}" -j "$(nproc)"
for target in "${!seeds[@]}"; do
  echo "== $target: ${seconds}s =="
  corpus=$dir/corpus/$target
  mkdir -p "$corpus"
  # The first folder collects new inputs; the seeds are only read.
  "$dir/fuzz/$target" -max_total_time="$seconds" -timeout=10 -max_len=65536 -artifact_prefix="$dir/" \
    -print_final_stats=1 "$corpus" "${seeds[$target]}"
done
