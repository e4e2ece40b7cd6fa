#!/usr/bin/env bash
# Drives the real program in a private X server with real X input, the way a user meets it.
#   e2e_test.sh BUILD_DIR SCENARIO
# Screenshots of every step and the program's output are kept under BUILD_DIR/e2e-artifacts/SCENARIO/.
# A stub browser first on PATH records every address the program hands to the desktop.
set -euo pipefail

build=$(cd "$1" && pwd)
scenario=$2
program=$build/ZorvelFreeTintwise
x11close=$build/tests/x11close # a window's close control, without a window manager
caption="Zorvel Tintwise v1.25" # the four windows; message boxes carry "Zorvel Tintwise"
site=https://www.arcanelsoftwares.com/zorvel-free-tintwise/

for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

art=$build/e2e-artifacts/$scenario
rm -rf "$art" && mkdir -p "$art"
work=$(mktemp -d)
home=$work/home config=$work/home/.config browser_log=$work/browser.log
mkdir -p "$config" "$work/bin" && : >"$browser_log"
# Stub browser: whatever the desktop calls to open an address lands in the log.
for name in xdg-open x-www-browser www-browser firefox sensible-browser gnome-open kde-open; do
  printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$browser_log" >"$work/bin/$name"
  chmod +x "$work/bin/$name"
done

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# -noreset: the server must not reset when the program, its last client, ends between two starts.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset 2>/dev/null)
pids+=($!)
read -r -t 15 display <&3 || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display"

step=0 failures=0
fail() { echo "FAIL: $*" && failures=$((failures + 1)); }

shot() {
  step=$((step + 1))
  last_shot=$(printf '%s/%02d-%s.png' "$art" "$step" "$1")
  import -window root "$last_shot"
}
# Colour (RRGGBB) in the last screenshot of a point in the client area of the window found last.
pixel() { convert "$last_shot" -format "%[hex:p{$((WX + $1)),$((WY + menu + $2))}]" info:; }
expect_pixel() { [ "$(pixel "$1" "$2")" = "$3" ] || fail "$4: pixel ($1,$2) is #$(pixel "$1" "$2"), not #$3"; }
expect_marks() { # count x y what: red marks up in a wait strip whose first mark stands at x y
  local dx up=0
  for dx in 0 21 43 64; do [ "$(pixel $(($2 + dx)) "$3")" = FF0000 ] && up=$((up + 1)); done
  [ $up = "$1" ] || fail "$4: $up marks up, expected $1"
}

launch() { # [executable]: starts the program with its own home; sets app
  env HOME="$home" XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$work" PATH="$work/bin:$PATH" \
    QT_QPA_PLATFORM=xcb "${1:-$program}" >>"$art/app.log" 2>&1 &
  app=$!
  pids+=("$app")
}
stop() { kill "$app" 2>/dev/null && wait "$app" 2>/dev/null || true; }

retry() { # seconds command...: runs the command until it succeeds or the seconds are up
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do [ $SECONDS -lt $deadline ] && sleep 0.05 || return 1; done
}
windows() { # title [width]: visible windows so titled (and so wide)
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ -z "${2:-}" ] || [ "$WIDTH" = "$2" ] && echo "$id"
  done
  return 0
}
found() { WIN=$(windows "${2:-$caption}" "$1" | head -n 1) && [ -n "$WIN" ]; }
gone() { [ -z "$(windows "$caption" "$1")" ]; }
wait_window() { # width [title]; sets WIN and its geometry WX WY WH, menu=0
  retry 20 found "$@" || { fail "no window '${2:-$caption}' $1 wide came up" && shot missing-window && exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  WX=$X WY=$Y WH=$HEIGHT menu=0
}
wait_gone() { retry 10 gone "$1" || fail "window $1 wide did not go"; }

# Widths, and client heights below the menu bar, of the main and the result window; the exit screen, About box.
MAIN="629 506" RESULT="628 376" EXIT_W=741 ABOUT_W=423
focus() { # width client-height: waits for that window and focuses it
  wait_window "$1"
  menu=$((WH - $2))
  xdotool windowfocus --sync "$WIN"
}

# No --sync: it waits some 15 s when the pointer already stands there; X handles the move before the click.
click() { xdotool mousemove $((WX + $1)) $((WY + menu + $2)) click 1; }
press() { xdotool key --delay 60 "$@"; }
menus() { # each argument a menu command by its access keys, "alt+h o": Alt+H, then O
  local keys k
  for keys in "$@"; do
    read -r -a k <<<"$keys"
    press "${k[@]}" && sleep 0.3
  done
}

since() { # start seconds: sleeps until that many seconds after start (an $EPOCHREALTIME), however long checks took
  sleep "$(awk -v start="$1" -v s="$2" -v now="$EPOCHREALTIME" 'BEGIN { d = start + s - now; print (d > 0 ? d : 0) }')"
}

logged() { [ "$(wc -l <"$browser_log")" -ge "$1" ]; }
expect_pages() { # expected page keys or full addresses, in order
  local want=() line
  for line in "$@"; do
    case "$line" in http*) want+=("$line") ;; *) want+=("${site}ssd.php?page=$line") ;; esac
  done
  retry 5 logged ${#want[@]} || true
  [ "$(cat "$browser_log")" = "$(printf '%s\n' "${want[@]}")" ] ||
    fail "browser got:"$'\n'"$(cat "$browser_log")"$'\n'"expected:"$'\n'"$(printf '%s\n' "${want[@]}")"
  : >"$browser_log"
}

