#!/usr/bin/env bash
# `make fuzz`: runs every fuzz target of the given fuzzing program in turn, FUZZ_SECONDS in all
# (shared evenly), and prints per target the inputs tried, the new crashes and the slowest input.
#
#   FUZZ_SECONDS  time for all targets together (default 240)
#   FUZZ_COUNT    stop a target after this many inputs instead (0: by time only)
#   FUZZ_TARGETS  the targets to run (default: all)
#   FUZZ_SEED     the first seed (default: a fresh one, printed, so a run can be repeated)
#   FUZZ_OUT      where findings go (default: out): fuzz-crashes/<target>/ holds each input that
#                 crashed (.crash) or hung (.hang), fuzz-slowest/<target> the slowest input.
#
# A crash ends the fuzzing program; the target goes on with the next seed for the time left.
# Replay a saved input with: <program> --replay <file> <target>
set -uo pipefail
fuzz=${1:?usage: fuzz.sh <vendamo_fuzz program>}
seconds=${FUZZ_SECONDS:-240}
count=${FUZZ_COUNT:-0}
out=${FUZZ_OUT:-out}
seed=${FUZZ_SEED:-$(( (RANDOM << 15 | RANDOM) + 1 ))}
targets=${FUZZ_TARGETS:-$("$fuzz" --list)}

# One allocation beyond 1 GB and a process beyond 3 GB are findings; the first sanitizer report
# ends the program (leaks are not looked for: the readers' objects live in Qt's parent trees).
export ASAN_OPTIONS=${ASAN_OPTIONS:-max_allocation_size_mb=1024:allocator_may_return_null=0:hard_rss_limit_mb=3072:detect_leaks=0:handle_abort=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export QT_QPA_PLATFORM=offscreen

n=$(echo $targets | wc -w)
share=$(( seconds / n > 0 ? seconds / n : 1 ))
echo "fuzz: seed $seed, $share s per target, findings in $out/fuzz-crashes/"
status=0
for t in $targets; do
  dir="$out/fuzz-crashes/$t"
  mkdir -p "$dir"
  before=$(ls "$dir" | wc -l)
  start=$(date +%s)
  inputs=0; slowest=0; runs=0
  while :; do
    left=$(( share - ($(date +%s) - start) ))
    [ "$left" -gt 0 ] || break
    line=$(nice -n 19 "$fuzz" --seconds "$left" --count "$count" --seed "$seed" --out "$out" "$t" 2>"$out/fuzz-$t.log" | tail -1)
    rc=$?
    seed=$((seed + 1)); runs=$((runs + 1))
    if [ $rc -eq 0 ] && [ -n "$line" ]; then
      set -- $line
      inputs=$((inputs + $2))
      ms=${@: -2:1}
      [ "$ms" -gt "$slowest" ] && slowest=$ms
      break
    fi
    status=1
    done_before=$(grep -o "input [0-9]* of this run" "$out/fuzz-$t.log" | grep -o "[0-9]*")
    inputs=$((inputs + ${done_before:-0}))
    echo "fuzz: $t: finding (see $out/fuzz-$t.log):"; grep -m3 -E "ERROR|runtime error|escaped|longer than|saved in" "$out/fuzz-$t.log" | sed 's/^/    /'
    cp "$out/fuzz-$t.log" "$out/fuzz-$t.$runs.log"
  done
  new=$(( $(ls "$dir" | wc -l) - before ))
  printf '%-17s %10d inputs in %5d s, %d new crashes, slowest %d ms (%s)\n' \
    "$t" "$inputs" "$(( $(date +%s) - start ))" "$new" "$slowest" "$out/fuzz-slowest/$t"
done
exit $status
