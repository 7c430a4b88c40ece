#!/usr/bin/env bash
# Runs the randomised input test under Wine on a card folder of its own.
# Usage: run.sh MONKEY.exe PROGRAM.exe [--regression-and] FIRST_SEED COUNT ACTIONS
# With --regression-and, the seeds kept in regression_seeds.txt run first.
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
monkey=$1 program=$2
shift 2
regression=no
if [ "${1:-}" = --regression-and ]; then regression=yes; shift; fi

card=$(mktemp -d)
trap 'stop_programs; rm -rf "$card"' EXIT
mkdir -p "$card/SETTING"
folder="$(winepath -w "$card/SETTING")\\"
exe=$(winepath -w "$program")
status=0
if [ "$regression" = yes ]; then
  while read -r seed actions _; do
    [[ "$seed" =~ ^[0-9]+$ ]] || continue
    wine "$(winepath -w "$monkey")" "$exe" "$folder" "$seed" 1 "$actions" || status=1
  done <"$(dirname "$0")/regression_seeds.txt"
fi
wine "$(winepath -w "$monkey")" "$exe" "$folder" "$@" || status=1
exit $status
