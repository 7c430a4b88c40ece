#!/usr/bin/env bash
# Builds the fuzz targets (clang's libFuzzer with the address and
# undefined-behaviour sanitizers) in build/fuzz and runs each one for the
# given number of seconds (default 60), starting from its seed corpus and the
# crash inputs kept as regressions. Exits non-zero when any target crashes;
# the crashing input is left in build/fuzz/artifacts/<target>/.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ROOT"

seconds=${1:-60}
targets=(settings_load_fuzzer lang_table_fuzzer clock_file_fuzzer fat32_fuzzer)

ensure_packages
cmake -S . -B build/fuzz -Wno-dev -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DBUILD_FUZZERS=ON $(ci_flags) >/dev/null
cmake --build build/fuzz -j"$(nproc)"

failed=()
for target in "${targets[@]}"; do
  # The working corpus grows from run to run; the seeds in the repository
  # stay as they are.
  corpus=build/fuzz/corpus/$target
  artifacts=build/fuzz/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  cp fuzz/corpus/"$target"/* "$corpus"/
  inputs=("$corpus")
  [ -d fuzz/regressions/"$target" ] && inputs+=(fuzz/regressions/"$target")
  echo "=== $target: ${seconds} s"
  if ! build/fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$artifacts"/ "${inputs[@]}"; then
    failed+=("$target")
  fi
done

if ((${#failed[@]})); then
  echo "Crashes in: ${failed[*]} (inputs in build/fuzz/artifacts/)"
  exit 1
fi
echo "No crashes in ${#targets[@]} targets."
