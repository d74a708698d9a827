# Sourced by scripts: one display and one persistent Wine server for a whole
# run over one build folder, so that each test program starts quickly.
source "$root/scripts/display.sh"

session_start() {
  session_build=$1
  "$root/scripts/wine-env" --build "$session_build" --init
  session_display=0
  if [ -z "${DISPLAY:-}" ]; then
    display_start
    session_display=1
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
  [ "${session_display:-0}" = 1 ] && display_stop
  session_build= session_display=0
}
