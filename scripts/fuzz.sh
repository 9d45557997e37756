#!/bin/sh
# Builds the fuzz targets of tests/fuzz with clang (libFuzzer, address and undefined-behaviour
# sanitizers) in build-fuzz, then runs each for FUZZ_SECONDS seconds (30 by default) from its
# seed corpus in tests/fuzz/corpus/NAME. The inputs a run finds are kept in
# build-fuzz/corpus/NAME for the next run; an input that crashes a target, hangs it or breaks a
# property is saved as build-fuzz/crashes/NAME-* and ends the script with status 1.
#   FUZZ_SECONDS=300 scripts/fuzz.sh               a longer run
#   scripts/fuzz.sh intel_hex s_record             some targets only
set -eu
cd "$(dirname "$0")/.."
SECONDS_EACH=${FUZZ_SECONDS:-30}
BUILD=${FUZZ_BUILD:-build-fuzz}
TARGETS=${*:-intel_hex s_record setup_slot port_config socket_choice}

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
LAUNCHER=""
if command -v ccache >/dev/null 2>&1; then
  LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
# Only the libraries the targets need are built: no window, tests or benchmarks. -O1 with line
# tables: quick to build, fast enough to fuzz, and a crash's stack names its lines.
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= \
  -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" -DBURNLAB_FUZZ=ON -DBURNLAB_GUI=OFF -DBURNLAB_TESTS=OFF -DBURNLAB_BENCH=OFF $LAUNCHER >/dev/null
cmake --build "$BUILD" --target fuzz_targets -j "$(nproc)"

mkdir -p "$BUILD/crashes"
for name in $TARGETS; do
  mkdir -p "$BUILD/corpus/$name"
  echo "fuzz.sh: $name for ${SECONDS_EACH} s"
  # The setup target keeps one started program for every input: what it holds is reachable, and
  # a leak check after each input would only scan its megabytes of buffers again.
  EXTRA=""
  [ "$name" = setup_slot ] && EXTRA="-detect_leaks=0"
  # New inputs go into the first folder; the seeds in the tree stay as they are.
  "$BUILD/tests/fuzz/burnlab_fuzz_$name" -max_total_time="$SECONDS_EACH" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 $EXTRA -artifact_prefix="$BUILD/crashes/$name-" \
    "$BUILD/corpus/$name" "tests/fuzz/corpus/$name" 2>"$BUILD/$name.log" || {
    tail -n 40 "$BUILD/$name.log" >&2
    echo "fuzz.sh: $name failed; the input is in $BUILD/crashes/" >&2
    exit 1
  }
  grep -E "^stat::number_of_executed_units|^#[0-9]+ *DONE" "$BUILD/$name.log" || true
done
