#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (AddressSanitizer and UndefinedBehaviorSanitizer)
# in build-fuzz/ and runs each for SECONDS seconds (60 by default), starting from the seed
# corpus of tests/fuzz/corpus/. New inputs found go to build-fuzz/corpus/, never into the
# project; an input that breaks a harness is kept in build-fuzz/ as crash-*.
# With --build-only, builds them and runs nothing (the continuous integration does so, so that
# a harness never falls out of step with the code).
# Usage: tools/fuzz.sh [SECONDS | --build-only]
set -euo pipefail
source "$(dirname "$0")/setup.sh"
seconds="${1:-60}"
orvel_install_missing clang libclang-rt-dev

build="$ORVEL_ROOT/build-fuzz"
if [ ! -f "$build/build.ninja" ]; then
  CXX=clang++ CC=clang cmake -S "$ORVEL_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVEL_BUILD_FUZZERS=ON -DORVEL_BUILD_TESTS=OFF -DORVEL_WERROR=OFF
fi
harnesses=(logfile activationlist firstnames ctyconversion countrytable logviews currentlog)
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ORVEL_ROOT}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target "${harnesses[@]/#/fuzz_}"
if [ "$seconds" = "--build-only" ]; then
  exit 0
fi

status=0
for harness in "${harnesses[@]}"; do
  echo "== fuzz_$harness : $seconds s"
  mkdir -p "$build/corpus/$harness"
  (cd "$build" && ./"fuzz_$harness" -max_total_time="$seconds" -max_len=65536 -timeout=20 \
      -print_final_stats=1 "corpus/$harness" "$ORVEL_ROOT/tests/fuzz/corpus/$harness") || status=1
done
exit $status
