#!/usr/bin/env bash
# Fails, listing the files, when a C++ source differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
diversi=()
for f in "${files[@]}"; do
  if ! clang-format --style=file "$f" | cmp -s - "$f"; then
    diversi+=("$f")
  fi
done
if ((${#diversi[@]})); then
  echo "File non formattati con clang-format:" >&2
  printf '  %s\n' "${diversi[@]}" >&2
  exit 1
fi
echo "Formato controllato: ${#files[@]} file."
