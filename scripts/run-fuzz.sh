#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time, starting from its seeds in
# tests/fuzz/corpus/<name>/; a crash leaves its input in
# tests/fuzz/crashes/<name>/ for the ordinary test run to replay.
set -euo pipefail
build=$1
seconds=${2:-60}
status=0
for target in "$build"/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target"); name=${name#fuzz_}
  crashes=tests/fuzz/crashes/$name
  mkdir -p "$crashes"
  corpus=$(mktemp -d)
  if [ -d "tests/fuzz/corpus/$name" ]; then
    cp tests/fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  fi
  echo "== $name ($seconds s)"
  if ! "$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$crashes/" -print_final_stats=1; then
    status=1
  fi
  rm -rf "$corpus"
done
exit $status
