# Sourced by scripts: one Xvfb display and one persistent Wine server for a
# whole run, so that each test program starts quickly.
session_start() {
  local build=$1
  "$root/scripts/wine-env" --build "$build" --init
  if [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 140); do
      [ -e "/tmp/.X$n-lock" ] && continue
      Xvfb ":$n" -screen 0 1280x1024x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
      session_xvfb=$!
      for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
      done
      if kill -0 "$session_xvfb" 2>/dev/null; then
        export DISPLAY=":$n"
        break
      fi
    done
  fi
  export WINEPREFIX=$build/wineprefix
  wineserver -p >/dev/null 2>&1 || true
  # Wine's own helper processes (services, desktop) start with the first
  # program and live on with the server; start them here, detached from any
  # output pipe a test runner waits on.
  "$root/scripts/wine-env" --build "$build" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

session_stop() {
  WINEPREFIX=${WINEPREFIX:-} wineserver -k >/dev/null 2>&1 || true
  if [ -n "${session_xvfb:-}" ]; then kill "$session_xvfb" 2>/dev/null || true; fi
}
