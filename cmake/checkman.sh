#!/bin/sh
# Renders each manual page as man does and fails on any warning of the
# formatter, or when a page lacks one of the words that follow it.
# Usage: checkman.sh page.1 [--needs word...] [page.1 ...]
status=0
page=
for arg in "$@"; do
  case $arg in
    --needs) continue ;;
    *.1)
      page=$arg
      warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
      if [ -n "$warnings" ]; then echo "$page: $warnings"; status=1; fi
      text=$(MANWIDTH=80 man -E UTF-8 -l "$page" 2>/dev/null | col -b)
      ;;
    *)
      printf '%s\n' "$text" | grep -qF -- "$arg" || { echo "$page does not mention '$arg'"; status=1; } ;;
  esac
done
exit $status