ended() { ! kill -0 "$app" 2>/dev/null; }
expect_exit_code() { # code
  local code=0
  retry 10 ended || { fail "program still running" && return; }
  wait "$app" || code=$?
  [ "$code" = "$1" ] || fail "program ended with code $code, expected $1"
}

# Picks number n, clicks patch p (wheel cells clockwise from the bottom-left corner) and checks the wait
# covering the wheel with two marks up after 1.5 s; ends focused on the result window.
draw() { # p n
  local cells=(04 03 02 01 00 10 20 30 40 41 42 43 44 34 24 14) x y i keys=()
  focus $MAIN
  click 580 82 # opens the chooser; walk down to n
  sleep 0.3
  for ((i = 1; i < $2; i++)); do keys+=(Down); done
  press "${keys[@]}" Return && sleep 0.2
  x=$((313 + 67 * ${cells[$1]:0:1})) y=$((134 + 61 * ${cells[$1]:1:1}))
  click $x $y
  sleep 1.5
  shot "wait-patch$1"
  expect_pixel $x $y 404040 "wait panel over patch $1"
  expect_marks 2 460 228 "draw after 1.5 s"
  focus $RESULT
}

# The settings file of a program name holds key "Duration" and the date yyyy-MM-dd, every character's code
# shifted by 5; the store writes a value in double quotes when it holds ';', ',' or '='.
shift_text() { # offset text
  local i out=""
  for ((i = 0; i < ${#2}; i++)); do out+=$(printf "\\$(printf '%03o' $(($(printf '%d' "'${2:i:1}") + $1)))"); done
  printf '%s' "$out"
}
store_date() { # program-name date
  local value
  value=$(shift_text 5 "$2")
  [[ $value == *[\;,=]* ]] && value="\"$value\""
  mkdir -p "$config/Arcanel"
  printf '[Settings]\n%s=%s\n' "$(shift_text 5 Duration)" "$value" >"$config/Arcanel/$1.conf"
}
stored_date() { # program-name
  local line
  line=$(grep "^$(shift_text 5 Duration)=" "$config/Arcanel/$1.conf" 2>/dev/null) || return 0
  line=${line#*=} line=${line#\"} line=${line%\"}
  shift_text -5 "$line"
}

case "$scenario" in
  reading)
    launch
    draw 0 5
    click 575 295 # Next: marks come up a second apart, the Problem panel four seconds after the click
    clicked=$EPOCHREALTIME
    since "$clicked" 1.5 && shot reveal-wait
    expect_marks 2 332 188 "reveal after 1.5 s"
    since "$clicked" 3.5 && shot reveal-wait
    expect_marks 4 332 188 "reveal after 3.5 s"
    since "$clicked" 4.5 && shot problem-panel
    expect_pixel 423 184 404040 "wait strip gone after 4.5 s"
    click 575 295 # Next: the Solution panel
    sleep 4.5 && shot solution-panel
    expect_pixel 423 184 404040 "second wait over"
    click 570 295 # Show All, at once
    sleep 0.3 && shot show-all
    expect_pixel 100 134 FFFFFF "Show All description box"
    click 586 351 # Back
    wait_gone ${RESULT% *}
    draw 15 24
    click 514 351 # Exit
    wait_gone ${RESULT% *}
    wait_window $EXIT_W
    shot exit-screen
    expect_pixel 492 200 000080 "product panel"
    [ -z "$(windows "$caption" ${MAIN% *})" ] || fail "main window visible with the exit screen"
    kill -0 "$app" 2>/dev/null || fail "program ended before the exit screen was left"
    xdotool windowfocus --sync "$WIN"
    press Return # the focus is on Exit
    expect_exit_code 0
    ;;

  close-result)
    # The result window's close control hands over to the exit screen; the main window stays hidden.
    launch
    draw 3 7
    "$x11close" "$WIN"
    wait_gone ${RESULT% *}
    wait_window $EXIT_W
    shot exit-screen
    [ -z "$(windows "$caption" ${MAIN% *})" ] || fail "main window came back"
    "$x11close" "$WIN"
    expect_exit_code 0
    ;;

  second-instance)
    launch
    first=$app
    focus $MAIN
    launch
    wait_window "" "Zorvel Tintwise"
    shot notice
    [ "$(windows "$caption" | wc -l)" = 1 ] || fail "second instance showed a window"
    xdotool windowfocus --sync "$WIN"
    press Return
    expect_exit_code 0
    kill -0 "$first" 2>/dev/null || fail "first instance ended"
    ;;

  update-question)
    today=$(date +%F) back15=$(date -d '15 days ago' +%F)
    [ "$(shift_text 5 Duration)" = Izwfynts ] || fail "key encoded as $(shift_text 5 Duration)"
    for answer in Escape y; do # No by Esc, then Yes by its key
      store_date ZorvelFreeTintwise "$back15"
      launch
      wait_window "" "Zorvel Tintwise"
      shot "question-$answer"
      [ -z "$(windows "$caption")" ] || fail "a window came up before the question was answered"
      [ "$(stored_date ZorvelFreeTintwise)" = "$back15" ] || fail "date written before the answer"
      xdotool windowfocus --sync "$WIN"
      press "$answer"
      wait_window ${MAIN% *}
      [ -z "$(windows "Zorvel Tintwise")" ] || fail "question still up"
      [ "$(stored_date ZorvelFreeTintwise)" = "$today" ] || fail "stored $(stored_date ZorvelFreeTintwise)"
      stop
    done
    expect_pages download-web-page
    # Under another file name the program keeps settings of its own: a first run, no question.
    store_date ZorvelFreeTintwise "$back15"
    cp "$program" "$work/TintwiseCopy.exe"
    launch "$work/TintwiseCopy.exe"
    wait_window ${MAIN% *}
    [ -z "$(windows "Zorvel Tintwise")" ] || fail "the renamed program asked"
    [ "$(stored_date TintwiseCopy)" = "$today" ] || fail "renamed program stored '$(stored_date TintwiseCopy)'"
    [ "$(stored_date ZorvelFreeTintwise)" = "$back15" ] || fail "renamed program touched the other's date"
    stop
    ;;

  links)
    # Menu access keys and the hand-over to the browser, on both reading windows; the referral's escaping.
    launch
    focus $MAIN
    menus "alt+h o" "alt+h v" "alt+h u" alt+d
    click 300 20 && click 130 70 # advertising line, welcome text
    expect_pages help-web-page home-page download-web-page donate home-page fully-branded
    click 100 470 # the offer in front, drawn at start-up: either
    retry 5 logged 1 || true
    case "$(cat "$browser_log")" in *page=co-brand | *page=fully-branded) : >"$browser_log" ;; *) fail "offer" ;; esac
    press alt+h a
    wait_window $ABOUT_W
    shot about
    click 130 125 && click 260 212 # home-page link, "Click here for more details"
    expect_pages home-page fully-branded
    xdotool windowfocus --sync "$WIN" && press Escape
    wait_gone $ABOUT_W
    draw 1 1
    menus "alt+h o" "alt+h v" "alt+h c" alt+d
    press Escape # Show All
    sleep 0.3
    click 40 64 && click 300 22 && click 100 345 # Show All heading, advertising line, co-branding offer
    expect_pages help-web-page home-page download-web-page donate fully-branded home-page co-brand
    click 514 351 # Exit
    wait_window $EXIT_W
    click 560 297 && click 200 153 # "Click Here To Visit Arcanel", the forum check box
    expect_pages arcanelsoftwares home-page
    click 120 250 && xdotool type --delay 20 'Ann & Bob=1#'
    click 360 250 && xdotool type --delay 20 'ann@example.com'
    click 120 273 && xdotool type --delay 20 'Cy'
    click 360 273 && xdotool type --delay 20 'cy@example.org'
    click 248 297 # Refer A Friend Now
    shot referral
    expect_pages "${site}ssd.php?page=zvms-refer-a-friend&taf1=Ann%20%26%20Bob%3D1%23&taf2=ann%40example.com\
&taf3=Your%20Message%0D%0A&taf4=Cy&taf5=cy%40example.org\
&taf6=https%3A%2F%2Fwww.arcanelsoftwares.com%2Fzorvel-free-tintwise%2F"
    kill -0 "$app" 2>/dev/null || fail "the referral ended the program"
    ;;

  *)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac

[ $failures = 0 ] || { echo "$scenario: $failures failure(s); screenshots in $art" && exit 1; }
echo "$scenario: passed; screenshots in $art"
