#!/usr/bin/env bash
# Makes the seed corpus of a fuzz target in DIR (made afresh each time):
#   fuzz_pub_reader, fuzz_page_drawer: the real Publisher files of the samples folder (for the
#     reader, each behind the mode byte 0: a whole file);
#   fuzz_picture_import: one small picture of each format the engine decodes, made here by
#     ImageMagick, Ghostscript, netpbm, LibreOffice and gzip (a format whose tool is missing is
#     left out, with a note).
# The committed regression inputs of the target (fuzz/semi/<target>/) are added to every corpus.
# Usage: prepara-semi.sh TARGET DIR [SAMPLES]   (SAMPLES: ../shared/pub-samples from the root)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
target=$1
dir=$2
samples=${3:-$here/../../shared/pub-samples}

rm -rf "$dir"
mkdir -p "$dir"

layouts() {
  if [ ! -d "$samples" ]; then
    echo "nessun campione in $samples: il corpus parte dai soli input di regressione" >&2
    return
  fi
  local f
  for f in "$samples"/*.pub; do
    if [ "$1" = reader ]; then
      { printf '\0'; cat "$f"; } >"$dir/$(basename "$f")"
    else
      cp "$f" "$dir/"
    fi
  done
}

# One tool's sample; a missing tool or a failure leaves the format out.
make_one() {
  local name=$1
  shift
  if ! command -v "$1" >/dev/null; then
    echo "$name: $1 non installato, formato escluso" >&2
    return 0
  fi
  "$@" >/dev/null 2>&1 || { echo "$name: $1 non riuscito, formato escluso" >&2; rm -f "$dir/$name"; }
}

pictures() {
  local work
  work=$(mktemp -d)
  trap 'rm -rf "$work"' RETURN
  local src=$work/sorgente.png
  # 24 x 16: red above, blue below; small, so that every mutation decodes quickly.
  make_one sorgente.png convert -size 24x8 xc:red -size 24x8 xc:blue -append +repage "$src" || true
  [ -f "$src" ] || return 0
  local voce name options out
  for voce in "a.jpg|-quality 80" "g.jpg|-colorspace Gray" "cmyk.jpg|-colorspace CMYK" \
    "a.png|" "t.png|-alpha set -channel A -evaluate set 50% +channel" "a16.png|-depth 16" \
    "a.bmp|" "bmp3:rle.bmp|-type palette -compress RLE" "a.gif|" \
    "a.tif|-compress None" "lzw.tif|-compress LZW" "zip.tif|-compress Zip" \
    "jpeg.tif|-compress JPEG" "cmyk.tif|-colorspace CMYK" "a16.tif|-depth 16" \
    "a.pcx|" "PICT:a.pict|"; do
    name=${voce%%|*}
    options=${voce#*|}
    if [[ $name == *:* ]]; then
      out="${name%%:*}:$dir/${name#*:}"
    else
      out=$dir/$name
    fi
    # shellcheck disable=SC2086
    make_one "${name#*:}" convert "$src" $options "$out"
  done
  if command -v pnmtorle >/dev/null && convert "$src" "$work/a.ppm" 2>/dev/null; then
    pnmtorle -o "$dir/utah.rle" "$work/a.ppm" 2>/dev/null || rm -f "$dir/utah.rle"
  fi
  # EPS: written by hand, and by Ghostscript's eps2write.
  printf '%s\n' '%!PS-Adobe-3.0 EPSF-3.0' '%%BoundingBox: 0 0 40 20' '%%EndComments' \
    '1 0 0 setrgbcolor 0 0 20 20 rectfill 0 0 1 setrgbcolor 20 0 20 20 rectfill' \
    '0 setgray /Helvetica findfont 8 scalefont setfont 2 6 moveto (Ab) show' '%%EOF' \
    >"$dir/a-mano.eps"
  printf '%s\n' '%!PS' '<< /PageSize [40 20] >> setpagedevice' \
    '0 1 0 setrgbcolor 0 0 40 20 rectfill showpage' >"$work/p.ps"
  make_one gs.eps gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=eps2write -sOutputFile="$dir/gs.eps" \
    "$work/p.ps"
  # WMF and EMF: LibreOffice Draw from SVG.
  printf '%s\n' "<svg xmlns='http://www.w3.org/2000/svg' width='40pt' height='20pt'" \
    "viewBox='0 0 40 20'><rect width='20' height='20' fill='red'/>" \
    "<circle cx='30' cy='10' r='8' fill='blue'/></svg>" >"$work/disegno.svg"
  local f
  for f in wmf emf; do
    make_one "disegno.$f" soffice --headless --convert-to "$f" --outdir "$work" "$work/disegno.svg"
    [ -f "$work/disegno.$f" ] && cp "$work/disegno.$f" "$dir/"
  done
  # WPG 1: header, Start WPG (1 x 0.5 inch), colour map, one filled rectangle, End WPG.
  printf '\377WPC\020\000\000\000\001\026\001\000\000\000\000\000\017\006\001\000\260\004\130\002\016\012\001\000\002\000\377\000\000\000\000\377\001\002\001\001\007\010\000\000\000\000\130\002\130\002\020\000' \
    >"$dir/disegno.wpg"
  # gzip'd variants, as the engine meets them (.wmz, .emz, .bmz, .pcz, .eps.gz).
  for f in disegno.wmf:disegno.wmz disegno.emf:disegno.emz a.bmp:a.bmz a.pcx:a.pcz \
    a-mano.eps:a-mano.eps.gz; do
    [ -f "$dir/${f%%:*}" ] && gzip -9 -n -c "$dir/${f%%:*}" >"$dir/${f#*:}"
  done
  return 0
}

case $target in
fuzz_pub_reader) layouts reader ;;
fuzz_page_drawer) layouts drawer ;;
fuzz_picture_import) pictures ;;
*)
  echo "bersaglio sconosciuto: $target" >&2
  exit 2
  ;;
esac
if [ -d "$here/semi/$target" ]; then
  cp "$here/semi/$target"/* "$dir/" 2>/dev/null || true
fi
echo "$target: $(find "$dir" -type f | wc -l) semi in $dir"
