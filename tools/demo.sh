#!/usr/bin/env bash
# Runs the staged program on the display (or, without one, on a virtual X
# server) against the sample device.
set -euo pipefail
build=${1:?build directory}
bin="$build/stage/bin/velmora"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running on a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a "$bin" /dev/null "Velmora Demo"
fi
exec "$bin" /dev/null "Velmora Demo"
