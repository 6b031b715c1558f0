#!/usr/bin/env bash
# The built game in a real X window on a virtual screen: its window appears
# under the game's title, PRINTSCRN saves a picture of the first menu that is
# not one flat colour, Alt+F4 ends the game with status 0, the log closes
# with its footer and no abort, and the configuration is saved.
#
# Usage: real_window_check.sh <game> <title file> [where to keep the picture]
# Exits 77 (a skip for CTest) when xvfb-run is not installed.
set -uo pipefail

if [ "${1:-}" = --inside ]; then
  shift
  game="$1" title="$2" scratch="$3" keep="$4"
  fail() {
    echo "FAIL: $*" >&2
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
  }
  user="$scratch/data/Quorvane Games/Quillory"
  log="$user/Quillory.html"

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
  xdotool windowfocus --sync "$window" 2>/dev/null || true

  # The logos, the introduction and the loading lead to the welcome dialog.
  sleep "${QUILLORY_WELCOME_SECONDS:-25}"
  kill -0 "$pid" 2>/dev/null || fail "the game ended on its own: $(cat "$scratch/stdout")"

  xdotool keydown Print
  sleep 0.3
  xdotool keyup Print
  picture=""
  deadline=$((SECONDS + 20))
  while [ -z "$picture" ] && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.2
    picture="$(find "$user" -name 'picture*' -type f -size +0 2>/dev/null | head -n 1)"
  done
  [ -n "$picture" ] || fail "PRINTSCRN wrote no picture"
  sleep 1 # until the picture is complete

  # An uncompressed BMP: the pixel data starts at the offset in bytes 10 to
  # 13, each pixel is bits/8 bytes (bytes 28 and 29).
  offset="$(od -An -tu4 -j10 -N4 "$picture" | tr -d ' ')"
  bits="$(od -An -tu2 -j28 -N2 "$picture" | tr -d ' ')"
  [ "$(head -c 2 "$picture")" = BM ] && [ "$bits" -ge 24 ] || fail "$picture is no 24- or 32-bit BMP"
  pixels="$(tail -c +"$((offset + 1))" "$picture" | od -An -v -tx1 -w"$((bits / 8))" | sort | uniq -c | sort -rn)"
  total="$(echo "$pixels" | awk '{ n += $1 } END { print n }')"
  commonest="$(echo "$pixels" | head -n 1 | awk '{ print $1 }')"
  colours="$(echo "$pixels" | wc -l)"
  [ -n "$keep" ] && cp "$picture" "$keep"
  # A dialog over the menu background, not an empty screen with a stray dot.
  [ "$((commonest * 100))" -lt "$((total * 95))" ] ||
    fail "$picture is one flat colour: $commonest of $total pixels alike, $colours colours"

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
  echo "window $window, picture $picture with $colours colours, exit status 0"
  exit 0
fi

game="$1"
title="$(sed -n '/^\[GAME_TITLE\]/{n;s/\r$//;p;q}' "$2")"
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "xvfb-run is not installed: skipped"
  exit 77
fi
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# A user folder that exists already, so that the first start writes its log.
mkdir -p "$scratch/data/Quorvane Games/Quillory" "$scratch/config"
xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside "$game" "$title" "$scratch" "${3:-}"
