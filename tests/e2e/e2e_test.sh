#!/usr/bin/env bash
# Drives the real program in a private X server with real X input, the way a user meets it.
#   e2e_test.sh BUILD_DIR SCENARIO
# Screenshots of every step are kept under BUILD_DIR/e2e-artifacts/SCENARIO/. A stub browser first on PATH
# records every address the program hands to the desktop.
set -euo pipefail

build=$(cd "$1" && pwd)
scenario=$2
program=$build/ZorvelFreeTintwise
x11close=$build/tests/x11close
caption="Zorvel Tintwise v1.25"

for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

art=$build/e2e-artifacts/$scenario
rm -rf "$art"
mkdir -p "$art"
work=$(mktemp -d)
home=$work/home
mkdir -p "$home/.config" "$work/bin"
browser_log=$work/browser.log
: >"$browser_log"
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

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 2>/dev/null)
pids+=($!)
read -r -t 15 display <&3 || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display"

step=0
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

shot() {
  step=$((step + 1))
  last_shot=$(printf '%s/%02d-%s.png' "$art" "$step" "$1")
  import -window root "$last_shot"
}

# Colour of a screen pixel in the last screenshot, as RRGGBB.
pixel() { convert "$last_shot" -format "%[hex:p{$1,$2}]" info:; }

expect_pixel() { # x y RRGGBB what
  local got
  got=$(pixel "$1" "$2")
  [ "${got^^}" = "${3^^}" ] || fail "$4: pixel ($1,$2) is #$got, expected #$3"
}

launch() { # starts the program; sets app
  env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$work" PATH="$work/bin:$PATH" \
    QT_QPA_PLATFORM=xcb "$program" >"$work/app.log" 2>&1 &
  app=$!
  pids+=("$app")
}

# Visible windows titled with the caption whose width is $1 (the windows share one caption).
windows_of_width() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$WIDTH" = "$1" ] && echo "$id"
  done
  return 0
}

wait_window() { # width [seconds]; sets WIN and its geometry WX WY WW WH
  local deadline=$((SECONDS + ${2:-10})) id=""
  while [ -z "$id" ]; do
    id=$(windows_of_width "$1" | head -n 1)
    [ -n "$id" ] && break
    [ $SECONDS -lt $deadline ] || { fail "no window $1 wide came up"; exit 1; }
    sleep 0.05
  done
  eval "$(xdotool getwindowgeometry --shell "$id")"
  WIN=$id WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
}

wait_gone() { # width [seconds]
  local deadline=$((SECONDS + ${2:-10}))
  while [ -n "$(windows_of_width "$1")" ]; do
    [ $SECONDS -lt $deadline ] || { fail "window $1 wide did not go"; return 1; }
    sleep 0.05
  done
}

# Client-area positions: the main and the result window carry a menu bar above their client area.
MAIN_W=629 MAIN_CLIENT_H=506 RESULT_W=628 RESULT_CLIENT_H=376 EXIT_W=741 ABOUT_W=423

focus_main() {
  wait_window $MAIN_W
  main=$WIN menu=$((WH - MAIN_CLIENT_H))
  xdotool windowfocus --sync "$main"
}
focus_result() {
  wait_window $RESULT_W 10
  result=$WIN menu=$((WH - RESULT_CLIENT_H))
  xdotool windowfocus --sync "$result"
}

click() { # x y in the current window's client area
  xdotool mousemove --sync $((WX + $1)) $((WY + menu + $2)) click 1
}

press() { xdotool key --delay 60 "$@"; }

patch_centre() { # index -> "x y" in the main window's client area
  local cols=(280 347 414 481 548) rows=(64 125 186 247 308)
  local cells=("0 4" "0 3" "0 2" "0 1" "0 0" "1 0" "2 0" "3 0" "4 0" "4 1" "4 2" "4 3" "4 4" "3 4" "2 4" "1 4")
  local c r
  read -r c r <<<"${cells[$1]}"
  echo "$((cols[c] + 33)) $((40 + rows[r] + 30))"
}

