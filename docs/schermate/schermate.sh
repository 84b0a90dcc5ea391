#!/usr/bin/env bash
# Takes the screenshots of this folder again, under a private X server (xvfb, imagemagick):
#
#   bash docs/schermate/schermate.sh BUILD_DIR    (after building lumetra_schermate_demo there)
set -euo pipefail
cd "$(dirname "$0")/../.."
demo="$1/docs/schermate/lumetra_schermate_demo"
for mode in finestra anteprima; do
  case $mode in
    finestra) out=docs/finestra-principale.png ;;
    anteprima) out=docs/anteprima.png ;;
  esac
  env -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 \
    xvfb-run -a -s "-screen 0 1280x1200x24 -dpi 96" "$demo" "$mode" "$out"
  convert "$out" -strip "$out"
  identify "$out"
done
