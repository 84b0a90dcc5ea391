#!/usr/bin/env bash
# Composition benchmark. Times lumetra-componi composing camera-size photos (4000 x 3000) and
# web-size photos (1200 x 900) into an A4 layout of 3 x 4 slots with both article codes, written
# as PDF, against two anchors measured in the same run on the same files:
#   (a) a libjpeg-turbo decode of the files at the slot's scale, on 2 threads;
#   (b) ImageMagick montage making the same labelled sheets (12 pictures per sheet).
# The check before printing (lumetra-componi --controlla: the composition and every picture read
# to its end, nothing written) is timed against anchor (a), one decoding of the same pictures at
# their output size: it must cost less.
# Also prints the peak memory of lumetra-componi at 1000 camera-size photos, and the size of
# the PDF against the pictures re-encoded at 300 ppi (JPEG quality 90, and 94). Prints figures
# only. The machine may be shared: the decoding anchor and lumetra-componi are run in turns
# (LUMETRA_BENCH_RIPETIZIONI times, 3 unless set) and the best time of each is kept. With
# LUMETRA_BENCH_SENZA_MONTAGE=1 the montage anchor, the slowest part, is left out.
#
#   bash bench/composition/bench-componi.sh [BUILD_DIR] [WORK_DIR]
set -euo pipefail

src=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$src/build/bench-composizione}
work=${2:-${TMPDIR:-/tmp}/lumetra-bench-componi}
jobs=$(nproc)
ripetizioni=${LUMETRA_BENCH_RIPETIZIONI:-3}
senza_montage=${LUMETRA_BENCH_SENZA_MONTAGE:-0}

if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j "$jobs" --target lumetra-componi lumetra-genera-esempi \
  lumetra-bench-corpus lumetra-bench-decodifica >/dev/null

componi=$build/tools/componi/lumetra-componi
genera=$build/tools/componi/lumetra-genera-esempi
corpus=$build/bench/composition/lumetra-bench-corpus
decodifica=$build/bench/composition/lumetra-bench-decodifica
export QT_QPA_PLATFORM=offscreen

# The layout of the sample job: A4, 3 x 4 slots of 160 x 150 points, that is 667 x 625 pixels at
# 300 ppi.
slot_w=667
slot_h=625
mkdir -p "$work"
"$genera" "$work/layout" 1 2>/dev/null
layout=$work/layout/catalogo-a4.pub

echo "Preparazione del corpus in $work ..."
"$corpus" "$work/grandi" G 200 4000 3000 92 2>/dev/null
"$corpus" "$work/web" W 1000 1200 900 88 2>/dev/null
mkdir -p "$work/grandi1000"
for i in $(seq 1 1000); do
  ln -sf "../grandi/G-$(printf %04d $(( (i - 1) % 200 + 1 ))).jpg" \
    "$work/grandi1000/L-$(printf %04d "$i").jpg"
done

adesso() { date +%s.%N; }
secondi() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
rapporto() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
minimo() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == "" || a + 0 < b + 0) print a; else print b }'; }
mb() { awk -v a="$1" 'BEGIN { printf "%.1f", a / 1048576 }'; }

# misura_componi DIR FILE...: sets t_componi (s), rss_componi (KB), pdf_byte.
misura_componi() {
  local dir=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/tempo.txt" \
    "$componi" --layout "$layout" --cartella "$dir" --esterno 2 --interno 1 --altezza 0,7 \
    --pdf "$work/out.pdf" "$@" 2>"$work/componi.log"
  read -r t_componi rss_componi <"$work/tempo.txt"
  pdf_byte=$(stat -c %s "$work/out.pdf")
}

# misura_controllo DIR FILE...: sets t_controllo (s). Exit 3 (findings) is a run like another.
misura_controllo() {
  local dir=$1
  shift
  /usr/bin/time -f "%e" -o "$work/tempo.txt" \
    "$componi" --layout "$layout" --cartella "$dir" --esterno 2 --interno 1 --altezza 0,7 \
    --controlla "$@" 2>"$work/controllo.log" || true
  t_controllo=$(cat "$work/tempo.txt")
}

