#!/usr/bin/env bash
# A session with the real program on an X display (run under xvfb-run):
#   digrex_session.sh DIGREX LOG [ARGUMENTS...]
# Starts DIGREX with the arguments (its error output to LOG), waits for its window,
# presses Ctrl+Shift+C until the clipboard holds the file information of the last
# argument with its digests, and prints the clipboard; "ICON: ..." follows when xprop
# is there. It then leaves through the first menu's last entry (Exit) with the keyboard
# alone, which works in any language: Alt selects the menu bar, Return opens it, Up
# reaches the last entry. The last line is "EXIT <the program's exit status>", or
# "STILL RUNNING" (exit 4) when the window does not close; "NO WINDOW" exits 3.
set -u
digrex="$1"; log="$2"; shift 2
last="${@: -1}"
"$digrex" "$@" >/dev/null 2>"$log" &
pid=$!
wid=""
for _ in $(seq 150); do
  wid=$(xdotool search --onlyvisible --name '^Digrex$' 2>/dev/null | head -1)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "NO WINDOW"; kill $pid; exit 3; }
text=""
for _ in $(seq 150); do
  xdotool windowfocus --sync "$wid" >/dev/null 2>&1
  xdotool key --clearmodifiers ctrl+shift+c >/dev/null 2>&1
  sleep 0.1
  text=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')
  if [ "$(printf '%s\n' "$text" | head -1)" = "$last" ] && printf '%s\n' "$text" | grep -q '^SHA1: '; then break; fi
  sleep 0.1
done
printf '%s\n' "$text"
if command -v xprop >/dev/null; then
  printf 'ICON: %s\n' "$(xprop -id "$wid" _NET_WM_ICON 2>&1 | head -c 40)"
fi
for _ in 1 2 3; do
  xdotool windowfocus --sync "$wid" >/dev/null 2>&1
  xdotool key --clearmodifiers alt >/dev/null 2>&1
  sleep 0.3
  xdotool key Return >/dev/null 2>&1
  sleep 0.5
  xdotool key Up Return >/dev/null 2>&1
  for _ in $(seq 30); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if ! kill -0 $pid 2>/dev/null; then
    # The program's own exit status: a sanitizer build exits non-zero on a finding at exit.
    wait $pid
    echo "EXIT $?"
    exit 0
  fi
done
echo "STILL RUNNING"
kill $pid
exit 4