choose_number() { # n: opens the chooser and walks down to n
  click 580 82 # the chooser, inside the ritual panel
  sleep 0.3
  local keys=() i
  for ((i = 1; i < $1; i++)); do keys+=(Down); done
  [ ${#keys[@]} -gt 0 ] && press "${keys[@]}"
  press Return
  sleep 0.2
}

expect_pages() { # expected page keys or full addresses, in order
  local want=() line
  for line in "$@"; do
    case "$line" in
      http*) want+=("$line") ;;
      *) want+=("https://www.arcanelsoftwares.com/zorvel-free-tintwise/ssd.php?page=$line") ;;
    esac
  done
  local deadline=$((SECONDS + 5))
  while [ "$(wc -l <"$browser_log")" -lt ${#want[@]} ] && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  local got
  got=$(cat "$browser_log")
  if [ "$got" != "$(printf '%s\n' "${want[@]}")" ]; then
    fail "browser got:"$'\n'"$got"$'\n'"expected:"$'\n'"$(printf '%s\n' "${want[@]}")"
  fi
  : >"$browser_log"
}

expect_exit_code() { # code [seconds]
  local deadline=$((SECONDS + ${2:-10}))
  while kill -0 "$app" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || { fail "program still running"; return 1; }
    sleep 0.05
  done
  local code=0
  wait "$app" || code=$?
  [ "$code" = "$1" ] || fail "program ended with code $code, expected $1"
}

# A whole reading from the main window to the Show All panel; leaves the result window in front.
reading() { # patch number
  focus_main
  choose_number "$2"
  read -r px py <<<"$(patch_centre "$1")"
  click "$px" "$py"
  sleep 1.5
  shot "wait-panel-patch$1"
  # The wait panel covers the wheel and shows its strip with "Please Wait".
  expect_pixel $((WX + px)) $((WY + menu + py)) 404040 "wait panel over patch $1"
  expect_pixel $((WX + 272 + 64 + 200)) $((WY + menu + 40 + 24 + 144 + 6)) FFFFFF "wait strip"
  focus_result
  shot "day-panel"
  expect_pixel $((WX + 5)) $((WY + menu + 5)) 800080 "result banner"
  expect_pixel $((WX + 5)) $((WY + menu + 360)) 800080 "result footer"
  expect_pixel $((WX + 300)) $((WY + menu + 270)) 404040 "day panel"
  click 575 295 # Next
  sleep 1.5
  shot "reveal-wait"
  expect_pixel $((WX + 208 + 215)) $((WY + menu + 48 + 120 + 16)) FFFFFF "reveal wait strip"
  sleep 3
  shot "problem-panel"
  expect_pixel $((WX + 208 + 215)) $((WY + menu + 48 + 120 + 16)) 404040 "wait strip gone"
  click 575 295 # Next
  sleep 4.5
  shot "solution-panel"
  click 570 295 # Show All
  sleep 0.3
  shot "show-all"
  # The Show All panel's description boxes are white.
  expect_pixel $((WX + 100)) $((WY + menu + 48 + 56 + 30)) FFFFFF "show all description box"
}

case "$scenario" in
  reading)
    launch
    focus_main
    shot main
    [ "$WW" = $MAIN_W ] || fail "main window is $WW wide"
    [ $((WH - menu)) = $MAIN_CLIENT_H ] || fail "main client area is $((WH - menu)) high"
    expect_pixel $((WX + 5)) $((WY + menu + 5)) 800080 "banner"
    expect_pixel $((WX + 600)) $((WY + menu + 430)) 404040 "ritual panel"
    expect_pixel $((WX + 5)) $((WY + menu + 500)) 800080 "footer"
    colours=(FF0000 FF80FF A020F0 ADD8E6 000080 00F5FF 00FF00 556B2F FF8000 FFFF00 FFD700 FFDAB9 696969 A52A2A FFFFFF 000000)
    for i in $(seq 0 15); do
      read -r px py <<<"$(patch_centre "$i")"
      expect_pixel $((WX + px)) $((WY + menu + py)) "${colours[$i]}" "patch $i"
    done
    reading 0 5
    focus_result
    click 586 351 # Back
    wait_gone $RESULT_W
    focus_main
    shot back-to-main
    reading 15 24
    focus_result
    click 514 351 # Exit
    wait_gone $RESULT_W
    wait_window $EXIT_W; exitw=$WIN
    sleep 0.3
    shot exit-screen
    expect_pixel $((WX + 492)) $((WY + 200)) 000080 "product panel"
    [ -z "$(windows_of_width $MAIN_W)" ] || fail "main window visible with the exit screen"
    xdotool windowfocus --sync "$exitw"
    press Return # the focus is on Exit
    expect_exit_code 0
    ;;

  close-result)
    launch
    reading 3 7
    "$x11close" "$result"
    wait_window $EXIT_W; exitw=$WIN
    wait_gone $RESULT_W
    [ -z "$(windows_of_width $MAIN_W)" ] || fail "main window came back"
    shot exit-screen
    "$x11close" "$exitw"
    expect_exit_code 0
    ;;

  second-instance)
    launch
    first=$app
    focus_main
    launch
    second=$app
    deadline=$((SECONDS + 10))
    until notice=$(xdotool search --onlyvisible --name '^Zorvel Tintwise$' 2>/dev/null | head -n 1) && [ -n "$notice" ]; do
      [ $SECONDS -lt $deadline ] || { fail "no notice"; break; }
      sleep 0.05
    done
    shot notice
    [ "$(xdotool search --onlyvisible --name "^$caption\$" | wc -l)" = 1 ] || fail "second instance showed a window"
    xdotool windowfocus --sync "$notice"
    press Return
    expect_exit_code 0
    kill -0 "$first" 2>/dev/null || fail "first instance ended"
    app=$first
    focus_main
    press Escape
    wait_window $EXIT_W; exitw=$WIN
    xdotool windowfocus --sync "$exitw"
    press Return
    expect_exit_code 0
    ;;

  links)
    launch
    focus_main
    for keys in "alt+h o" "alt+h v" "alt+h u"; do
      read -r -a k <<<"$keys"
      press "${k[@]}"
      sleep 0.3
    done
    press alt+d
    expect_pages help-web-page home-page download-web-page donate
    click 300 20     # advertising line
    click 130 70     # welcome text
    expect_pages home-page fully-branded
    click 100 470    # the offer in front: either of the two
    sleep 0.5
    offer=$(cat "$browser_log")
    case "$offer" in
      *page=co-brand | *page=fully-branded) : >"$browser_log" ;;
      *) fail "offer label opened: $offer" ;;
    esac
    press alt+h a
    wait_window $ABOUT_W; about=$WIN
    shot about
    expect_pixel $((WX + 5)) $((WY + 100)) 404040 "about background"
    menu=0
    click 130 125    # home-page link
    click 260 212    # more details
    expect_pages home-page fully-branded
    xdotool windowfocus --sync "$about"
    press Escape
    wait_gone $ABOUT_W
    reading 1 1
    focus_result
    click 40 64      # "Your Color of the Day is" heading of the Show All panel
    click 300 22     # advertising line
    expect_pages fully-branded home-page
    for keys in "alt+h o" "alt+h v" "alt+h c"; do
      read -r -a k <<<"$keys"
      press "${k[@]}"
      sleep 0.3
    done
    press alt+d
    click 100 345    # co-branding offer, always in front here
    expect_pages help-web-page home-page download-web-page donate co-brand
    click 514 351    # Exit
    wait_window $EXIT_W; exitw=$WIN
    menu=0
    shot exit-screen
    click 560 297    # Click Here To Visit Arcanel
    click 200 153    # the forum check box
    expect_pages arcanelsoftwares home-page
    # Refer a friend: the name carries characters that must not break the address.
    click 120 250; xdotool type --delay 20 'Ann & Bob=1#'
    click 360 250; xdotool type --delay 20 'ann@example.com'
    click 120 273; xdotool type --delay 20 'Cy'
    click 360 273; xdotool type --delay 20 'cy@example.org'
    click 248 297
    shot referral
    expect_pages "https://www.arcanelsoftwares.com/zorvel-free-tintwise/ssd.php?page=zvms-refer-a-friend&taf1=Ann%20%26%20Bob%3D1%23&taf2=ann%40example.com&taf3=Your%20Message%0D%0A&taf4=Cy&taf5=cy%40example.org&taf6=https%3A%2F%2Fwww.arcanelsoftwares.com%2Fzorvel-free-tintwise%2F"
    xdotool windowfocus --sync "$exitw"
    "$x11close" "$exitw"
    expect_exit_code 0
    ;;

  *)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac

if [ $failures -gt 0 ]; then
  echo "$scenario: $failures failure(s); screenshots in $art"
  exit 1
fi
echo "$scenario: passed; screenshots in $art"
