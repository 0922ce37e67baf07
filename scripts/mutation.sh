#!/usr/bin/env bash
# Mutation testing (not part of CI: a few minutes per mutant on two cores).
# Builds the suite once in build-mutation, then breaks the code one small
# change at a time and reports which changes the tests notice.
#   scripts/mutation.sh src/grid/CGridCtrl_mouse.cpp ...   every mutant of these files
#   scripts/mutation.sh --from scripts/mutation-sample.txt  the fixed sample (seed 1)
#   scripts/mutation.sh --sample 150 --seed 7 --list OUT    draw another sample
# See scripts/mutation.py for the mutants made and the tests left out.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME=
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/orvik-runtime.XXXXXX)}
chmod 700 "$XDG_RUNTIME_DIR"
if [[ " $* " != *" --list "* ]]; then
  # Light optimisation, no debug information and lld when there is one: a
  # mutant's rebuild is mostly compiling one file and relinking its tests.
  linker=()
  command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
  cmake -S . -B build-mutation -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 \
    -DORVIK_BENCHMARKS=OFF "${linker[@]}" >/dev/null
  cmake --build build-mutation -j "$(nproc)"
fi
exec python3 scripts/mutation.py --build build-mutation "$@"
