# Sourced by scripts: one Xvfb display and one persistent Wine server for a
# whole run over one build folder, so that each test program starts quickly.
session_start() {
  session_build=$1
  "$root/scripts/wine-env" --build "$session_build" --init
  session_xvfb=
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
      session_xvfb=
    done
  fi
  WINEPREFIX=$session_build/wineprefix wineserver -p >/dev/null 2>&1 || true
  # Wine's own helper processes (services, desktop) start with the first
  # program and live on with the server; start them here, detached from any
  # output pipe a test runner waits on.
  "$root/scripts/wine-env" --build "$session_build" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

session_stop() {
  [ -n "${session_build:-}" ] || return 0
  WINEPREFIX=$session_build/wineprefix wineserver -k >/dev/null 2>&1 || true
  if [ -n "${session_xvfb:-}" ]; then
    kill "$session_xvfb" 2>/dev/null || true
    wait "$session_xvfb" 2>/dev/null || true
    unset DISPLAY
  fi
  session_build= session_xvfb=
}
