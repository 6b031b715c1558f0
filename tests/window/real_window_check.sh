#!/usr/bin/env bash
# The built game in a real X window, full screen on a virtual screen of the
# given size, as a new player starts it: its window appears under the game's
# title; PRINTSCRN saves the welcome dialog as a picture of the game's own
# 1024 x 768 mode holding the whole picture (the title sign at the top, the
# flowers at the bottom, the dialog in the middle); a name typed and a click
# where the picture shows the dialog's "OK" button make the profile and open
# the main menu, whose picture holds the whole of it too; Alt+F4 ends the game
# with status 0, the log closes with its footer and no abort, and the
# configuration is saved.
#
# Usage: real_window_check.sh <game> <title file> <screen WxH> <picture checker> [folder to keep the pictures in]
# Exits 77 (a skip for CTest) when xvfb-run is not installed.
set -uo pipefail

# The picture's mode, and where its parts lie in it (picture pixels).
mode_width=1024 mode_height=768
ok_x=392 ok_y=681

if [ "${1:-}" = --inside ]; then
  shift
  game="$1" title="$2" screen="$3" checker="$4" scratch="$5" keep="$6"
  fail() {
    echo "FAIL: $*" >&2
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
  }
  user="$scratch/data/Quorvane Games/Quillory"
  log="$user/Quillory.html"
  screen_width="${screen%x*}" screen_height="${screen#*x}"

  # Where full screen shows the picture: as large as the screen allows, its
  # shape kept, centred.
  if [ $((screen_width * mode_height)) -le $((screen_height * mode_width)) ]; then
    area_width=$screen_width
    area_height=$(((mode_height * screen_width * 2 + mode_width) / (mode_width * 2)))
  else
    area_height=$screen_height
    area_width=$(((mode_width * screen_height * 2 + mode_height) / (mode_height * 2)))
  fi
  area_x=$(((screen_width - area_width) / 2)) area_y=$(((screen_height - area_height) / 2))
  echo "screen $screen: the picture at ($area_x,$area_y) size ${area_width}x$area_height"

  # The system libraries keep some memory until the process ends. The Mesa
  # software driver is loaded for the whole run, so that what it still holds
  # stays reachable after the game's GL library lets it go.
  export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/x11_leaks.supp"
  driver="$(ls /usr/lib/*/dri/swrast_dri.so /usr/lib64/dri/swrast_dri.so /usr/lib/dri/swrast_dri.so 2>/dev/null | head -n 1)"

  # Arguments the game must ignore: were they read as commands, it would end
  # or change its mode.
  env ${driver:+LD_PRELOAD="$driver"} SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" \
    XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" \
    "$game" +exit v_mode 640x480x16 >"$scratch/stdout" 2>&1 &
  pid=$!

  # Matched by its name: xdotool's own name search misses it while the game
  # switches its mode.
  window=""
  deadline=$((SECONDS + 60))
  while [ -z "$window" ] && [ "$SECONDS" -lt "$deadline" ]; do
    for candidate in $(xdotool search '.' 2>/dev/null); do
      if [ "$(xdotool getwindowname "$candidate" 2>/dev/null)" = "$title" ]; then
        window="$candidate"
      fi
    done
    kill -0 "$pid" 2>/dev/null || fail "the game ended before its window appeared: $(cat "$scratch/stdout")"
    sleep 0.2
  done
  [ -n "$window" ] || fail "no window named $title"
  xdotool windowfocus --sync "$window" 2>/dev/null || true

  # PRINTSCRN, then the new picture's name once it is complete.
  pictures=0
  screenshot() {
    xdotool keydown Print
    sleep 0.3
    xdotool keyup Print
    local name
    name="$(printf 'picture%03d.bmp' "$pictures")"
    picture=""
    local deadline=$((SECONDS + 20))
    while [ -z "$picture" ] && [ "$SECONDS" -lt "$deadline" ]; do
      sleep 0.2
      picture="$(find "$user" -name "$name" -type f -size +0 2>/dev/null | head -n 1)"
    done
    [ -n "$picture" ] || fail "PRINTSCRN wrote no $name"
    pictures=$((pictures + 1))
    sleep 1 # until the picture is complete
    [ -n "$keep" ] && mkdir -p "$keep" && cp "$picture" "$keep/$1.bmp"
  }
  # The title sign across the top, the flowers along the bottom edge.
  holds_whole_picture() {
    "$checker" "$picture" size $mode_width $mode_height busy 312 10 712 150 lit 0 708 1024 768 "$@"
  }

  # Pictures until one shows the screen asked for: a slow machine takes
  # longer to get there, so the test waits on what it sees, not on a time.
  # Only a screen that never comes runs out the limit.
  until_shown() {
    local what="$1"
    shift
    local deadline=$((SECONDS + ${QUILLORY_SCREEN_SECONDS:-120}))
    for (( ; ; )); do
      kill -0 "$pid" 2>/dev/null || fail "the game ended on its own: $(cat "$scratch/stdout")"
      screenshot "${what// /_}"
      holds_whole_picture "$@" >/dev/null 2>&1 && return 0
      [ "$SECONDS" -lt "$deadline" ] || holds_whole_picture "$@" ||
        fail "the picture of the $what does not hold the whole picture ($picture)"
      sleep 1
    done
  }

  # The logos, the introduction and the loading lead to the welcome dialog,
  # whose dark wooden inside lies between its line of text and the name.
  until_shown "welcome dialog" centred 0 566 1024 576 2f1f10
  # A name, then a click on the "OK" button where the picture shows it, held
  # for a few frames as a hand does; again while no profile comes of it, as
  # the dialog takes typing only once it has opened.
  profile=""
  deadline=$((SECONDS + ${QUILLORY_SCREEN_SECONDS:-120}))
  while [ -z "$profile" ] && [ "$SECONDS" -lt "$deadline" ]; do
    xdotool type --delay 120 Ada
    sleep 0.5
    xdotool mousemove $((area_x + (ok_x * area_width + mode_width / 2) / mode_width)) \
      $((area_y + (ok_y * area_height + mode_height / 2) / mode_height))
    xdotool mousedown 1
    sleep 0.3
    xdotool mouseup 1
    for _ in $(seq 25); do
      profile="$(find "$user/profiles" -iname 'ada*.prf' -type f 2>/dev/null | head -n 1)"
      [ -n "$profile" ] && break
      sleep 0.2
    done
  done
  [ -n "$profile" ] || fail "the click on OK made no profile"
  # The menu's wooden inside, between its first two buttons.
  until_shown "main menu" centred 0 287 1024 297 2f1f10

  xdotool keydown alt key F4 keyup alt
  status=""
  deadline=$((SECONDS + 30))
  while [ -z "$status" ] && [ "$SECONDS" -lt "$deadline" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      status=$?
    fi
    sleep 0.2
  done
  [ -n "$status" ] || fail "Alt+F4 did not end the game"
  pid=""
  [ "$status" -eq 0 ] || fail "the game exited with $status: $(cat "$scratch/stdout")"

  [ -f "$log" ] || fail "no log"
  ! grep -q "PROGRAM ABORTING: " "$log" || fail "the log holds an abort"
  [ "$(tail -c 7 "$log")" = "</HTML>" ] && grep -q " Log end: " "$log" || fail "the log has no footer"
  [ -s "$user/Quillory.ini" ] || fail "the configuration was not saved"
  echo "window $window on a $screen screen: welcome dialog and main menu whole, OK reached, exit status 0"
  exit 0
fi

game="$1"
title="$(sed -n '/^\[GAME_TITLE\]/{n;s/\r$//;p;q}' "$2")"
screen="$3"
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "xvfb-run is not installed: skipped"
  exit 77
fi
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# A user folder that exists already, so that the first start writes its log.
mkdir -p "$scratch/data/Quorvane Games/Quillory" "$scratch/config"
xvfb-run -a -s "-screen 0 ${screen}x24" "$0" --inside "$game" "$title" "$screen" "$4" "$scratch" "${5:-}"
