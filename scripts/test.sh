#!/usr/bin/env bash
# Sets up, builds and runs every test, then prints one line with how many passed and failed:
# - the CTest suites (tests labelled "display" under a virtual X server);
# - the tests named *Concurrent* again in a ThreadSanitizer build;
# - every unit test in an AddressSanitizer + UndefinedBehaviorSanitizer build (clang);
# - the two chunk fuzzers for a bounded time each (ORVANTA_FUZZ_SECONDS, default 60), starting
#   from generated chunks of every format and the regression inputs in tests/fuzz/regressions;
# - pluginval at strictness 10 on the VST 2, VST 3 and LV2 builds, when ../shared/tools has it.
set -uo pipefail
cd "$(dirname "$0")/.."

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
build_dir="${ORVANTA_BUILD_DIR:-build}"
fuzz_seconds="${ORVANTA_FUZZ_SECONDS:-60}"
pluginval="${ORVANTA_PLUGINVAL:-../shared/tools/pluginval/pluginval}"
log_dir="$build_dir/test-logs"
xvfb=(xvfb-run -a -s "-screen 0 1024x768x24")

passed=0
failed=0
failures=()

count() { # name passed failed
  passed=$((passed + $2)); failed=$((failed + $3))
  [ "$3" -eq 0 ] || failures+=("$1")
  echo "test.sh: $1: $2 passed, $3 failed"
}

# A step that could not run at all counts as one failure.
broken() { count "$1" 0 1; }

# ctest's summary: "100% tests passed, 0 tests failed out of 222".
run_ctest() { # name, then the command
  local name=$1 log out total fails; shift
  log=$(mktemp)
  "$@" >"$log" 2>&1
  cat "$log"
  out=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -1)
  if [ -z "$out" ]; then
    if grep -q "No tests were found" "$log"; then count "$name" 0 0; else broken "$name"; fi
    rm -f "$log"
    return
  fi
  rm -f "$log"
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$out")
  fails=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$out")
  count "$name" $((total - fails)) "$fails"
}

# GoogleTest's summary: "[  PASSED  ] 6 tests." and "[  FAILED  ] 2 tests, listed below:".
run_gtest() { # name, then the command
  local name=$1 log ok bad status; shift
  log=$(mktemp)
  "$@" >"$log" 2>&1; status=$?
  tail -n 30 "$log"
  ok=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | head -1)
  bad=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | head -1)
  rm -f "$log"
  if [ -z "$ok$bad" ]; then broken "$name"; return; fi
  bad=${bad:-0}
  # A sanitizer that stops the program after the tests ran still fails the step.
  [ "$status" -eq 0 ] || [ "$bad" -gt 0 ] || bad=1
  count "$name" "${ok:-0}" "$bad"
}

bash scripts/setup.sh || { echo "test.sh: setup failed" >&2; exit 1; }
bash scripts/build.sh || { echo "test.sh: build failed" >&2; exit 1; }
mkdir -p "$log_dir"

#------------------------------------------------------------------------------
run_ctest "ctest" ctest --test-dir "$build_dir" --output-on-failure -j 2 -LE display
run_ctest "ctest (display)" "${xvfb[@]}" ctest --test-dir "$build_dir" --output-on-failure -L display

#------------------------------------------------------------------------------
tsan_dir="${build_dir}-tsan"
if [ -f "$tsan_dir/build.ninja" ] || cmake -S . -B "$tsan_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
     -DORVANTA_SANITIZER=thread >/dev/null; then
  if cmake --build "$tsan_dir" --target orvanta-unit-tests; then
    TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
      run_gtest "ThreadSanitizer" "$tsan_dir/tests/orvanta-unit-tests" --gtest_filter='*Concurrent*'
  else broken "ThreadSanitizer build"; fi
else broken "ThreadSanitizer configure"; fi

#------------------------------------------------------------------------------
asan_dir="${build_dir}-asan"
fuzzers=(orvanta-bank-chunk-fuzzer orvanta-program-chunk-fuzzer)
if [ -f "$asan_dir/build.ninja" ] || cmake -S . -B "$asan_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
     -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DORVANTA_SANITIZER=address,undefined \
     -DORVANTA_FUZZ=ON >/dev/null; then
  if cmake --build "$asan_dir" --target orvanta-unit-tests orvanta-fuzz-seeds "${fuzzers[@]}"; then
    ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1" \
      run_gtest "AddressSanitizer + UndefinedBehaviorSanitizer" "$asan_dir/tests/orvanta-unit-tests"

    seeds="$asan_dir/fuzz-seeds"
    "$asan_dir/tests/orvanta-fuzz-seeds" "$seeds/bank" "$seeds/program" || broken "fuzz seeds"
    for fuzzer in "${fuzzers[@]}"; do
      kind=${fuzzer#orvanta-}; kind=${kind%%-*}
      corpus="$asan_dir/fuzz-corpus/$kind"
      regressions="tests/fuzz/regressions/$kind"
      mkdir -p "$corpus" "$regressions"
      # New findings land in the build folder; a crashing input is to be copied into regressions.
      if "$asan_dir/tests/$fuzzer" -max_total_time="$fuzz_seconds" -timeout=10 -print_final_stats=1 \
           -artifact_prefix="$log_dir/$fuzzer-" "$corpus" "$seeds/$kind" "$regressions" \
           >"$log_dir/$fuzzer.log" 2>&1; then
        count "$fuzzer ($(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log_dir/$fuzzer.log" \
               | grep -oE '[0-9]+$') runs)" 1 0
      else
        tail -n 40 "$log_dir/$fuzzer.log"
        count "$fuzzer" 0 1
      fi
    done
  else broken "AddressSanitizer build"; fi
else broken "AddressSanitizer configure"; fi

#------------------------------------------------------------------------------
if [ -x "$pluginval" ]; then
  cmake --install "$build_dir" >/dev/null   # pluginval finds the LV2 bundle by URI in ~/.lv2
  artefacts="$build_dir/Orvanta2_artefacts/Release"
  for target in "VST 2:$artefacts/VST/Orvanta2.so" "VST 3:$artefacts/VST3/Orvanta2.vst3" \
                "LV2:https://vostrelle.com/plugins/orvanta2"; do
    format=${target%%:*}; plugin=${target#*:}
    log="$log_dir/pluginval-${format// /}.log"
    if "${xvfb[@]}" "$pluginval" --strictness-level 10 --timeout-ms 300000 --output-dir "$log_dir" \
         --validate "$plugin" >"$log" 2>&1; then
      count "pluginval $format" 1 0
    else
      grep -E "FAILED|!!!" "$log" | head -20
      count "pluginval $format" 0 1
    fi
  done
else
  echo "test.sh: pluginval is not at $pluginval; the validator runs are skipped"
fi

#------------------------------------------------------------------------------
[ ${#failures[@]} -eq 0 ] || echo "test.sh: failed: ${failures[*]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
