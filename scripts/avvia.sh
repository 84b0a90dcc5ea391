#!/usr/bin/env bash
# Installs what is missing, builds Lumetra (release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa-dipendenze.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMETRA_TESTS=OFF -DLUMETRA_BENCH=OFF
cmake --build build/release --target lumetra
exec build/release/src/app/lumetra "$@"
