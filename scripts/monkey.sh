#!/usr/bin/env bash
# The randomised input test, as long as you like:
#   scripts/monkey.sh [first-seed] [count] [actions]   (defaults: 1 20 40)
# Replays a failed seed exactly when given that seed, a count of 1 and the
# same number of actions.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$ROOT"
ensure_packages
build_tree windows $(ci_flags) >/dev/null
start_wine
trap stop_wine EXIT
bash tests/monkey/run.sh build/windows/monkey.exe build/windows/R470_Setting.exe \
  "${1:-1}" "${2:-20}" "${3:-40}"
