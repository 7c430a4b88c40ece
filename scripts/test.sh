#!/usr/bin/env bash
# Builds the trees and runs every test: native core tests, Windows tests and
# end-to-end tests under Wine, the core tests again under the address and
# undefined-behaviour sanitizers, a short smoke run of each fuzz target, and
# the web page in headless Chromium.
# Ends with ctest's summary; non-zero on failure.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ROOT"

ensure_packages
build_tree native $(ci_flags)
# The program carries the web page, so the web tree comes first.
build_tree web
build_tree windows $(ci_flags)
build_tree sanitize $(ci_flags)
ensure_node_packages
cmake -S . -B build/fuzz -Wno-dev -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DBUILD_FUZZERS=ON $(ci_flags) >/dev/null
cmake --build build/fuzz -j"$(nproc)"

start_wine
trap stop_wine EXIT

# One ctest run over all trees, so the last lines are one summary. Undefined
# behaviour in the sanitized tests fails them instead of only printing.
cat > build/CTestTestfile.cmake <<'CTEST'
subdirs("native" "windows" "sanitize" "fuzz" "web")
CTEST
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir build --output-on-failure -j2
