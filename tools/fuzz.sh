#!/usr/bin/env bash
# Builds the fuzz targets (clang, with AddressSanitizer and UBSan, in a build
# tree of their own) and runs each in turn for the given number of seconds
# (default 600). Each starts from its seed corpus (fuzz/corpus/<target>) and
# the corpus it grew in earlier runs (<build>/corpus/<target>). A finding
# stops the run with a non-zero exit and leaves its reproducer in
# <build>/findings/<target>/; replay one with <build>/fuzz/<target> <file>.
#
#   tools/fuzz.sh [seconds] [target...]
#
# The Debian packages come with `tools/setup.sh test`; the build tree is
# build-fuzz/ unless VELMORA_FUZZ_BUILD names another.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
[ $# -gt 0 ] && shift
build=${VELMORA_FUZZ_BUILD:-$top/build-fuzz}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$top"/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

if ! command -v clang++-14 >/dev/null; then
  echo "clang++-14 is missing: run tools/setup.sh test (as root) first" >&2
  exit 1
fi
# -O1 with line tables: what fuzzers are usually built with, quick to
# compile and still telling where a fault lies.
# ccache as in tools/setup.sh, when it is there.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$top} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS_RELEASE="-O1 -gline-tables-only" \
  -DVELMORA_FUZZ=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

# Leaks are looked for after every input; Qt keeps its caches for the whole
# run, and those are reachable, not leaked.
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  log=$build/$target.log
  mkdir -p "$corpus" "$findings"
  case "$target" in
    fuzz_device) dict=device ;;
    fuzz_translation) dict=translation ;;
    *) dict=description ;;
  esac
  echo "== $target: $seconds s (log: $log)"
  status=0
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -dict="$top/fuzz/$dict.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
    "$corpus" "$top/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  # The last status line: executions, coverage (cov, ft), corpus size.
  grep -E '^#[0-9]+' "$log" | tail -n 1 || true
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
  if [ $status -ne 0 ]; then
    echo "$target found a fault (exit $status); reproducer in $findings:" >&2
    ls "$findings" >&2
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -n 20 >&2 || true
    exit 1
  fi
done
