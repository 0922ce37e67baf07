#!/usr/bin/env bash
# Builds everything and runs the whole test suite twice: a normal build and a
# clang AddressSanitizer + UndefinedBehaviorSanitizer build with leak
# detection, whose fuzz programs then run for ORVIK_FUZZ_SECONDS (default 30) each.
# ORVIK_SKIP_SANITIZE=1 runs only the normal build; ORVIK_SKIP_FUZZ=1 skips fuzzing;
# ORVIK_VALGRIND=1 adds the memcheck run (scripts/valgrind-tests.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORMTHEME=
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/orvik-runtime.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"

# A test that skips is a check this run did not make: only those listed in
# tests/allowed-skips.txt may.
check_skips() {
  local unexpected
  unexpected=$(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$1" \
    | grep -vxF -f <(grep -v '^#' tests/allowed-skips.txt | cut -f1) || true)
  if [ -n "$unexpected" ]; then
    echo "These tests skipped; they must run here (or be listed with a reason in tests/allowed-skips.txt):"
    echo "$unexpected"
    return 1
  fi
}

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" | tee "$dir/ctest.log"
  check_skips "$dir/ctest.log"
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${ORVIK_SKIP_SANITIZE:-0}" != 1 ]; then
  # One clang build serves the sanitizer run of the tests and the fuzz
  # programs. Leaks are reported; tests/lsan.supp names the libraries whose
  # own allocations we do not own, each with its reason.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # Light optimisation with line tables: faster to build, reports still name their lines.
  CXX=clang++ run_suite build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
    -DCMAKE_CXX_COMPILER=clang++ -DORVIK_SANITIZE=ON -DORVIK_FUZZ=ON
  if [ "${ORVIK_SKIP_FUZZ:-0}" != 1 ]; then
    ORVIK_SKIP_DEPS=1 ORVIK_FUZZ_BUILD=build-asan scripts/fuzz.sh "${ORVIK_FUZZ_SECONDS:-30}"
  fi
fi
if [ "${ORVIK_VALGRIND:-0}" = 1 ]; then
  ORVIK_SKIP_DEPS=1 scripts/valgrind-tests.sh
fi
