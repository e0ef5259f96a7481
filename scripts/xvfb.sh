#!/usr/bin/env bash
# Sourced by the test and benchmark commands: make_scratch NAME makes
# $SCRATCH, a temporary directory removed at exit with the X server;
# start_xvfb [WxH] starts a private headless X server (1920x1080 unless
# given: a common desktop, big enough for the designed window and for the
# fullscreen tests) on the first free display from :99 and exports DISPLAY
# (its cookie and log go to $SCRATCH);
# stop_xvfb stops it.
# Always a server of our own, even when DISPLAY is set, so that nothing
# opens windows or sends keys on a developer's desktop.

XVFB_PID=
SCRATCH=

make_scratch() {
  SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX") || return 1
  trap 'stop_xvfb; rm -rf "$SCRATCH"' EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}

stop_xvfb() {
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  fi
}

start_xvfb() {
  local size=${1:-1920x1080}
  local n cookie i
  export XAUTHORITY="$SCRATCH/Xauthority"
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  for ((n = 99; n < 200; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    : >"$XAUTHORITY"
    xauth -q -f "$XAUTHORITY" add ":$n" . "$cookie"
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset -auth "$XAUTHORITY" \
      >"$SCRATCH/xvfb-$n.log" 2>&1 &
    XVFB_PID=$!
    # Up to 10 s for it to answer; if it dies (display taken meanwhile), try the next.
    for ((i = 0; i < 100; i++)); do
      if ! kill -0 "$XVFB_PID" 2>/dev/null; then
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
        break
      fi
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    if [[ -n "$XVFB_PID" ]]; then
      kill "$XVFB_PID" 2>/dev/null
      wait "$XVFB_PID" 2>/dev/null
      XVFB_PID=
    fi
  done
  echo "could not start Xvfb on any display from :99 to :199" >&2
  cat "$SCRATCH"/xvfb-*.log >&2 2>/dev/null
  return 1
}
