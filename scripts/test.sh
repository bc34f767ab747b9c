#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (GUI tests offscreen, benchmarks in short mode).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cd build
ctest --output-on-failure -j 2 --timeout 600
