#!/usr/bin/env bash
# Builds the program, its tests and the fuzz targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-sanitize/, beside the normal build), runs the whole test suite there,
# then runs each fuzz target for a short time on its seeds (FUZZ_SECONDS, default 10; 0 skips them).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
build=${SANITIZE_BUILD_DIR:-build-sanitize}
fuzz_seconds=${FUZZ_SECONDS:-10}
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# Every finding ends the run with a report; leaks count as findings.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan-suppressions.txt:print_suppressions=0}

step() {
  local name=$1
  shift
  local start=$SECONDS
  "$@"
  echo "test-sanitizers: $name took $((SECONDS - start)) s"
}

step configure cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" "${launcher[@]}" \
  -DNORVA_BUILD_FUZZ=ON -DNORVA_BUILD_BENCH=OFF
step build cmake --build "$build" -j"$(nproc)"
step tests ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
if ((fuzz_seconds > 0)); then
  step fuzz tools/fuzz.sh "$build" --seconds "$fuzz_seconds"
fi
