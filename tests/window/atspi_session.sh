#!/usr/bin/env bash
# The window as Orca sees it through AT-SPI, once: under a private session
# bus with its own accessibility bus, the program on a virtual display with
# Qt's accessibility bridge on, read back by python3-pyatspi
# (atspi_names.py). Skipped, and says so, only when the accessibility bus
# cannot start.
#   atspi_session.sh OHMORA ATSPI_NAMES.PY
set -euo pipefail
ohmora=$1 script=$2
if [ -z "${OHMORA_PRIVATE_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null || {
    echo "SKIP: dbus-run-session is missing, no session bus for AT-SPI (package dbus-daemon)"
    exit 77
  }
  OHMORA_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh)"; exit 1; }
done
# Debian's Python, where python3-pyatspi is, whatever python3 comes first.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi is missing"; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
# Polls up to 300 times, 0,1 s apart.
poll() {
  for _ in $(seq 300); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# The display is one Xvfb finds free, and says once it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
poll test -s "$work/display" || {
  echo "FAIL: the virtual display did not start"
  cat "$work/xvfb.log"
  exit 1
}
export DISPLAY=":$(head -n 1 "$work/display")"

launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "SKIP: $launcher is missing, no accessibility bus (package at-spi2-core)"; exit 77; }
"$launcher" --launch-immediately >"$work/bus.log" 2>&1 &
pids+=($!)
bus_ready() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1
}
poll bus_ready || { echo "SKIP: the accessibility bus could not start: $(cat "$work/bus.log")"; exit 77; }

mkdir "$work/dir"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
# The script listens first, then starts the program, which learns of the
# listener as it joins the bus.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$python" "$script" "$ohmora" --dir "$work/dir"
