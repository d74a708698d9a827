#!/usr/bin/env bash
# scripts/setup with stand-ins for the package tools: what it asks apt-get
# for, and that a failed wine32 install is remembered until --retry-32bit.
set -euo pipefail
scripts=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/tree/scripts" "$tmp/bin"
cp "$scripts/setup" "$scripts/host.sh" "$tmp/tree/scripts/"
stamp=$tmp/tree/build/wine32-unavailable

# Every package installed but those in $MISSING; apt-get records its calls
# and cannot install wine32:i386, as with an i386 list out of step.
cat >"$tmp/bin/dpkg-query" <<'SH'
#!/bin/sh
shift 2
for p; do
  name=${p%:*}
  case " $MISSING " in *" $p "*) ;; *) echo "installed $name" ;; esac
done
SH
cat >"$tmp/bin/apt-get" <<'SH'
#!/bin/sh
echo "$*" >>"$APT_LOG"
case "$*" in *wine32:i386*) echo "E: Unable to locate package wine32:i386"; exit 100 ;; esac
SH
printf '#!/bin/sh\n[ "$1" = --print-foreign-architectures ] && echo i386\nexit 0\n' >"$tmp/bin/dpkg"
printf '#!/bin/sh\necho de_DE.utf8\n' >"$tmp/bin/locale"
printf '#!/bin/sh\nexec "$@"\n' >"$tmp/bin/sudo"
chmod +x "$tmp/bin"/*
export PATH=$tmp/bin:$PATH APT_LOG=$tmp/apt.log
# The cases set it themselves; a 64-bit-only test run must not decide them.
unset TASTENFANG_64BIT_ONLY

source "$scripts/host.sh"
runs32=0
host_probe_32bit && runs32=1

fail=0
# check NAME APT-CALLS [VAR=VALUE...]: runs setup once, with $SETUP_ARGS.
check() {
  local name=$1 want=$2 got
  shift 2
  : >"$APT_LOG"
  env "$@" "$tmp/tree/scripts/setup" ${SETUP_ARGS:-} >"$tmp/out" 2>&1 || { echo "FAIL $name: setup failed"; cat "$tmp/out"; fail=1; return; }
  got=$(grep -c . "$APT_LOG" || true)
  if [ "$got" != "$want" ]; then echo "FAIL $name: $got apt-get calls, expected $want"; cat "$APT_LOG"; fail=1; fi
  if grep -qi suite "$tmp/out"; then echo "FAIL $name: setup speaks of the test suite"; fail=1; fi
}

check "nothing missing" 0 MISSING=
check "64-bit only, wine32 missing" 0 MISSING=wine32:i386 TASTENFANG_64BIT_ONLY=1
if [ $runs32 = 1 ]; then
  # update and the failed install, then nothing until asked to retry.
  check "wine32 fails" 2 MISSING=wine32:i386
  grep -qs "could not be installed on [0-9]" "$stamp" && grep -q "Unable to locate" "$stamp" ||
    { echo "FAIL: no dated stamp with apt's words"; fail=1; }
  check "wine32 failed before" 0 MISSING=wine32:i386
  SETUP_ARGS=--retry-32bit check "retry" 2 MISSING=wine32:i386
  [ -f "$stamp" ] || { echo "FAIL: a failed retry left no stamp"; fail=1; }
  check "a missing package with the stamp" 2 MISSING="wine32:i386 xdotool"
  grep -q "install .*xdotool" "$APT_LOG" || { echo "FAIL: xdotool not installed"; fail=1; }
else
  check "wine32 on a 64-bit-only host" 0 MISSING=wine32:i386
fi
exit $fail
