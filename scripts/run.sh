#!/usr/bin/env bash
# `make run`: the main job. Writes the demo database under out/demodb; with a display it opens
# the designer on the customer list demo report, otherwise (or while there is no designer) it
# renders every demo report to out/<name>.pdf and says where they are.
set -euo pipefail
build=${1:-build}
out=out
reports="$build/examples/reports"
tool="$build/apps/vendamo/vendamo"
designer="$build/apps/designer/vendamo-designer"

for needed in "$build/examples/make_demodb" "$tool"; do
  [[ -x "$needed" ]] || { echo "run.sh: $needed is missing; build first (make run does)" >&2; exit 1; }
done
shopt -s nullglob
files=("$reports"/*.QR2)
[[ ${#files[@]} -gt 0 ]] || { echo "run.sh: no demo reports in $reports; build first (make run does)" >&2; exit 1; }

mkdir -p "$out"
log="$out/run.log"
: >"$log"
# Messages go to the log and are shown only when a step fails.
step() { "$@" >>"$log" 2>&1 || { cat "$log" >&2; echo "run.sh: failed: $*" >&2; exit 1; }; }

step "$build/examples/make_demodb" "$out/demodb"
# The demo reports' datasets name the alias DEMODB: the directory of table files.
alias="DEMODB=$(cd "$out/demodb/tables" && pwd)"

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -x "$designer" ]]; then
  exec "$designer" "$reports/customer-list.QR2" --alias "$alias"
fi

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
echo "Demo database: $out/demodb"
for report in "${files[@]}"; do
  name=$(basename "$report" .QR2)
  step "$tool" render "$report" -o "$out/$name.pdf" --alias "$alias"
  echo "Rendered $name: $out/$name.pdf"
done
