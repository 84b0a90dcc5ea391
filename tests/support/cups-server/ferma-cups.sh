#!/usr/bin/env bash
# Stops the private CUPS server started by avvia-cups.sh (its folder stays, for the logs).
#
#   ferma-cups.sh <folder>
set -uo pipefail
dir=$1
if [ -f "${dir}/cupsd.pid" ]; then
  pid=$(cat "${dir}/cupsd.pid")
  kill "${pid}" 2>/dev/null
  for _ in $(seq 1 50); do
    kill -0 "${pid}" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "${pid}" 2>/dev/null
  rm -f "${dir}/cupsd.pid"
fi
exit 0
