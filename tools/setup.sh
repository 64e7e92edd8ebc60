#!/usr/bin/env bash
# Builds Velmora and runs either its main job (demo) or every test suite (test).
# Installs the missing Debian packages when run as root; otherwise prints the
# install line and stops.
set -euo pipefail

usage() { echo "usage: tools/setup.sh demo|test [build-dir] [extra cmake options...]" >&2; exit 2; }
[ $# -ge 1 ] || usage
job=$1; shift
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}; [ $# -ge 1 ] && shift

packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev)
[ "$job" = demo ] && packages+=(xvfb xauth)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  else
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
fi

cmake -S "$top" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build"

case "$job" in
  test)
    ctest --test-dir "$build" --output-on-failure -j2
    ;;
  demo)
    exec "$top/tools/demo.sh" "$build"
    ;;
  *) usage ;;
esac
