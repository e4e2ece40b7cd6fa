#!/usr/bin/env bash
# The program on a Wayland desktop: weston without a screen, started here.
#   wayland_test.sh BUILD_DIR xwayland   an X server through XWayland is there: the program takes it
#   wayland_test.sh BUILD_DIR native     Wayland only: the windows come up natively, work and end cleanly
# Screenshots and the program's output are kept under BUILD_DIR/e2e-artifacts/wayland-MODE/.
set -euo pipefail

build=$(cd "$1" && pwd)
mode=$2
program=$build/ZorvelFreeTintwise
caption="Zorvel Tintwise v1.25"

tools=(weston weston-screenshooter convert)
[ "$mode" = xwayland ] && tools+=(Xwayland xdotool xwininfo xprop)
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
requires "${tools[@]}"
plugins=$(qtpaths6 --plugin-dir 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
[ -e "$plugins/platforms/libqwayland-generic.so" ] || { echo "SKIP: qt6-wayland is not installed"; exit 77; }

scratch "$build/e2e-artifacts/wayland-$mode"
chmod 700 "$work" # weston's runtime folder
silent_browser

export XDG_RUNTIME_DIR=$work
socket=tintwise-$$
# --debug lets weston-screenshooter take pictures of the output.
weston --backend=headless-backend.so --use-pixman --socket="$socket" --width=1280 --height=1024 --idle-time=0 \
  --debug $([ "$mode" = xwayland ] && echo --xwayland) >"$art/weston.log" 2>&1 &
pids+=($!)
retry 15 test -S "$work/$socket" || { echo "weston did not start" && exit 1; }

# A user's Wayland session: no platform chosen.
launch() {
  env -u QT_QPA_PLATFORM HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" PATH="$work/bin:$PATH" \
    WAYLAND_DISPLAY="$socket" XDG_SESSION_TYPE=wayland "$@" "$program" >>"$art/app.log" 2>&1 &
  app=$!
  pids+=("$app")
}
ended() { ! kill -0 "$app" 2>/dev/null; }
expect_exit_code() {
  local code=0
  retry 10 ended || { fail "program still running" && return; }
  wait "$app" || code=$?
  [ "$code" = "$1" ] || fail "program ended with code $code, expected $1"
}
screenshot() { # name: what a Wayland user sees
  (cd "$work" && rm -f wayland-screenshot*.png && WAYLAND_DISPLAY="$socket" weston-screenshooter >/dev/null 2>&1)
  mv "$work"/wayland-screenshot*.png "$art/$1.png" 2>/dev/null || fail "no screenshot $1"
}
# Pixels of the colour #RRGGBB in a screenshot.
count() { convert "$art/$1.png" -fill black +opaque "#$2" -fill white -opaque "#$2" -format "%[fx:int(mean*w*h+0.5)]" info:; }

case "$mode" in
  xwayland)
    retry 15 grep -q "xserver listening on display" "$art/weston.log" || { echo "no XWayland" && exit 1; }
    export DISPLAY=$(grep -o "listening on display :[0-9]*" "$art/weston.log" | grep -o ":[0-9]*$")
    launch env DISPLAY="$DISPLAY"
    visible() { WIN=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1) && [ -n "$WIN" ]; }
    retry 20 visible || fail "no window came up on the X server: the program did not take XWayland"
    if [ -n "${WIN:-}" ]; then
      eval "$(xwininfo -id "$WIN" | awk '/^  Width:/ {print "W=" $2} /^  Height:/ {print "H=" $2}')"
      [ "$W x $H" = "629 x 524" ] || fail "main window $W x $H"
      "$build/tests/x11close" "$WIN"
      exit_screen() { WIN=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1) && [ -n "$WIN" ] && xwininfo -id "$WIN" | grep -q "Width: 741"; }
      retry 10 exit_screen || fail "no exit screen"
      sleep 0.5 && screenshot exit-screen
      # Above the rest where the desktop's X window manager knows the state (weston's does not).
      if xprop -root _NET_SUPPORTED | grep -q _NET_WM_STATE_ABOVE; then
        [[ $(xprop -id "$WIN" _NET_WM_STATE) == *_NET_WM_STATE_ABOVE* ]] || fail "exit screen not above the rest"
      fi
      "$build/tests/x11close" "$WIN"
      expect_exit_code 0
    fi
    ;;
  native)
    # No X server: the Wayland platform plugin.
    launch env -u DISPLAY
    sleep 3 && screenshot main-window
    [ "$(count main-window 800080)" -gt 20000 ] || fail "the main window's bands are not on screen"
    ended && fail "the program ended on its own"
    # Under the leak checker: the Wayland client library and Qt's Wayland plugins keep a few hundred bytes
    # of their own to the end, which are no fault of the program.
    env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$socket" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
      "$build/tests/wayland_windows_test" \
      >"$art/windows-test.log" 2>&1 || fail "windows test: $(tail -n 5 "$art/windows-test.log")"
    kill "$app" 2>/dev/null || true
    ;;
  *)
    echo "unknown mode $mode" >&2
    exit 2
    ;;
esac

[ $failures = 0 ] || { echo "wayland $mode: $failures failure(s); see $art" && exit 1; }
echo "wayland $mode: passed; see $art"
