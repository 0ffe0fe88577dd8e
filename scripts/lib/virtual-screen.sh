# Shared by the scripts that run the program on a virtual screen (Xvfb): a free display, the
# processes to end on exit, and waiting for a condition with a time limit. Source it.

source "$(dirname "${BASH_SOURCE[0]}")/runtime-dir.sh"

VS_PIDS=()
VS_WORK=$(mktemp -d)

vs_cleanup() {
  local p
  for p in "${VS_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$VS_WORK"
}
trap vs_cleanup EXIT

# Runs the command until it succeeds, at most $1 seconds; false when time runs out.
wait_until() {
  local end=$((SECONDS + $1)); shift
  until "$@"; do
    ((SECONDS < end)) || return 1
    sleep 0.1
  done
}

# Starts Xvfb (1280 x 800) on the first free display from $1 on and exports DISPLAY.
start_virtual_screen() {
  local n
  for n in $(seq "$1" $(($1 + 50))); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    export DISPLAY=:$n
    # -noreset: an X server resets itself whenever its last client leaves and refuses
    # connections meanwhile; the readiness probe below is such a client, so without it the
    # program started right after could meet a resetting server on a slow machine.
    Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp -noreset >"$VS_WORK/xvfb.log" 2>&1 &
    VS_PIDS+=($!)
    # Ready once a client can connect, not merely once the socket exists.
    wait_until 10 xdotool getmouselocation >/dev/null 2>&1 && return 0
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
  done
  echo "no free display" >&2
  return 1
}
