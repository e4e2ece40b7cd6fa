# Sourced by the end-to-end scripts: tools to skip without, a scratch folder that goes with the script, a private
# X server, and the counting of failures.

requires() { # tool...: skips the whole script (exit 77) when one is missing
  local tool
  for tool; do command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }; done
}

pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
scratch() { # artifacts-folder: sets art and work; work holds home/.config and bin/, and goes at the end
  art=$1
  rm -rf "$art" && mkdir -p "$art"
  work=$(mktemp -d)
  mkdir -p "$work/home/.config" "$work/bin"
  trap cleanup EXIT
}
silent_browser() { # a browser stub first on PATH that opens nothing
  local name
  for name in xdg-open x-www-browser; do printf '#!/bin/sh\n' >"$work/bin/$name" && chmod +x "$work/bin/$name"; done
}

start_xvfb() { # WIDTHxHEIGHT: a private X server; sets DISPLAY
  # -noreset: the server must not reset when the program, its last client, ends between two starts.
  exec 3< <(Xvfb -displayfd 1 -screen 0 "$1x24" -dpi 96 -nolisten tcp -noreset 2>/dev/null)
  pids+=($!)
  read -r -t 15 display <&3 || { echo "Xvfb did not start"; exit 1; }
  export DISPLAY=":$display"
}

failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }
retry() { # seconds command...: runs the command until it succeeds or the seconds are up
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do [ $SECONDS -lt $deadline ] && sleep 0.05 || return 1; done
}
