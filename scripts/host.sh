# Sourced by scripts: what this host can run, found out by trying it.
#
# TASTENFANG_64BIT_ONLY=1 makes a host that runs 32-bit code behave as one
# that runs 64-bit code only, so that path can be tried anywhere.

# The smallest static i386 Linux program: exit(42). It needs no 32-bit
# libraries, so it runs exactly where the kernel runs 32-bit code.
host_probe_32bit() {
  local probe
  probe=$(mktemp "${TMPDIR:-/tmp}/tastenfang-i386-probe.XXXXXX") || return 1
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'`
         `'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'`
         `'\000\000\000\000\000\000\000\000\064\000\040\000\001\000\050\000'`
         `'\000\000\000\000'`
         `'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'`
         `'\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000'`
         `'\061\333\263\052\061\300\100\315\200' >"$probe"
  chmod +x "$probe"
  local rc=0
  "$probe" 2>/dev/null || rc=$?
  rm -f "$probe"
  [ "$rc" -eq 42 ]
}

host_runs_32bit() {
  [ "${TASTENFANG_64BIT_ONLY:-0}" = 1 ] && return 1
  host_probe_32bit
}

wine32_loader=/usr/lib/wine/wine
# Beside the build: wine32 could not be installed here (scripts/setup).
wine32_stamp=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine32-unavailable
wine64_loader=/usr/lib/wine/wine64

# The 32-bit Wine loader is installed and starts (it is a 32-bit program
# with 32-bit libraries).
host_runs_wine32() {
  host_runs_32bit && [ -x "$wine32_loader" ] && "$wine32_loader" --version >/dev/null 2>&1
}

# Why the 32-bit suite does not run here, in a few words; empty when it does.
host_no_wine32_reason() {
  if [ "${TASTENFANG_64BIT_ONLY:-0}" = 1 ]; then
    echo "TASTENFANG_64BIT_ONLY=1 makes this host behave as a 64-bit-only one"
  elif ! host_probe_32bit; then
    echo "this host runs 64-bit code only (its kernel refuses 32-bit programs)"
  elif [ ! -x "$wine32_loader" ] && [ -f "$wine32_stamp" ]; then
    echo "wine32 could not be installed here ($(head -1 "$wine32_stamp" | grep -o 'on [0-9-]*' || true); 'scripts/setup --retry-32bit' tries again)"
  elif [ ! -x "$wine32_loader" ]; then
    echo "wine32 is not installed"
  elif ! "$wine32_loader" --version >/dev/null 2>&1; then
    echo "wine32 is installed but does not start"
  fi
}
