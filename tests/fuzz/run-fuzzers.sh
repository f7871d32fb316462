#!/usr/bin/env bash
# Builds every libFuzzer target with clang, ASan and UBSan in build-fuzz/ and runs each for the
# given seconds (default 60) from a copy of its corpus. Fails on a crash, hang, leak or undefined
# behaviour; the input that did it is kept in build-fuzz/artifacts/.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/../.."
build=build-fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPUCKLIGHT_FUZZ=ON -DPUCKLIGHT_BUILD_TESTS=OFF \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
rm -rf "$build/fuzz" # no stale targets
cmake --build "$build" --target fuzzers

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/artifacts"

# The longest input each target tries: a little beyond what the program reads of such a file.
declare -A max_len=(
    [rtf]=$((4 * 1024 * 1024 + 4096))  # the help file: 4 MiB are read
    [settings]=$((1024 * 1024 + 4096)) # the settings file: 1 MiB is read
    [wav]=$((64 * 1024 + 1024))        # the header region of a sound: 64 KiB
    [time]=256                         # a typed time
    [entry]=4096                       # keys typed into the number fields
    [gamefile]=$((64 * 1024 + 1024))   # the saved game: 64 KiB are read
)

failed=()
work=
trap '[[ -n $work ]] && rm -rf "$work"' EXIT
for exe in "$build"/fuzz/fuzz_*; do
    name=${exe##*/fuzz_}
    log=$build/fuzz_$name.log
    work=$(mktemp -d) # a copy of the corpus: what the run adds stays out of the repository
    cp -R "tests/fuzz/corpus/$name/." "$work/"
    args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -max_len="${max_len[$name]}" -artifact_prefix="$build/artifacts/$name-")
    [[ -f tests/fuzz/$name.dict ]] && args+=(-dict="tests/fuzz/$name.dict")
    echo "fuzz_$name: $seconds s"
    if "$exe" "${args[@]}" "$work" >"$log" 2>&1; then
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
    else
        echo "fuzz_$name FAILED; the end of $log:" >&2
        tail -n 60 "$log" >&2
        failed+=("$name")
    fi
    rm -rf "$work"
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "Fuzzers that failed: ${failed[*]}" >&2
    exit 1
fi
