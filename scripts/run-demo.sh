#!/usr/bin/env bash
# Starts the program on the bundled demo data.
set -euo pipefail
build=${1:-build}
kvf="$build/src/cli/kvf"
echo "Demo position: a 1000 x 1400 mm tilt-and-turn sash"
"$kvf" shape --shape 0 --width 1000 --height 1400
