#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, then the fuzzers over
# their seed corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
bash fuzz/run_corpora.sh
