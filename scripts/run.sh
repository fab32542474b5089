#!/usr/bin/env bash
# `make run`: the main job. Generates the demo database and renders the customer list example
# to PDF under out/, then says where it is.
set -euo pipefail
build=${1:-build}
out=out
mkdir -p "$out"
pdf=$("$build/examples/customer_list_example" "$out")
echo "Demo database: $out/demodb"
echo "Customer list rendered to: $pdf"
