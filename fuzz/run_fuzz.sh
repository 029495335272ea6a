#!/usr/bin/env bash
# Builds the history reader's libFuzzer target with clang in a build folder of its own and
# runs it for a bounded time: run_fuzz.sh <build folder> <seconds>.
# Exits 77 (a skipped test) when no clang is installed.
set -euo pipefail
fuzz_dir=$(cd "$(dirname "$0")" && pwd)
build=$1
seconds=${2:-60}

clang=""
for candidate in clang++ clang++-14; do
    if command -v "$candidate" >/dev/null 2>&1; then
        clang=$(command -v "$candidate")
        break
    fi
done
if [ -z "$clang" ]; then
    echo "clang++ is not installed: the fuzz test is skipped"
    exit 77
fi

generator=()
if command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
fi
cmake -S "$fuzz_dir" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER="$clang" >/dev/null
cmake --build "$build"

# The corpus grows in the build folder; the committed seeds are only read.
mkdir -p "$build/corpus"
# Leaks are checked at the end of each run by libFuzzer itself.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}abort_on_error=1"
# libFuzzer ends with 77 on a failure unless told otherwise, which ctest takes for a skip.
exec "$build/redo_parse_fuzz" -max_total_time="$seconds" -print_final_stats=1 -max_len=4096 \
    -error_exitcode=1 -timeout_exitcode=1 \
    -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build/" "$build/corpus" "$fuzz_dir/seeds"
