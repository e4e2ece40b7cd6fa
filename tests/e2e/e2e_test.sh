#!/usr/bin/env bash
# Drives the real program in a private X server with real X input, the way a user meets it.
#   e2e_test.sh BUILD_DIR SCENARIO [openbox]
# With "openbox" the scenario runs under that window manager, which also checks every window it frames.
# Screenshots of every step and the program's output are kept under BUILD_DIR/e2e-artifacts/SCENARIO[-openbox]/.
# A stub browser first on PATH records every address the program hands to the desktop.
set -euo pipefail

build=$(cd "$1" && pwd)
scenario=$2
wm=${3:-}
program=$build/ZorvelFreeTintwise
x11close=$build/tests/x11close # a window's close control, without a window manager
caption="Zorvel Tintwise v1.25" # the four windows; message boxes carry "Zorvel Tintwise"
site=https://www.arcanelsoftwares.com/zorvel-free-tintwise/

source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
requires Xvfb xdotool import convert xwininfo xprop $wm
scratch "$build/e2e-artifacts/$scenario${wm:+-$wm}"
home=$work/home config=$work/home/.config browser_log=$work/browser.log
: >"$browser_log"
# Stub browser: whatever the desktop calls to open an address lands in the log.
for name in xdg-open x-www-browser www-browser firefox sensible-browser gnome-open kde-open; do
  printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$browser_log" >"$work/bin/$name"
  chmod +x "$work/bin/$name"
done

start_xvfb 1280x1024

step=0

shot() {
  step=$((step + 1))
  last_shot=$(printf '%s/%02d-%s.png' "$art" "$step" "$1")
  import -window root "$last_shot"
}
# Colour (RRGGBB) in the last screenshot of a point in the client area of the window found last.
pixel() { convert "$last_shot" -format "%[hex:p{$((WX + $1)),$((WY + menu + $2))}]" info:; }
expect_pixel() { [ "$(pixel "$1" "$2")" = "$3" ] || fail "$4: pixel ($1,$2) is #$(pixel "$1" "$2"), not #$3"; }
expect_blank() { # x y width height what: one colour only in that part of the last screenshot
  local colours
  colours=$(convert "$last_shot" -crop "$3x$4+$((WX + $1))+$((WY + menu + $2))" -format %k info:)
  [ "$colours" = 1 ] || fail "$5: $colours colours where it should be blank"
}
expect_marks() { # count x y what: red marks up in a wait strip whose first mark stands at x y
  local dx up=0
  for dx in 0 21 43 64; do [ "$(pixel $(($2 + dx)) "$3")" = FF0000 ] && up=$((up + 1)); done
  [ $up = "$1" ] || fail "$4: $up marks up, expected $1"
}

launch_env=() # more for the program's environment: NAME=value to set, -uNAME to unset
launch_as=()  # a command that runs the program as another user
launch() { # [executable]: starts the program with its own home; sets app
  # TMPDIR too: where the runtime folder will not do, the lock falls back to it, and tests run side by side.
  local vars=(HOME="$home" XDG_CONFIG_HOME="$config" XDG_RUNTIME_DIR="$work" TMPDIR="$work" PATH="$work/bin:$PATH"
    QT_QPA_PLATFORM=xcb)
  local unset=() item i
  for item in "${launch_env[@]}"; do
    case "$item" in
      -u*) unset+=(-u "${item#-u}") ;;
      *) vars+=("$item") ;;
    esac
  done
  for item in "${unset[@]}"; do
    for i in "${!vars[@]}"; do [ "${vars[i]%%=*}" = "$item" ] && unset 'vars[i]'; done
  done
  "${launch_as[@]}" env "${unset[@]}" "${vars[@]}" "${1:-$program}" >>"$art/app.log" 2>&1 &
  app=$!
  pids+=("$app")
}
stop() { kill "$app" 2>/dev/null && wait "$app" 2>/dev/null || true; }

