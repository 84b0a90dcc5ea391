#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: an optimised build, and a
# build under AddressSanitizer and UndefinedBehaviorSanitizer. Between the two, clang-tidy goes
# over the sources with the optimised build's compile database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa-dipendenze.sh
bash scripts/controlla-formato.sh

jobs=$(nproc)
run_suite() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

# Warnings are errors here, where the compiler is the one the code is checked with.
run_suite build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMETRA_WERROR=ON
bash scripts/controlla-tidy.sh
run_suite build/asan -DCMAKE_BUILD_TYPE=Debug -DLUMETRA_SANITIZE=ON -DLUMETRA_WERROR=ON
echo "Tutti i test superati."
