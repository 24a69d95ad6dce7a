#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time, starting from
# its committed corpus. A crash fails the run and leaves the input in the
# build directory; commit it to the corpus as a regression case.
set -euo pipefail
build=$(cd "${1:?fuzz build directory}" && pwd)
seconds=${2:-60}
source_dir="$(cd "$(dirname "$0")/.." && pwd)"

shopt -s nullglob
targets=("$build"/bin/fuzz_*)
if [[ ${#targets[@]} -eq 0 ]]; then
  echo "no fuzz targets built"; exit 0
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  seeds="$source_dir/tests/fuzz/corpus/$name"
  work="$build/corpus/$name"
  mkdir -p "$work"
  [[ -d "$seeds" ]] && cp -n "$seeds"/* "$work"/ 2>/dev/null || true
  echo "== $name for ${seconds}s ($(ls "$work" | wc -l) inputs)"
  (cd "$build" && "$target" -max_total_time="$seconds" -print_final_stats=1 "$work")
  # Every committed input must still pass on its own.
  [[ -d "$seeds" ]] && (cd "$build" && "$target" -runs=0 "$seeds")
done
