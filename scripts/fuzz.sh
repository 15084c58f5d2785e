#!/usr/bin/env bash
# Runs every fuzzer of build-fuzz for the given number of seconds (default 300) with its kept
# corpus (fuzz/<module>/corpus/...) and its largest allowed single allocation; new inputs found go
# to a scratch folder, not the repo.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-300}
if [ ! -d build-fuzz ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DLMN_FUZZ=ON -DLMN_BUILD_GUI=OFF -DLMN_BUILD_TESTS=OFF >/dev/null
  cmake --build build-fuzz
fi
status=0
while IFS=$'\t' read -r bin malloc_limit seeds; do
  [ -n "$bin" ] || continue
  name=$(basename "$bin")
  scratch=$(mktemp -d)
  printf '%-34s ' "$name"
  if "$bin" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
       -malloc_limit_mb="$malloc_limit" -print_final_stats=1 "$scratch" $seeds >"$scratch.log" 2>&1; then
    grep -m1 'stat::number_of_executed_units' "$scratch.log" | awk '{print $2 " executions, clean"}'
  else
    echo "FAILED"; tail -40 "$scratch.log"; status=1
  fi
  rm -rf "$scratch" "$scratch.log"
done < build-fuzz/fuzzers.txt
exit $status
