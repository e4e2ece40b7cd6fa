#!/usr/bin/env bash
# Compares the program with a bare Qt window under Xvfb, interleaved A B A B, each run with a fresh HOME:
# time from process start to the window mapped, peak resident memory after 1 s on screen, CPU while idle 3 s.
#   bench/desktop_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-9}
program=$build/ZorvelFreeTintwise
floor=$build/bench/floor_window
title="Zorvel Tintwise v1.25"
for tool in Xvfb xdotool; do command -v $tool >/dev/null || { echo "needs $tool" >&2; exit 2; }; done

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset 2>/dev/null)
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
read -r -t 10 num <&3
export DISPLAY=":$num" QT_QPA_PLATFORM=xcb

# CPU time of all the process's threads in ms, from the scheduler's nanosecond counters.
cpu_ms() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%.2f", ns / 1e6}'; }

# One run: prints "startup_ms peak_kib idle_cpu_ms".
measure() {
  local home; home=$(mktemp -d)
  local start; start=$(date +%s%N)
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home "$1" &
  local pid=$!
  local tries=0
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 5000 ] && kill -0 $pid 2>/dev/null || { echo "window never came up: $1" >&2; exit 1; }
    sleep 0.002
  done
  local mapped; mapped=$(date +%s%N)
  sleep 1
  local peak; peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  local before; before=$(cpu_ms $pid)
  sleep 3
  local after; after=$(cpu_ms $pid)
  kill $pid; wait $pid 2>/dev/null || true
  rm -rf "$home"
  echo "$(( (mapped - start) / 1000000 )) $peak $(awk -v a="$after" -v b="$before" 'BEGIN {print a - b}')"
}

results=$(mktemp)
for i in $(seq 1 "$runs"); do
  echo "A $(measure "$program")" >>"$results"
  echo "B $(measure "$floor")" >>"$results"
done

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
report() {
  local col=$1 name=$2 unit=$3
  local a b
  a=$(awk -v c="$col" '$1 == "A" {print $c}' "$results" | median)
  b=$(awk -v c="$col" '$1 == "B" {print $c}' "$results" | median)
  # Per-pair ratios, then their median.
  local ratio
  ratio=$(paste <(awk -v c="$col" '$1 == "A" {print $c}' "$results") <(awk -v c="$col" '$1 == "B" {print $c}' "$results") |
          awk '{ if ($2 > 0) print $1 / $2 }' | median)
  printf '%-22s program %8s %s   floor %8s %s   median pair ratio %s\n' "$name" "$a" "$unit" "$b" "$unit" "$ratio"
}
echo "runs: $runs each, interleaved; $(nproc) cores; $(date -u +%Y-%m-%d)"
report 2 "start-up to mapped" ms
report 3 "peak resident memory" KiB
report 4 "idle CPU over 3 s" ms
rm -f "$results"
