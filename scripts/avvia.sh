#!/usr/bin/env bash
# Installs what is missing, builds Lumetra and its tools (release, in build/release) and starts
# Lumetra. The tools are then in build/release/tools/*/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa-dipendenze.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMETRA_TESTS=OFF -DLUMETRA_BENCH=OFF
cmake --build build/release --target lumetra lumetra-componi lumetra-pubinfo lumetra-layout \
  lumetra-nuovo-layout
exec build/release/src/app/lumetra "$@"
