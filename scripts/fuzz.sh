#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz, writes their seed
# corpora, replays the kept findings of tests/bad/, and runs each target for a
# bounded time, one at a time.
#
#   scripts/fuzz.sh [seconds per target] [target ...]
#
# Seconds default to 60; targets default to all: bmp jpeg game track entry.
# The corpus a target grows is kept in build/fuzz/work/<target>/ and taken up
# again by the next run; a crashing, leaking, hanging or oversized input is
# written to build/fuzz/findings/<target>/ and the script fails. Each run's
# log is in build/fuzz/logs/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then targets=(bmp jpeg game track entry); fi

# The longest input a target is given: small for speed, since every header
# field and offset can be reached by a short file (the decoders stop at the
# end of the bytes). The 2,000,000-byte room of TrackData and files larger
# still are tested by the hostile entries table (tests/hostile/).
max_len_of() {
  case "$1" in
    track) echo 65536 ;;
    game) echo 16384 ;;
    bmp) echo 8192 ;;
    jpeg) echo 16384 ;;
    entry) echo 81920 ;;
    *) echo "unknown fuzz target: $1" >&2; exit 2 ;;
  esac
}

build=build/fuzz
for t in "${targets[@]}"; do max_len_of "$t" >/dev/null; done

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHC_BUILD_FUZZ=ON \
  -DTHC_BUILD_TESTS=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
build_targets=(make-fuzz-seeds)
for t in "${targets[@]}"; do build_targets+=("${t}_fuzzer"); done
cmake --build "$build" -j"$(nproc)" --target "${build_targets[@]}"

rm -rf "$build/corpus"
"$build/fuzz/make-fuzz-seeds" "$build/corpus"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"

failed=()
mkdir -p "$build/logs"
for t in "${targets[@]}"; do
  fuzzer="$build/fuzz/${t}_fuzzer"
  work="$build/work/$t"
  findings="$build/findings/$t"
  log="$build/logs/$t-$(date -u +%Y%m%dT%H%M%SZ).log"
  mkdir -p "$work" "$findings"
  bad=()
  if [[ -d "tests/bad/$t" ]]; then bad=("tests/bad/$t"); fi

  echo "== $t: $seconds s, max_len $(max_len_of "$t")"
  # One process at a time, at low priority: the machine is shared.
  if nice -n 10 "$fuzzer" -max_total_time="$seconds" -max_len="$(max_len_of "$t")" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$work" "$build/corpus/$t" "${bad[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "   ok: ${runs:-?} executions ($log)"
  else
    echo "   FINDING: see $log and $findings/"
    grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -n 8 | sed 's/^/   /'
    failed+=("$t")
  fi
done

if ((${#failed[@]})); then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
echo "fuzzing: no finding in ${targets[*]}"