# misura_montage DIR SUGGERIMENTO FILE...: sets t_montage (s); 12 pictures per sheet, one sheet
# at a time. SUGGERIMENTO: the JPEG decoding size hint (-define jpeg:size=...) for pictures larger
# than the sheet needs, or "" for none.
misura_montage() {
  local dir=$1 suggerimento=$2
  shift 2
  local opzioni=()
  if [[ -n "$suggerimento" ]]; then
    opzioni=(-define "jpeg:size=$suggerimento")
  fi
  rm -rf "$work/montage"
  mkdir -p "$work/montage"
  local inizio
  inizio=$(adesso)
  local foglio=0
  local gruppo=()
  for f in "$@"; do
    gruppo+=("$dir/$f")
    if (( ${#gruppo[@]} == 12 )); then
      montage "${opzioni[@]}" -label '%t' -pointsize 28 \
        -tile 3x4 -geometry "${slot_w}x${slot_h}!+40+60" "${gruppo[@]}" \
        "$work/montage/foglio-$foglio.jpg"
      foglio=$((foglio + 1))
      gruppo=()
    fi
  done
  if (( ${#gruppo[@]} > 0 )); then
    montage "${opzioni[@]}" -label '%t' -pointsize 28 \
      -tile 3x4 -geometry "${slot_w}x${slot_h}!+40+60" "${gruppo[@]}" \
      "$work/montage/foglio-$foglio.jpg"
  fi
  t_montage=$(secondi "$inizio" "$(adesso)")
}

# serie TITOLO DIR OBIETTIVO SUGGERIMENTO: one set of photos against both anchors.
serie() {
  local titolo=$1 dir=$2 obiettivo=$3 suggerimento=$4
  local file
  mapfile -t file < <(cd "$dir" && ls)
  local percorsi=("${file[@]/#/$dir/}")
  echo
  echo "$titolo: ${#file[@]} foto, $(mb "$(du -bLc "${percorsi[@]}" | tail -1 | cut -f1)") MB"
  # The decode first: it also brings the files into the page cache for everyone.
  "$decodifica" "$slot_w" "$slot_h" 2 "${percorsi[@]}" >/dev/null
  local t_decodifica="" t_migliore="" t_controllo_migliore="" rss_massima=0 giro t
  for ((giro = 0; giro < ripetizioni; giro++)); do
    t=$("$decodifica" "$slot_w" "$slot_h" 2 "${percorsi[@]}" | awk '/secondi/ {print $2}')
    t_decodifica=$(minimo "$t" "$t_decodifica")
    misura_componi "$dir" "${file[@]}"
    t_migliore=$(minimo "$t_componi" "$t_migliore")
    rss_massima=$((rss_componi > rss_massima ? rss_componi : rss_massima))
    misura_controllo "$dir" "${file[@]}"
    t_controllo_migliore=$(minimo "$t_controllo" "$t_controllo_migliore")
  done
  t_componi=$t_migliore
  rss_componi=$rss_massima
  local q90 q94
  q90=$("$decodifica" "$slot_w" "$slot_h" "$jobs" --ricodifica 90 "${percorsi[@]}" |
    awk '/byte/ {print $2}')
  q94=$("$decodifica" "$slot_w" "$slot_h" "$jobs" --ricodifica 94 "${percorsi[@]}" |
    awk '/byte/ {print $2}')
  if [[ "$senza_montage" != 1 ]]; then
    misura_montage "$dir" "$suggerimento" "${file[@]}"
  fi
  printf '  lumetra-componi          %8.2f s   memoria massima %s MB   PDF %s MB\n' \
    "$t_componi" "$(mb $((rss_componi * 1024)))" "$(mb "$pdf_byte")"
  printf '  decodifica turbo 2 core  %8.2f s   rapporto %s (obiettivo <= %s)\n' \
    "$t_decodifica" "$(rapporto "$t_componi" "$t_decodifica")" "$obiettivo"
  printf '  controllo prima stampa   %8.2f s   rapporto con la decodifica %s (obiettivo < 1)\n' \
    "$t_controllo_migliore" "$(rapporto "$t_controllo_migliore" "$t_decodifica")"
  if [[ "$senza_montage" != 1 ]]; then
    printf '  montage ImageMagick      %8.2f s   rapporto %s\n' \
      "$t_montage" "$(rapporto "$t_componi" "$t_montage")"
  fi
  printf '  immagini a 300 ppi, q90 %8s MB   PDF / immagini %s (obiettivo <= 1.2)\n' \
    "$(mb "$q90")" "$(rapporto "$pdf_byte" "$q90")"
  printf '  immagini a 300 ppi, q94 %8s MB   PDF / immagini %s\n' \
    "$(mb "$q94")" "$(rapporto "$pdf_byte" "$q94")"
}

serie "Foto grandi 4000 x 3000" "$work/grandi" 1.3 "$((slot_w * 2))x$((slot_h * 2))"
serie "Foto web 1200 x 900" "$work/web" 3 ""

mapfile -t mille < <(cd "$work/grandi1000" && ls)
echo
echo "Memoria: 1000 foto grandi 4000 x 3000"
misura_componi "$work/grandi1000" "${mille[@]}"
printf '  lumetra-componi          %8.2f s   memoria massima %s MB (obiettivo <= 250)   PDF %s MB\n' \
  "$t_componi" "$(mb $((rss_componi * 1024)))" "$(mb "$pdf_byte")"
