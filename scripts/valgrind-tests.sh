#!/usr/bin/env bash
# Runs the test programs under valgrind's memcheck: no invalid reads or
# writes, no use of uninitialised memory, no definite leaks of our own.
# Qt's and fontconfig's own known reports are suppressed in
# scripts/valgrind.supp (each with the reason it is not ours).
#
#   scripts/valgrind-tests.sh            every test program (about 10 minutes)
#   scripts/valgrind-tests.sh quick      every test program but the widget ones (the app tests stay)
#   scripts/valgrind-tests.sh PROGRAM... the named test programs of build/
#
# Each program runs whole in one valgrind process (not one per test case):
# starting Qt under valgrind costs seconds, and the suite has hundreds of cases.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${ORVIK_SKIP_DEPS:-0}" = 1 ] || scripts/install-deps.sh

dir=build
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME=
# Qt's regular expressions otherwise compile to machine code (PCRE2's JIT)
# that reads whole 16-byte words past the end of a string by design; memcheck
# cannot tell that from a fault, and the code has no symbols to suppress by.
export QT_ENABLE_REGEXP_JIT=0
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/orvik-runtime.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"

# Every test program the build made, so a new one is never left out.
mapfile -t all < <(cd "$dir/tests" && find . -type f -executable -name 'test_*' | sed 's|^\./||' | sort)
widgets=" platform/test_platform print/test_print grid/test_grid_widget "
case ${1:-all} in
  all) programs=("${all[@]}") ;;
  quick) programs=(); for p in "${all[@]}"; do [[ $widgets == *" $p "* ]] || programs+=("$p"); done ;;
  *) programs=("$@") ;;
esac

logs=$dir/valgrind
rm -rf "$logs"
mkdir -p "$logs"
failed=()
for program in "${programs[@]}"; do
  name=$(basename "$program")
  echo "== $name"
  # The batch tools the tool tests start are checked too (trace-children);
  # system programs they might start (none today) are not.
  if valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
      --show-leak-kinds=definite --errors-for-leak-kinds=definite \
      --suppressions=scripts/valgrind.supp --gen-suppressions=all \
      --trace-children=yes --trace-children-skip='/usr/*,/bin/*' \
      --log-file="$logs/$name.%p.log" \
      "$dir/tests/$program" --gtest_brief=1 >"$logs/$name.out" 2>&1; then
    grep -E '^\[  (PASSED|SKIPPED) ' "$logs/$name.out" || true
  else
    echo "   FAILED (exit $?): see $logs/$name.*.log" >&2
    failed+=("$name")
  fi
done
# Fuzz inputs kept as regressions, under memcheck too.
mapfile -t targets < "$dir/fuzz/targets.txt"
for target in "${targets[@]}"; do
  echo "== fuzz inputs: $target"
  valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --show-leak-kinds=definite \
      --errors-for-leak-kinds=definite --suppressions=scripts/valgrind.supp \
      --log-file="$logs/fuzz_$target.%p.log" "$dir/fuzz/fuzz_$target" fuzz/corpus/$target \
      $( [ -d fuzz/crashes/$target ] && echo fuzz/crashes/$target ) >/dev/null || failed+=("fuzz_$target")
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "memcheck found errors in: ${failed[*]}" >&2
  exit 1
fi
echo "memcheck clean"
