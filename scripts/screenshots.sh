#!/usr/bin/env bash
# `make screenshots`: pictures of the designer window on the demo reports, grabbed offscreen,
# in docs/screenshots/ (the README shows one).
set -euo pipefail
build=${1:-build}
designer="$build/apps/designer/vendamo-designer"
reports="$build/examples/reports"
out=docs/screenshots
for needed in "$designer" "$build/examples/make_demodb"; do
  [[ -x "$needed" ]] || { echo "screenshots.sh: $needed is missing; build first (make screenshots does)" >&2; exit 1; }
done
mkdir -p out "$out"
"$build/examples/make_demodb" out/demodb > out/screenshots.log 2>&1
alias="DEMODB=$(cd out/demodb/tables && pwd)"
export QT_QPA_PLATFORM=offscreen
# The window's own settings stay out of the user's configuration.
export XDG_CONFIG_HOME="$PWD/out/screenshots-config"
for name in customer-list invoice; do
  "$designer" "$reports/$name.QR2" --alias "$alias" --screenshot "$out/designer-$name.png" >> out/screenshots.log 2>&1
  echo "Wrote $out/designer-$name.png"
done
