#!/usr/bin/env bash
# Builds the RTF fuzz target with clang and libFuzzer, then runs it for the given seconds.
# Usage: lancer_fuzz.sh SOURCES BUILD SECONDS
set -euo pipefail
sources=$1
build=$2
duree=${3:-60}
ici="$sources/tests/report/fuzz"

command -v clang++ >/dev/null || { echo "clang++ manque (apt-get install clang libfuzzer-14-dev)"; exit 1; }
cmake -S "$ici/cible" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DDALVIRE_SOURCES="$sources/src" >"$build.configuration.log" 2>&1 \
    || { cat "$build.configuration.log"; exit 1; }
cmake --build "$build" -j2

mkdir -p "$build/corpus" "$build/artefacts"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# The working corpus grows in the build; the seeds stay as they are.
exec "$build/fuzz_rtf" -max_total_time="$duree" -timeout=10 -rss_limit_mb=2048 \
     -max_len=16384 -print_final_stats=1 -artifact_prefix="$build/artefacts/" \
     "$build/corpus" "$ici/corpus"