windows() { # title [width]: visible windows so titled (and so wide)
  local id
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    geometry "$id"
    [ -z "${2:-}" ] || [ "$WIDTH" = "$2" ] && echo "$id"
  done
  return 0
}
geometry() { # window: X Y of its client area on the screen, WIDTH HEIGHT (xdotool's X Y count a frame twice)
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print "X=" $4} /Absolute upper-left Y/ {print "Y=" $4}
    /^  Width:/ {print "WIDTH=" $2} /^  Height:/ {print "HEIGHT=" $2}')"
}
activate() { # window: gives it the focus, through the window manager when there is one
  if [ -n "$wm" ]; then xdotool windowactivate --sync "$1"; else xdotool windowfocus --sync "$1"; fi
}
found() { WIN=$(windows "${2:-$caption}" "$1" | head -n 1) && [ -n "$WIN" ]; }
gone() { [ -z "$(windows "$caption" "$1")" ]; }
wait_window() { # width [title]; sets WIN and its geometry WX WY WH, menu=0
  retry 20 found "$@" || { fail "no window '${2:-$caption}' $1 wide came up" && shot missing-window && exit 1; }
  geometry "$WIN"
  WX=$X WY=$Y WH=$HEIGHT menu=0
  [ -z "$wm" ] || [ "${2:-$caption}" != "$caption" ] || wm_check
}
gone_box() { [ -z "$(windows "Zorvel Tintwise")" ]; }
wait_gone() { retry 10 gone "$1" || fail "window $1 wide did not go"; }

