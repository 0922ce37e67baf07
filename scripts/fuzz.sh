#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer in build-fuzz and runs each
# for SECONDS (default 30), starting from its committed seed corpus. New
# inputs stay in build-fuzz/fuzz/work; a crash stops the script and names the
# input, which belongs in fuzz/crashes/<target>/ once the fault is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: $0 [SECONDS]" >&2; exit 2; }
[ "${ORVIK_SKIP_DEPS:-0}" = 1 ] || scripts/install-deps.sh

# ORVIK_FUZZ_BUILD names a build folder already configured with ORVIK_FUZZ
# (the test command's sanitizer build); otherwise build-fuzz is made here.
dir=${ORVIK_FUZZ_BUILD:-build-fuzz}
if [ -z "${ORVIK_FUZZ_BUILD:-}" ]; then
  CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DORVIK_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
fi
mapfile -t targets < "$dir/fuzz/targets.txt"
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME=
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/orvik-runtime.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp

for target in "${targets[@]}"; do
  # Longest input per target: a few dozen records; pasted text with lines
  # long enough to matter.
  case $target in
    paste_text|xlsx_template) max_len=65536 ;;
    *) max_len=8192 ;;
  esac
  work=$dir/fuzz/work/$target
  artifacts=$dir/fuzz/artifacts/$target
  mkdir -p "$work" "$artifacts"
  echo "== fuzz_$target for ${seconds}s"
  if ! "$dir/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
      "$work" "fuzz/corpus/$target" 2>"$dir/fuzz/$target.log"; then
    tail -n 60 "$dir/fuzz/$target.log" >&2
    echo "fuzz_$target failed; the input is in $artifacts" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$dir/fuzz/$target.log" | sed "s/^/  /"
done
