#!/usr/bin/env bash
# A recording started and stopped by keys alone in the real window, on a
# virtual display with a window manager that gives the window the focus:
# Tab to the schematic, "1" puts K on contact 1 and records, Tab to
# "Effacer" and Space erases the graph and ends the recording, Alt+F and
# Enter close the program. Every step waits for the program's own journal
# (--journal), polled a bounded number of times.
#   keyboard_session.sh OHMORA
set -euo pipefail
ohmora=$1
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/setup.sh)"; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Polls `condition` up to 300 times, 0,1 s apart (30 s at most).
wait_for() {
  local what=$1
  shift
  for _ in $(seq 300); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  echo "FAIL: no $what"
  for log in journal xvfb.log openbox.log ohmora.log; do
    echo "--- $log:"
    cat "$work/$log" 2>/dev/null || true
  done
  exit 1
}
journal_has() { grep -qx -- "$1" "$work/journal" 2>/dev/null; }

# The display is one Xvfb finds free, and says once it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for "virtual display" test -s "$work/display"
export DISPLAY=":$(head -n 1 "$work/display")"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for "window manager" wm_ready

mkdir "$work/dir"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_LINUX_ACCESSIBILITY_ALWAYS_ON
"$ohmora" --dir "$work/dir" --journal "$work/journal" >"$work/ohmora.log" 2>&1 &
program=$!
pids+=("$program")

# The window has the focus: its first control takes it.
wait_for "focus on the first button" journal_has "focus Command2"
for _ in $(seq 7); do xdotool key Tab; done
wait_for "focus on the schematic" journal_has "focus schema"
xdotool key 1
wait_for "K on contact 1" journal_has "K 1"
wait_for "a recording" journal_has "enregistrement début"
xdotool key Tab Tab
wait_for "focus on Effacer" journal_has "focus Command3"
xdotool key space
wait_for "the end of the recording" journal_has "enregistrement fin"
wait_for "K open" journal_has "K 0"

# Closed by the keys too: "&Fermer", then OK on "Quitter vraiment Ohmora ?".
xdotool key alt+f
# The question's buttons have no name of their own: their class stands in.
wait_for "the closing question" journal_has "focus QPushButton"
xdotool key Return
wait_for "the program's end" bash -c "! kill -0 $program 2>/dev/null"
if ! wait "$program"; then
  echo "FAIL: the program ended with an error"
  cat "$work/ohmora.log"
  exit 1
fi
echo "OK: $(tr '\n' ';' <"$work/journal")"
