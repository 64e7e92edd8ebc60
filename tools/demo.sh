#!/usr/bin/env bash
# Runs the staged program on a simulated device that serves the sample
# device's description and keeps what Apply sends (devsim --apply).
#
# With a display the window opens there; closing it stops the simulator.
# Without one, the program runs on a virtual X server (xvfb-run): once the
# window is shown a screenshot of the screen is saved, its path printed,
# and the program and the simulator are ended.
set -euo pipefail
build=${1:?usage: tools/demo.sh build-dir}
top=$(cd "$(dirname "$0")/.." && pwd)
bin=$build/stage/bin/velmora
devsim=$build/tools/devsim
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-demo.XXXXXX")
node=$work/device
record=$work/record.jsonl
sim=

stop_simulator() {
  if [ -n "$sim" ] && kill -0 "$sim" 2>/dev/null; then
    kill -TERM "$sim" 2>/dev/null || true
    wait "$sim" 2>/dev/null || true
  fi
}
trap stop_simulator EXIT

"$devsim" --apply --record "$record" "$top/samples/sample_mfp.xml" "$node" >"$work/devsim.out" 2>"$work/devsim.err" &
sim=$!
for _ in $(seq 100); do
  [ -s "$work/devsim.out" ] && break
  kill -0 "$sim" 2>/dev/null || { cat "$work/devsim.err" >&2; exit 1; }
  sleep 0.1
done
[ -s "$work/devsim.out" ] || { echo "the simulated device did not start" >&2; exit 1; }
echo "Simulated device on $node (received requests go to $record)." >&2

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  status=0
  "$bin" "$node" "Velmora Demo" || status=$?
  echo "What the device received: $record" >&2
  exit "$status"
fi

echo "No display: running on a virtual X server (xvfb-run) and taking a screenshot." >&2
shot=$work/velmora-demo.png
export VELMORA_DEMO_BIN=$bin VELMORA_DEMO_NODE=$node VELMORA_DEMO_SHOT=$shot VELMORA_DEMO_LOG=$work/velmora.log
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$VELMORA_DEMO_BIN" "$VELMORA_DEMO_NODE" "Velmora Demo" 2>"$VELMORA_DEMO_LOG" &
  program=$!
  shown=
  for _ in $(seq 300); do
    kill -0 "$program" 2>/dev/null || break
    if xwininfo -name Velmora 2>/dev/null | grep -q "Map State: IsViewable"; then shown=1; break; fi
    sleep 0.1
  done
  # The window is mapped; give it a moment to draw its contents.
  [ -n "$shown" ] && sleep 1 && import -window root "$VELMORA_DEMO_SHOT"
  kill -TERM "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  [ -n "$shown" ]
' || { echo "the window was not shown; the program said:" >&2; cat "$work/velmora.log" >&2; exit 1; }
echo "$shot"
