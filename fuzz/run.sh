#!/usr/bin/env bash
# fuzz/run.sh BUILD_DIR SECONDS CORPUS_DIR CRASH_DIR [TARGET...]
# Runs each fuzz target for SECONDS, one after the other, starting from the seed
# corpus in fuzz/corpus/<target> copied into CORPUS_DIR/<target> (which keeps
# what the run finds). Inputs that crash land in CRASH_DIR/<target>/.
# Exits 1 when any target crashed, leaked, timed out or broke an invariant.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$1 seconds=$2 corpus=$3 crashes=$4
shift 4
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings_ini catalogue language_header form_location storage_file checksum_file)

failed=()
for t in "${targets[@]}"; do
  exe="$build/fuzz_$t"
  if [ ! -x "$exe" ]; then
    echo "fuzz: $exe is missing" >&2
    failed+=("$t")
    continue
  fi
  mkdir -p "$corpus/$t" "$crashes/$t"
  cp -n "$here/corpus/$t/"* "$corpus/$t/" 2>/dev/null
  log="$crashes/$t.log"
  start=$SECONDS
  # -timeout: one input that takes longer counts as a hang.
  "$exe" -max_total_time="$seconds" -timeout=10 -dict="$here/dict/$t.dict" \
    -artifact_prefix="$crashes/$t/" -print_final_stats=1 "$corpus/$t" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ $rc -eq 0 ]; then
    echo "fuzz_$t: clean, ${runs:-?} inputs in $((SECONDS - start)) s"
  else
    echo "fuzz_$t: FAILED (exit $rc) after $((SECONDS - start)) s; the input is in $crashes/$t/"
    grep -E -A12 'runtime error|broken invariant|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)' "$log" | head -40
    grep -E '^Base64:|Test unit written' "$log"
    echo "Keep it as a regression case: copy it into fuzz/regressions/$t/ and fix the reader."
    failed+=("$t")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: ${#failed[@]} target(s) failed: ${failed[*]}"
  exit 1
fi
echo "fuzz: all ${#targets[@]} targets clean"
