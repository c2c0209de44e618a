#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from the repository's folder,
# which holds the folders the game reads and writes (script/, media/, snapshot/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec ./build/orvane "$@"