# Widths, and client heights below the menu bar, of the main and the result window; the exit screen, About box.
MAIN="629 506" RESULT="628 376" EXIT_W=741 ABOUT_W=423
# Client heights of the four windows by their widths.
declare -A HEIGHTS=([629]=524 [628]=394 [741]=315 [423]=264)
ids() { grep -o '0x[0-9a-f]*' | while read -r id; do echo $((id)); done; } # X window ids, in decimal
active() { xprop -root _NET_ACTIVE_WINDOW | ids; }
above() { # window other: window lies above other in the window manager's stacking order
  local order
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | ids)
  [ "$(grep -n -x "$1" <<<"$order" | cut -d: -f1)" -gt "$(grep -n -x "$2" <<<"$order" | cut -d: -f1)" ]
}
centred() { # WIN's frame, title bar included, lies in the middle of the screen; sets dx dy, twice the offsets
  local l r t b
  geometry "$WIN"
  read -r l r t b < <(xprop -id "$WIN" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  dx=$((2 * (X - l) + WIDTH + l + r - 1280)) dy=$((2 * (Y - t) + HEIGHT + t + b - 1024))
  [ ${dx#-} -le 1 ] && [ ${dy#-} -le 1 ]
}
wm_check() { # what the window manager makes of window WIN: size, place, actions, state
  local actions state transient
  [ "$HEIGHT" = "${HEIGHTS[$WIDTH]:-}" ] || fail "window $WIDTH wide is $HEIGHT high, not ${HEIGHTS[$WIDTH]:-?}"
  # The frame is known, and centred, only once the window is on screen.
  retry 3 centred || fail "window $WIDTH wide off centre by ($dx, $dy)/2"
  geometry "$WIN"
  WX=$X WY=$Y
  actions=$(xprop -id "$WIN" _NET_WM_ALLOWED_ACTIONS)
  case "$actions" in *RESIZE* | *MAXIMIZE*) fail "window $WIDTH wide can be resized or maximised" ;; esac
  state=$(xprop -id "$WIN" _NET_WM_STATE)
  if [ "$WIDTH" = $EXIT_W ]; then
    [[ $state == *_NET_WM_STATE_ABOVE* ]] || fail "exit screen not above: $state"
  elif [ "$WIDTH" = $ABOUT_W ]; then
    [[ $state == *_NET_WM_STATE_MODAL* ]] || fail "About box not modal: $state"
    transient=$(xprop -id "$WIN" WM_TRANSIENT_FOR | ids)
    [ "$transient" = "$opener" ] || fail "About box transient for $transient, not its opener $opener"
  fi
}
focus() { # width client-height: waits for that window and focuses it
  wait_window "$1"
  menu=$((WH - $2))
  activate "$WIN"
  opener=$WIN
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

after() { # milliseconds: sleeps until that long after the time in $clicked; a slow screenshot counts
  local ms=$(($1 - ($(date +%s%N) - clicked) / 1000000))
  [ $ms -le 0 ] || sleep "$((ms / 1000)).$(printf '%03d' $((ms % 1000)))"
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

if [ -n "$wm" ]; then
  HOME="$home" "$wm" >"$art/wm.log" 2>&1 &
  pids+=($!)
  wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  retry 10 wm_up || { echo "$wm did not start" && exit 1; }
fi

case "$scenario" in
  reading)
    launch
    draw 0 5
    click 575 295 # Next: marks come up a second apart, the Problem panel four seconds after the click
    clicked=$(date +%s%N)
    after 1500 && shot reveal-wait
    expect_marks 2 332 188 "reveal after 1.5 s"
    after 3500 && shot reveal-wait
    expect_marks 4 332 188 "reveal after 3.5 s"
    after 4500 && shot problem-panel
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
    activate "$WIN"
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

  paste)
    # Another program's text on the clipboard, then a reading empties it; every paste into the exit screen's
    # unseen message field and the form's fields must find valid, empty data.
    requires xclip
    printf 'from another program' | xclip -selection clipboard -loops 1 &
    pids+=($!)
    printf 'selected elsewhere' | xclip -selection primary -loops 1 &
    pids+=($!)
    launch
    draw 5 3
    "$x11close" "$WIN"
    wait_window $EXIT_W
    xdotool windowfocus --sync "$WIN"
    press Tab Tab Tab Tab Tab Tab Tab # Exit first: the seventh Tab reaches the unseen message field
    press ctrl+v shift+Insert && sleep 0.3
    shot message-pasted
    kill -0 "$app" 2>/dev/null || fail "program died pasting into the message field"
    click 40 249 # Your Name
    press ctrl+v shift+Insert && xdotool click 2 && sleep 0.3
    shot name-pasted
    expect_blank 24 243 200 14 "Your Name after pastes of the emptied clipboard and selection"
    kill -0 "$app" 2>/dev/null || fail "program died pasting into a one-line field"
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
    activate "$WIN"
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
      activate "$WIN"
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
    activate "$WIN" && press Escape
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
    # The untouched form: a complaint. After it the first click into a field still empties its placeholder,
    # though the window learns of the focus only when it is active again.
    click 248 297
    wait_window "" "Zorvel Tintwise"
    activate "$WIN" && press Return
    retry 5 gone_box || fail "message box stayed"
    wait_window $EXIT_W
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

  sweep-settings)
    # The setting file and its folder in every odd state. Each time the main window comes up within 5 s and
    # SIGTERM ends the program cleanly; "kept" files are left byte for byte, links and all.
    dir=$config/Arcanel conf=$config/Arcanel/ZorvelFreeTintwise.conf
    state() { # what the file is and holds, without opening anything but a regular file
      stat -c '%F %s %a %U' "$conf" 2>&1 || true
      readlink "$conf" || true
      if [ -f "$conf" ]; then head -c 65536 "$conf" | sha256sum; fi
    }
    mkdir -p "$config"
    chmod 755 "$work" "$home" "$config"
    while IFS='|' read -r name expect user setup; do
      rm -rf "$dir" && mkdir -p "$dir"
      launch_as=() && [ "$user" = nobody ] && launch_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
      if [ "$user" = nobody ]; then
        chown -R nobody:nogroup "$config" && chown nobody "$work"
      else
        chown -R root:root "$config" && chown root "$work"
      fi
      eval "$setup" || { echo "SKIP row $name: could not set it up"; continue; }
      before=$(state)
      launch
      retry 5 found ${MAIN% *} || fail "$name: no main window within 5 s"
      shot "settings-$name"
      kill -TERM "$app" && expect_exit_code 0
      if [ "$expect" = kept ] && [ "$(state)" != "$before" ]; then
        fail "$name: changed from [$before] to [$(state)]"
      fi
      if mountpoint -q "$dir"; then umount "$dir"; fi
    done <<'ROWS'
garbage|kept|root|head -c 4096 /dev/urandom >"$conf"
empty|any|root|: >"$conf"
huge, sparse 1 GiB|kept|root|truncate -s 1G "$conf"
two million keys|kept|root|{ echo '[Settings]'; seq -f 'k%.0f=v' 2000000; } >"$conf"
a typed value|kept|root|printf '[Settings]\nIzwfynts=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1)\n' >"$conf"
a list|kept|root|printf '[Settings]\nIzwfynts=a, b\n' >"$conf"
nested value, 50 000 deep|kept|root|{ printf '[Settings]\nIzwfynts=@Variant('; yes '\0\0\0\t\0\0\0\0\x1' | head -n 50000 | tr -d '\n'; printf ')\n'; } >"$conf"
comments and bad bytes|kept|root|printf '; note: Gr\xf6\xdfe\nk\xff=v\xfe\n' >"$conf"
a directory|kept|root|mkdir "$conf"
a dangling link|kept|root|ln -s "$work/nowhere" "$conf"
a FIFO|kept|root|mkfifo "$conf"
a device node|kept|root|[ "$(id -u)" = 0 ] && mknod "$work/null" c 1 3 && ln -s "$work/null" "$conf"
unreadable|kept|nobody|printf '[Settings]\nIzwfynts=x\n' >"$conf" && chown nobody "$conf" && chmod 000 "$conf"
read-only file|kept|nobody|printf '[Settings]\nIzwfynts=\n' >"$conf" && chown nobody "$conf" && chmod 444 "$conf"
read-only folder|any|nobody|chmod 555 "$dir"
full disk|any|root|mount -t tmpfs -o size=16k tmpfs "$dir" && { head -c 65536 /dev/zero >"$dir/filler" || true; }
ROWS
    ;;

  sweep-environment)
    # Odd environments: the main window still comes up; with no browser a link changes nothing.
    chmod 755 "$work" "$home" && mkdir -p "$work/locked" && chmod 500 "$work/locked" && chown nobody "$work/locked"
    while IFS='|' read -r name user env_args; do
      read -r -a launch_env <<<"$env_args"
      launch_as=() && [ "$user" = nobody ] && launch_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
      launch
      retry 5 found ${MAIN% *} || fail "$name: no main window within 5 s"
      shot "environment-${name// /-}"
      xdotool windowfocus --sync "$(windows "$caption" ${MAIN% *} | head -n 1)" 2>/dev/null && menus "alt+h v"
      sleep 0.5
      kill -0 "$app" 2>/dev/null || fail "$name: the program ended after a link"
      kill -TERM "$app" && expect_exit_code 0
    done <<'ROWS'
