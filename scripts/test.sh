#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the Debug build with
# one brief run of every benchmark, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded libFuzzer run over the packet stream.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

echo "== Layers"
python3 scripts/check-layers.py

jobs=$(nproc)
fuzz_seconds=${DRAVIK_FUZZ_SECONDS:-60}

echo "== Debug build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --output-on-failure
# Every benchmark program the build makes, once and briefly, so that none rots
# unseen: one that aborts or reports an error fails the run. The figures of so
# short a run measure nothing.
mapfile -t benchmarks < <(find build/bench -maxdepth 1 -type f -executable -name 'dravik-bench-*' | sort)
((${#benchmarks[@]})) || { echo "no benchmark programs in build/bench" >&2; exit 1; }
for benchmark in "${benchmarks[@]}"; do
  echo "== $(basename "$benchmark")"
  QT_QPA_PLATFORM=offscreen "$benchmark" --benchmark_min_time=0.01 \
    --benchmark_out="$benchmark.json" --benchmark_out_format=json
  if grep -q '"error_occurred": true' "$benchmark.json"; then
    echo "$(basename "$benchmark") reported an error" >&2
    exit 1
  fi
done

echo "== Sanitizer build (ASan + UBSan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDRAVIK_SANITIZE=ON -DDRAVIK_BENCH=OFF \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -j "$jobs" --output-on-failure

echo "== Fuzzing the packet stream for ${fuzz_seconds}s"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDRAVIK_FUZZ=ON \
  -DDRAVIK_BENCH=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build-fuzz -j "$jobs" --target dravik-fuzz-packets
mkdir -p build-fuzz/corpus
# One client serves the whole run, so AddressSanitizer's reserves are kept
# small and steady: 64 MB of freed memory held back to catch late uses, freed
# pages kept for reuse, and allocation stacks of two frames (Qt's code keeps no
# frame pointers, so deeper stacks pick up stray values and fill the stack
# store without end). A crash file run again with malloc_context_size=30 shows
# whole stacks.
QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=halt_on_error=1 \
  ASAN_OPTIONS=quarantine_size_mb=64:allocator_release_to_os_interval_ms=-1:malloc_context_size=2 \
  build-fuzz/tests/dravik-fuzz-packets -max_total_time="$fuzz_seconds" -max_len=3000 -len_control=0 \
  -rss_limit_mb=1024 -timeout=60 -reload=0 -print_final_stats=1 build-fuzz/corpus
