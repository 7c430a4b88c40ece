#!/usr/bin/env bash
# Runs a Windows program under Wine at display scale DPI, in the prefix
# kept for that scale; R470_DISPLAY_DPI tells the program which it is.
# Usage: at_display_scale.sh DPI PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
dpi=$1
shift
use_display_scale "$dpi"
R470_DISPLAY_DPI=$dpi exec wine "$@"
