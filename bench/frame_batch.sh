#!/usr/bin/env bash
# Whole-process benchmark of lumabord-cli frame, every ratio measured in this one run:
#   1. one 6000 x 4000 JPEG framed with the default style into an 800 x 600 JPEG, against
#      `djpeg -dct float` decoding the same file (target: at most 1.5x) and against
#      ImageMagick's border-and-resize chain (target: faster);
#   2. its peak memory against the decoded photo, 6000 x 4000 x 3 bytes (target: at most 3.5x);
#   3. 20 photos of 4000 x 3000 in one batch: wall time, CPU time and the cores kept busy;
#   4. the 6000 x 4000 JPEG framed with the stored signature on, glyphs read from a warm
#      disk cache, against the same without (target: at most 1.1x);
#   5. the same JPEG tagged as a camera tags it (an Adobe RGB profile, EXIF), converted to sRGB
#      while it is framed, against the untagged one; with BASELINE_CLI naming the lumabord-cli
#      of the code before colour management, both against it (targets: untagged at most 1.1x,
#      tagged at most 1.25x).
# The machine is shared, so every command runs RUNS times (default 5), interleaved, and the
# fastest run of each counts; on a busy machine the cores-busy figure (CPU time over wall
# time) stays low however the batch is threaded. Needs djpeg (libjpeg-turbo-progs) and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${LUMABORD_BUILD_DIR:-build}
cli=$(realpath "$build/lumabord-cli")
runs=${RUNS:-5}
magick=$(command -v convert-im6.q16 || command -v convert)
for tool in djpeg "$magick" /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "frame_batch.sh: $tool is missing" >&2; exit 2; }
done
[[ -x $cli ]] || { echo "frame_batch.sh: build $cli first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A fresh settings store: the default style, box 800 x 600, JPEG quality 80.
export LUMABORD_REGISTRY=$work/registry.reg
export XDG_CACHE_HOME=$work/cache

# Photo-like test files from the bundled sample: enlarged, with grain, so that the JPEG data
# is as dense as a camera's (about 8 MB at 24 MP) rather than a smooth enlargement.
sample="$build/Sample Photos/Evening Shore.jpg"
"$magick" "$sample" -resize '6000x4000!' -attenuate 0.6 +noise Gaussian -quality 90 "$work/big.jpg"
"$magick" "$work/big.jpg" -resize '4000x3000!' -quality 90 "$work/medium.jpg"
icc=${ADOBE_RGB_ICC:-/usr/share/color/icc/ghostscript/a98.icc}
[[ -r $icc ]] || { echo "frame_batch.sh: no Adobe RGB profile at $icc (set ADOBE_RGB_ICC)" >&2; exit 2; }
cp "$work/big.jpg" "$work/tagged.jpg"
exiftool -q -overwrite_original "-ICC_Profile<=$icc" -Artist=Bench -Model=Camera "$work/tagged.jpg"
baseline=${BASELINE_CLI:-}
mkdir "$work/twenty" "$work/out20"
for i in $(seq -w 1 20); do cp "$work/medium.jpg" "$work/twenty/photo$i.jpg"; done

# run NAME COMMAND...: one timed run; keeps the fastest wall time, its CPU time and the
# largest peak memory of NAME.
calc() { awk "BEGIN { print $1 }"; }
holds() { awk "BEGIN { exit !($1) }"; }

declare -A best cpu peak
run() {
  local name=$1
  shift
  local start end wall stats
  start=$EPOCHREALTIME
  /usr/bin/time -f '%U %S %M' -o "$work/stats" "$@" >/dev/null 2>"$work/stderr" ||
    { cat "$work/stderr" >&2; exit 1; }
  end=$EPOCHREALTIME
  wall=$(calc "$end - $start")
  read -r user sys kb <"$work/stats"
  if [[ -z ${best[$name]:-} ]] || holds "$wall < ${best[$name]}"; then
    best[$name]=$wall
    cpu[$name]=$(calc "$user + $sys")
  fi
  if [[ -z ${peak[$name]:-} ]] || ((kb > ${peak[$name]})); then peak[$name]=$kb; fi
}

colour='#6F4F2F'
# The first signed run renders the glyphs and leaves them in the disk cache.
"$cli" frame --signature on --overwrite --format jpg --out "$work/signed.jpg" "$work/big.jpg" >/dev/null 2>&1
for ((i = 0; i < runs; i++)); do
  run djpeg djpeg -dct float -outfile /dev/null "$work/big.jpg"
  run frame "$cli" frame --overwrite --format jpg --out "$work/framed.jpg" "$work/big.jpg"
  run signed "$cli" frame --signature on --overwrite --format jpg --out "$work/signed.jpg" "$work/big.jpg"
  run tagged "$cli" frame --overwrite --format jpg --out "$work/tagged-out.jpg" "$work/tagged.jpg"
  if [[ -n $baseline ]]; then
    run today "$baseline" frame --overwrite --format jpg --out "$work/today.jpg" "$work/big.jpg"
  fi
  run magick "$magick" "$work/big.jpg" -bordercolor "$colour" -border 120 -bordercolor "$colour" \
    -border 60 -filter Lanczos -resize 800x600 -quality 80 "$work/magick.jpg"
done
for ((i = 0; i < (runs + 1) / 2; i++)); do
  run batch20 "$cli" frame --overwrite --format jpg --out "$work/out20" "$work"/twenty/*.jpg
  run djpeg20 djpeg -dct float -outfile /dev/null "$work/medium.jpg"
done

verdict() { if holds "$1"; then echo "met"; else echo "MISSED"; fi; }
decoded_kb=$((6000 * 4000 * 3 / 1024))
ratio_djpeg=$(calc "${best[frame]} / ${best[djpeg]}")
ratio_magick=$(calc "${best[frame]} / ${best[magick]}")
ratio_memory=$(calc "${peak[frame]} / $decoded_kb")
ratio_signed=$(calc "${best[signed]} / ${best[frame]}")
cores=$(calc "${cpu[batch20]} / ${best[batch20]}")
per_photo=$(calc "${best[batch20]} / 20")

printf 'lumabord-cli frame, 6000 x 4000 JPEG -> 800 x 600 JPEG, default style (fastest of %d runs)\n' "$runs"
printf '  frame            %6.3f s wall  %6.3f s CPU  %7.1f MB peak\n' "${best[frame]}" "${cpu[frame]}" "$(calc "${peak[frame]} / 1024")"
printf '  djpeg -dct float %6.3f s wall  %6.3f s CPU\n' "${best[djpeg]}" "${cpu[djpeg]}"
printf '  ImageMagick      %6.3f s wall  %6.3f s CPU  %7.1f MB peak\n' "${best[magick]}" "${cpu[magick]}" "$(calc "${peak[magick]} / 1024")"
printf '  frame / djpeg        %5.2fx (target <= 1.5x: %s); in CPU time %5.2fx\n' "$ratio_djpeg" \
  "$(verdict "$ratio_djpeg <= 1.5")" "$(calc "${cpu[frame]} / ${cpu[djpeg]}")"
printf '  frame / ImageMagick  %5.2fx (target < 1x: %s)\n' "$ratio_magick" "$(verdict "$ratio_magick < 1")"
printf '  peak / decoded photo %5.2fx (target <= 3.5x: %s)\n' "$ratio_memory" "$(verdict "$ratio_memory <= 3.5")"
printf '  with the signature   %5.2fx (%6.3f s; target <= 1.1x: %s); in CPU time %5.2fx\n' \
  "$ratio_signed" "${best[signed]}" "$(verdict "$ratio_signed <= 1.1")" \
  "$(calc "${cpu[signed]} / ${cpu[frame]}")"
ratio_tagged=$(calc "${best[tagged]} / ${best[frame]}")
printf '  tagged (Adobe RGB)   %5.2fx the untagged photo (%6.3f s)\n' "$ratio_tagged" "${best[tagged]}"
if [[ -n $baseline ]]; then
  ratio_today=$(calc "${best[frame]} / ${best[today]}")
  ratio_tagged_today=$(calc "${best[tagged]} / ${best[today]}")
  printf '  before colour management %6.3f s: untagged %5.2fx (target <= 1.1x: %s), tagged %5.2fx (target <= 1.25x: %s)\n' \
    "${best[today]}" "$ratio_today" "$(verdict "$ratio_today <= 1.1")" "$ratio_tagged_today" \
    "$(verdict "$ratio_tagged_today <= 1.25")"
fi
printf '20 photos of 4000 x 3000 in one batch\n'
printf '  %6.3f s wall, %6.3f s CPU: %4.2f cores busy (target: both, %s); %5.3f s a photo = %4.2fx djpeg of one\n' \
  "${best[batch20]}" "${cpu[batch20]}" "$cores" "$(verdict "$cores >= 1.5")" "$per_photo" \
  "$(calc "$per_photo / ${best[djpeg20]}")"
