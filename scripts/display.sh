# Sourced by scripts: a virtual display of our own, and waiting for windows
# on it. Xvfb picks a free display number itself (-displayfd), so several
# runs on one machine never race for one.

# display_start: starts Xvfb and exports DISPLAY; display_pid is its process.
display_start() {
  local fifo n=
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/tastenfang-display.XXXXXX")
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null &
  display_pid=$!
  # Xvfb writes the number once it accepts clients; it ends the line, or
  # the read ends when Xvfb dies before that.
  read -r -t 30 n <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$n" ] || ! kill -0 "$display_pid" 2>/dev/null; then
    kill "$display_pid" 2>/dev/null || true
    display_pid=
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=":$n"
}

display_stop() {
  [ -n "${display_pid:-}" ] || return 0
  kill "$display_pid" 2>/dev/null || true
  wait "$display_pid" 2>/dev/null || true
  display_pid=
  unset DISPLAY
}

# window_find CAPTION [LIMIT]: prints the X window of the visible top-level
# window with exactly that caption, once it is there (LIMIT in seconds).
window_find() {
  local id deadline=$((SECONDS + ${2:-20}))
  while [ $SECONDS -le $deadline ]; do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "no window \"$1\" appeared" >&2
  return 1
}

# window_gone CAPTION: waits until no visible window has that caption.
window_gone() {
  local deadline=$((SECONDS + 20))
  while [ $SECONDS -le $deadline ]; do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "the window \"$1\" stayed open" >&2
  return 1
}

# window_shot WINDOW FILE: saves the window (root for the whole screen) once
# it is painted: two captures in a row alike, and more than the one colour
# of a window not painted yet.
window_shot() {
  local target=(-window "$1") prev= cur deadline=$((SECONDS + 20))
  cur=$(mktemp "${TMPDIR:-/tmp}/tastenfang-shot.XXXXXX.png")
  while :; do
    import "${target[@]}" "$cur" 2>/dev/null || true
    local sum colours
    sum=$(md5sum <"$cur")
    colours=$(identify -format %k "$cur" 2>/dev/null || echo 0)
    if [ "$sum" = "$prev" ] && [ "${colours:-0}" -gt 1 ]; then break; fi
    if [ $SECONDS -gt $deadline ]; then
      echo "the window did not settle; saving it as it is" >&2
      break
    fi
    prev=$sum
    sleep 0.2
  done
  cat "$cur" >"$2"
  rm -f "$cur"
}

# window_keys WINDOW KEY...: types into that window, whatever had the focus.
window_keys() {
  local id=$1
  shift
  xdotool windowfocus --sync "$id" key "$@"
}
