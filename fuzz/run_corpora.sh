#!/usr/bin/env bash
# Builds the fuzzers with clang in build-fuzz/ and runs each once over its seed corpus in
# fuzz/corpus/: a crash, a sanitizer's report or a timeout fails. Without clang and
# libFuzzer there is nothing to do.
set -euo pipefail
cd "$(dirname "$0")/.."
probe='extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }'
if ! command -v clang++ >/dev/null ||
  ! echo "$probe" | clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null; then
  echo "Fuzz corpora skipped: clang++ with libFuzzer (libclang-rt-14-dev) is not installed."
  exit 0
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DORVANE_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)"
for target in fuzz_parse_command fuzz_execute_command fuzz_script fuzz_wav fuzz_campaign; do
  log=build-fuzz/$target.log
  # A target's dictionary, when it has one.
  dict=()
  if [[ -f fuzz/$target.dict ]]; then dict=(-dict="fuzz/$target.dict"); fi
  if ! "build-fuzz/fuzz/$target" -runs=0 -timeout=10 -rss_limit_mb=2048 \
    "${dict[@]}" "fuzz/corpus/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "Fuzz corpus of $target: FAILED (log in $log)"
    exit 1
  fi
  echo "Fuzz corpus of $target: $(ls "fuzz/corpus/$target" | wc -l) inputs, no crash."
done
