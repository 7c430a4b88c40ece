#!/usr/bin/env bash
# Builds both trees and runs every test: native core tests, Windows tests and
# end-to-end tests under Wine. Ends with ctest's summary; non-zero on failure.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ROOT"

ensure_packages
build_tree native $(ci_flags)
build_tree windows $(ci_flags)

start_wine
trap stop_wine EXIT

# One ctest run over both trees, so the last lines are one summary.
cat > build/CTestTestfile.cmake <<'CTEST'
subdirs("native" "windows")
CTEST
ctest --test-dir build --output-on-failure -j2
