#!/bin/sh
# Renders each manual page as man does; fails on any warning of the
# formatter, or when a page lacks one of the words listed after it.
# Usage: checkman.sh page.1 [word...] [page.1 [word...]]
status=0
for arg in "$@"; do
  case $arg in
    *.1) page=$arg
      warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
      [ -z "$warnings" ] || { echo "$page: $warnings"; status=1; }
      text=$(MANWIDTH=80 man -E UTF-8 -l "$page" 2>/dev/null | col -b) ;;
    *) printf '%s\n' "$text" | grep -qF -- "$arg" || { echo "$page lacks '$arg'"; status=1; } ;;
  esac
done
exit $status
