#!/usr/bin/env bash
# Builds everything and runs the whole test suite twice: a normal build and an
# AddressSanitizer + UndefinedBehaviorSanitizer build; then runs every fuzz
# target for ORVIK_FUZZ_SECONDS (default 30) each.
# ORVIK_SKIP_SANITIZE=1 runs only the normal build; ORVIK_SKIP_FUZZ=1 skips fuzzing;
# ORVIK_VALGRIND=1 adds the memcheck run (scripts/valgrind-tests.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORMTHEME=
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/orvik-runtime.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${ORVIK_SKIP_SANITIZE:-0}" != 1 ]; then
  # Qt's own libraries are not instrumented; leaks inside them are not ours.
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DORVIK_SANITIZE=ON
fi
if [ "${ORVIK_SKIP_FUZZ:-0}" != 1 ]; then
  ORVIK_SKIP_DEPS=1 scripts/fuzz.sh "${ORVIK_FUZZ_SECONDS:-30}"
fi
if [ "${ORVIK_VALGRIND:-0}" = 1 ]; then
  ORVIK_SKIP_DEPS=1 scripts/valgrind-tests.sh
fi
