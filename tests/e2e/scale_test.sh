#!/usr/bin/env bash
# The real program on a scaled screen, in a private X server.
#   scale_test.sh BUILD_DIR FACTOR [screen]   FACTOR through QT_SCALE_FACTOR, or with "screen" through
#                                             QT_SCREEN_SCALE_FACTORS
# Checks the four windows' sizes in device pixels and the wheel's patches (whole rectangles, borders equally
# thick, no colour between them that is neither patch nor border). Screenshots go to
# BUILD_DIR/e2e-artifacts/scale-FACTOR[-screen]/.
set -euo pipefail

build=$(cd "$1" && pwd)
factor=$2
how=${3:-}
program=$build/ZorvelFreeTintwise
caption="Zorvel Tintwise v1.25"

source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
requires Xvfb xdotool import convert xwininfo
scratch "$build/e2e-artifacts/scale-$factor${how:+-$how}"
silent_browser
start_xvfb 2560x2048
scaled() { awk -v v="$1" -v f="$factor" 'BEGIN { printf "%d", v * f + 0.5 }'; } # logical to device pixels

if [ "$how" = screen ]; then scaling=(QT_SCREEN_SCALE_FACTORS="$factor"); else scaling=(QT_SCALE_FACTOR="$factor"); fi
env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work" PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb \
  "${scaling[@]}" "$program" >"$art/app.log" 2>&1 &
app=$!
pids+=("$app")

geometry() {
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print "X=" $4} /Absolute upper-left Y/ {print "Y=" $4}
    /^  Width:/ {print "W=" $2} /^  Height:/ {print "H=" $2}')"
}
sizes() { for id in $(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null); do geometry "$id" && echo -n "$W x $H "; done; }
found() { # logical width: the window of that width, at this factor
  local id
  for id in $(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null); do
    geometry "$id"
    [ "$W" = "$(scaled "$1")" ] && WIN=$id && return 0
  done
  return 1
}
window() { # name logical-width logical-height: waits for it and checks its client size
  retry 20 found "$2" || { fail "no $1 $(scaled "$2") wide among: $(sizes)" && return 1; }
  [ "$H" = "$(scaled "$3")" ] || fail "$1 is $W x $H, not $(scaled "$2") x $(scaled "$3")"
  echo "$1: $W x $H device pixels"
  xdotool windowfocus --sync "$WIN"
}
shot() { sleep 0.5 && import -window root "$art/$1.png"; }
click() { xdotool mousemove $((X + $(scaled "$1"))) $((Y + $(scaled "$2"))) click 1; } # logical client point

# The colours along a line of the last screenshot, as runs "count colour".
runs() { # x y width height
  convert "$art/$shot.png" -crop "$3x$4+$1+$2" +repage txt:- | awk 'NR > 1 {print $3}' | uniq -c
}
# Whole patches with equal borders: along the line every run is a patch colour or the border (black), the
# inner borders are all equally thick and no patch colour shows as a sliver between them.
wheel_line() { # what x y width height
  local r
  r=$(runs "$2" "$3" "$4" "$5")
  echo "$r" | awk -v what="$1" -v edge="$(scaled 4)" '
    { n[NR] = $1; c[NR] = $2 }
    END {
      for (i = 2; i < NR; i++) {
        inner = c[i - 1] != "#404040" && c[i + 1] != "#404040"
        if (c[i] != "#000000") { if (n[i] < edge) { print what ": a sliver of " n[i] " px in " c[i]; bad = 1 } }
        else if (inner && !t) t = n[i]
        else if (inner && n[i] != t) { print what ": borders " t " and " n[i] " thick"; bad = 1 }
      }
      exit bad
    }' || fail "$(echo "$r" | tr '\n' ' ')"
}

window "main window" 629 524
shot main-window
shot=main-window
# The wheel's top row and left column (client points of the design, menu bar included).
wheel_line "top row" $((X + $(scaled 290))) $((Y + $(scaled 152))) "$(scaled 350)" 1
wheel_line "left column" $((X + $(scaled 313))) $((Y + $(scaled 135))) 1 "$(scaled 320)"
main_x=$X main_y=$Y

xdotool key alt+h a
window "About box" 423 264
shot about
xdotool key Escape

retry 5 found 629
X=$main_x Y=$main_y
click 313 152 # a patch; the result window after the wait
sleep 4.3
window "result window" 628 394
shot result-window
xdotool key alt+f x
window "exit screen" 741 315
shot exit-screen
xdotool key Return
deadline=$((SECONDS + 10))
while kill -0 "$app" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "program did not end"

[ $failures = 0 ] || { echo "scale $factor${how:+ ($how)}: $failures failure(s); screenshots in $art" && exit 1; }
echo "scale $factor${how:+ ($how)}: passed; screenshots in $art"
