#!/usr/bin/env bash
# Whole-process benchmark of the window's start: the time from launch to the first framed
# preview and the end (the --screenshot run, which holds the preview 300 ms before closing),
# the peak memory, and the resident memory when a SIGTERM closes it, each with a recent-files
# list of one line, of 200,000 lines (4 MB, not read) and of 64 KiB of one-letter lines
# (21,845 entries, the most a list that is read can hold). Fastest of RUNS (default 3).
# Target: the 200,000-line list starts as fast as the one-line list.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${LUMABORD_BUILD_DIR:-build}")
runs=${RUNS:-3}
[[ -x $build/lumabord ]] || { echo "window_start.sh: build $build/lumabord first" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
home=$work/home
mkdir "$home"
for folder in "Image Styles" "Image Textures" "Image Masks" "Shadows" "Image Edges"; do
  cp -r "$build/$folder" "$home/"
done
export LUMABORD_HOME=$home LUMABORD_REGISTRY=$work/registry.reg QT_QPA_PLATFORM=offscreen
photo="$build/Sample Photos/Mountain Lake.jpg"

list() {
  case $1 in
    one) printf '/photos/a.jpg\r\n' ;;
    200k) awk 'BEGIN { for (i = 0; i < 200000; i++) printf "/photos/%06d.jpg\r\n", i }' ;;
    64k) awk 'BEGIN { for (i = 0; i < 21845; i++) printf "a\r\n" }' ;;
  esac >"$home/mru.ini"
}

printf '%-6s %12s %12s %14s\n' list "start (s)" "peak (MB)" "at close (MB)"
for kind in one 200k 64k; do
  best=999 peak=0 atclose=0
  for ((i = 0; i < runs; i++)); do
    list "$kind"
    /usr/bin/time -f '%e %M' -o "$work/time" "$build/lumabord" --screenshot "$work/shot.png" \
      "$photo" >/dev/null 2>&1
    read -r seconds kb <"$work/time"
    best=$(echo "if ($seconds < $best) $seconds else $best" | bc)
    peak=$((kb / 1024))
    list "$kind"
    "$build/lumabord" "$photo" >/dev/null 2>&1 &
    pid=$!
    sleep 2
    atclose=$(($(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status") / 1024))
    kill -TERM "$pid"
    wait "$pid"
  done
  printf '%-6s %12s %12s %14s\n' "$kind" "$best" "$peak" "$atclose"
done