HOME unset|root|-uHOME
XDG_RUNTIME_DIR unset|root|-uXDG_RUNTIME_DIR
XDG_RUNTIME_DIR not there|root|XDG_RUNTIME_DIR=/nonexistent/run
XDG_RUNTIME_DIR unwritable|nobody|XDG_RUNTIME_DIR=/root
no browser on the PATH|root|PATH=/nonexistent
ROWS
    launch_env=()
    ;;

  sweep-signals)
    # SIGTERM, SIGINT and SIGHUP in the wait and on the exit screen: a clean end with code 0, and the next start
    # is not refused.
    while IFS='|' read -r when signal; do
      launch
      case "$when" in
        wait) focus $MAIN && click 313 134 && sleep 1.5 ;;
        exit-screen) draw 2 2 && "$x11close" "$WIN" && wait_window $EXIT_W ;;
        main) focus $MAIN ;;
      esac
      kill -"$signal" "$app"
      expect_exit_code 0
    done <<'ROWS'
wait|TERM
wait|INT
exit-screen|TERM
exit-screen|INT
main|HUP
ROWS
    launch
    retry 5 found ${MAIN% *} || fail "no main window after the signals: a lock was left behind"
    kill -TERM "$app" && expect_exit_code 0
    ;;

  sweep-storm)
    # Key and mouse storms in every window, the wait included, each from a fresh start: the program never
    # dies of one. It may end by what the storm pressed, but then with code 0.
    RANDOM=14
    keys=(Tab shift+Tab space Return Escape Up Down Left Right a Z 7 BackSpace Delete ctrl+a ctrl+v shift+Insert
      ctrl+c Home End Page_Down alt+f alt+h F1)
    storm() { # 60 keys and 30 clicks of any button anywhere in the window found last
      local i list=()
      for ((i = 0; i < 60; i++)); do list+=("${keys[RANDOM % ${#keys[@]}]}"); done
      xdotool windowfocus "$WIN" 2>/dev/null || true
      xdotool key --delay 5 "${list[@]}" 2>/dev/null || true
      for ((i = 0; i < 30; i++)); do
        xdotool mousemove $((WX + RANDOM % WIDTH)) $((WY + RANDOM % HEIGHT)) click $((1 + RANDOM % 3)) 2>/dev/null || true
      done
    }
    for window in main wait result exit about; do
      launch
      case $window in
        main) focus $MAIN ;;
        wait) focus $MAIN && click 313 134 ;;
        result) draw 6 9 ;;
        exit) draw 7 4 && "$x11close" "$WIN" && wait_window $EXIT_W ;;
        about) focus $MAIN && press alt+h a && wait_window $ABOUT_W ;;
      esac
      storm
      shot "storm-$window"
      if kill -0 "$app" 2>/dev/null; then kill -TERM "$app"; fi
      expect_exit_code 0
    done
    ;;

  wm)
    # What only a window manager does: another program keeps the focus and stays below the exit screen;
    # Alt+F4 takes each window down the path of its close control.
    [ -n "$wm" ] || { echo "SKIP: needs a window manager" && exit 77; }
    xmessage -title "Other program" "Another program" &
    pids+=($!)
    launch
    focus $MAIN
    main=$WIN
    wait_window "" "Other program"
    other=$WIN
    activate "$other"
    sleep 1 # a person's pace: the program learns that it lost the focus
    "$x11close" "$main" # closed from outside, as a task bar does
    wait_window $EXIT_W
    shot exit-screen-other-focused
    [ "$(active)" = "$other" ] || fail "the exit screen took the focus from another program"
    above "$WIN" "$other" || fail "the exit screen came up below another program"
    exit_screen=$WIN
    activate "$other"
    above "$exit_screen" "$other" || fail "the exit screen went below the program that took the focus"
    activate "$exit_screen" && press alt+F4
    expect_exit_code 0

    launch
    focus $MAIN
    press alt+F4
    wait_gone ${MAIN% *}
    wait_window $EXIT_W
    kill -0 "$app" 2>/dev/null || fail "Alt+F4 on the main window ended the program"
    activate "$WIN" && press alt+F4
    expect_exit_code 0

    launch
    draw 6 2
    press alt+h a
    wait_window $ABOUT_W
    shot about-over-result
    press alt+F4
    wait_gone $ABOUT_W
    focus $RESULT
    press alt+F4
    wait_gone ${RESULT% *}
    wait_window $EXIT_W
    [ -z "$(windows "$caption" ${MAIN% *})" ] || fail "main window came back"
    activate "$WIN" && press alt+F4
    expect_exit_code 0
    ;;

  *)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac

[ $failures = 0 ] || { echo "$scenario: $failures failure(s); screenshots in $art" && exit 1; }
echo "$scenario: passed; screenshots in $art"
