#!/usr/bin/env bash
# `make run`: the main job. Shows what has been built so far.
set -euo pipefail
build=${1:-build}
echo "Vendamo is built in $build:"
find "$build" -maxdepth 3 -type f \( -name '*.a' -o -perm -u+x \) -newer CMakeLists.txt \
  \( -path "*/src/*" -o -path "*/apps/*" \) 2>/dev/null | sort | sed 's/^/  /'
