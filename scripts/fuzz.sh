#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang into build-fuzz/ (or $FUZZ_BUILD_DIR) and runs each of them
# for the given number of seconds (default 20) over its seed corpus in tests/fuzz/corpus/<target>/.
# New inputs the fuzzer finds go to <build>/corpus/<target>/, so the seeds in the tree stay as they
# are; a crash or a violated property stops the run, and the input is kept in <build>/artifacts/.
#   scripts/fuzz.sh            20 s per target (what CI runs)
#   scripts/fuzz.sh 3600       an hour per target
#   scripts/fuzz.sh 600 http_response   only the named targets
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/generator.sh
seconds=${1:-20}
shift || true
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${FUZZ_BUILD_JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DZIEHFIX_FUZZ=ON -DZIEHFIX_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j"$jobs" --target ziehfix_fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(find tests/fuzz/corpus -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)
fi

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
mkdir -p "$build_dir/artifacts" "$build_dir/logs"
for t in "${targets[@]}"; do
  mkdir -p "$build_dir/corpus/$t"
  log="$build_dir/logs/$t.log"
  # -timeout: an input that runs longer than 10 s counts as a hang; -rss_limit_mb bounds the memory.
  # FUZZ_SEED fixes libFuzzer's random seed (CI uses 1, so a red run is a change, not a lucky draw);
  # unset, every run explores anew.
  seed=()
  if [ -n "${FUZZ_SEED:-}" ]; then seed=(-seed="$FUZZ_SEED"); fi
  status=0
  "$build_dir/tests/fuzz/fuzz_$t" "$build_dir/corpus/$t" "tests/fuzz/corpus/$t" \
    "${seed[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -artifact_prefix="$build_dir/artifacts/$t-" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "fuzz_$t failed (exit $status); the input is kept in $build_dir/artifacts/, the log in $log" >&2
    exit "$status"
  fi
  echo "fuzz_$t: $(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1)"
done
