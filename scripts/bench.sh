#!/usr/bin/env bash
# `make bench`: runs every benchmark program and prints its "bench <name>: ..." lines.
set -uo pipefail
build=${1:-build}
status=0
found=0
for b in "$build"/bench/*_bench; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b" || status=1
done
[ $found -eq 1 ] || echo "no benchmarks built yet"
exit $status
