#!/usr/bin/env bash
# Runs clang-tidy, with the checks of the root .clang-tidy, over every source of src/ and tools/
# (or over the files given), one file per core, and fails on any finding, showing them. It reads
# the compile database of the optimised build, build/test, so that build must be configured
# first. About five minutes on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/test
if [ ! -f "$build/compile_commands.json" ]; then
  echo "Manca $build/compile_commands.json: configurare prima la build in $build." >&2
  exit 2
fi

if (($#)); then
  files=("$@")
else
  mapfile -t files < <(git ls-files 'src/*.cpp' 'tools/*.cpp')
fi
risultati=$(mktemp -d)
trap 'rm -rf "$risultati"' EXIT

# Each file's output goes to its own log, so parallel runs do not mix their lines; a file with
# findings leaves a .rilievi log (the configuration turns every finding into an error).
printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P "$(nproc)" bash -c '
  log="$2/${3//\//_}"
  clang-tidy -p "$1" --quiet "$3" >"$log.txt" 2>&1 || mv "$log.txt" "$log.rilievi"
' tidy "$build" "$risultati"

shopt -s nullglob
rilievi=("$risultati"/*.rilievi)
if ((${#rilievi[@]})); then
  grep -hv ' generated\.$' "${rilievi[@]}" >&2
  echo "clang-tidy: rilievi in ${#rilievi[@]} file su ${#files[@]}." >&2
  exit 1
fi
echo "clang-tidy: nessun rilievo in ${#files[@]} file."
