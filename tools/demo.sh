#!/usr/bin/env bash
# Runs the staged program on the display, or on a virtual X server when
# there is none. Until the program has a device controller it ends in its
# "Cannot get printer settings!" box.
set -euo pipefail
build=${1:?usage: tools/demo.sh build-dir}
bin=$build/stage/bin/velmora
args=(/dev/null "Velmora Demo")
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin" "${args[@]}"
fi
echo "No display: running on a virtual X server (xvfb-run); stop it with Ctrl+C." >&2
exec xvfb-run -a "$bin" "${args[@]}"
