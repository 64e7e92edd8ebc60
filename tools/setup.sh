#!/usr/bin/env bash
# Builds Velmora and runs either its main job (demo) or every test suite
# (test). Missing Debian packages are installed when run as root; otherwise
# the install line is printed and nothing else happens.
#
#   tools/setup.sh demo|test [build-dir] [extra cmake options...]
set -euo pipefail

usage() {
  echo "usage: tools/setup.sh demo|test [build-dir] [extra cmake options...]" >&2
  exit 2
}
[ $# -ge 1 ] || usage
job=$1
shift
case "$job" in demo | test) ;; *) usage ;; esac
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tools/aptpackages.sh"
build=$top/build
if [ $# -ge 1 ]; then
  build=$1
  shift
fi

# qt6-tools-dev and qt6-l10n-tools compile the program's catalogues;
# qt6-translations-l10n holds Qt's own (standard buttons).
# ccache keeps compiled objects across clean clones (its cache lives in the
# user's home), so a fresh checkout rebuilds only what changed.
# scdoc writes the manual pages.
packages=(cmake ninja-build g++ ccache qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n scdoc)
# Without a display of its own the demo runs on a virtual X server, waits
# for its window (xwininfo) and takes a screenshot (ImageMagick).
[ "$job" = demo ] && packages+=(xvfb xauth x11-utils imagemagick)
# The localization tests run under a German locale; the fuzz targets
# (tools/fuzz.sh) are built with clang and its fuzzer runtime; the Ansible
# collection's test runs ansible-playbook.
[ "$job" = test ] && packages+=(locales clang-14 libclang-rt-14-dev ansible-core)
# The menu entry and AppStream validators, man to render the manual pages
# (col from bsdextrautils), setpriv for doctor's runs as another user.
[ "$job" = test ] && packages+=(desktop-file-utils appstream man-db bsdextrautils util-linux)
install_missing "${packages[@]}"

if [ "$job" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "The tests need the de_DE.UTF-8 locale. Generate it as root with:" >&2
    echo "sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen && locale-gen"
    exit 1
  fi
  sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi

# Paths below the clone are hashed relative to it and the build directory is
# left out of the hash, so another clone's objects are found in the cache too
# (their debug information then names the directory they were built in).
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
# Two jobs: the reference machine has two cores. The demo needs only the
# program and the simulator, not the suites and benchmarks.
case "$job" in
  test) cmake --build "$build" -j2 ;;
  demo) cmake --build "$build" -j2 --target velmora devsim ;;
esac

case "$job" in
  test) ctest --test-dir "$build" --output-on-failure -j2 ;;
  demo) exec "$top/tools/demo.sh" "$build" ;;
esac
