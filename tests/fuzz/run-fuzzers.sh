#!/usr/bin/env bash
# Builds every libFuzzer target with clang, ASan and UBSan in build-fuzz/ and runs each one
# for the given number of seconds (default 60). Each fuzz_<name> starts from a temporary copy
# of tests/fuzz/corpus/<name>/, so the committed corpus does not grow, and uses
# tests/fuzz/<name>.dict when there is one. Exits non-zero when any fuzzer finds a crash,
# a hang, a leak or undefined behaviour; the input that did it is kept in build-fuzz/artifacts/.
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

failed=()
work=
trap '[[ -n $work ]] && rm -rf "$work"' EXIT
for exe in "$build"/fuzz/fuzz_*; do
    [[ -x $exe ]] || continue
    name=${exe##*/fuzz_}
    work=$(mktemp -d)
    if [[ -d tests/fuzz/corpus/$name ]]; then
        cp -R "tests/fuzz/corpus/$name/." "$work/"
    fi
    args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$build/artifacts/$name-")
    if [[ -f tests/fuzz/$name.dict ]]; then
        args+=(-dict="tests/fuzz/$name.dict")
    fi
    log="$build/fuzz_$name.log"
    echo "fuzz_$name: ${seconds} s"
    if "$exe" "${args[@]}" "$work" >"$log" 2>&1; then
        grep -E '^stat::number_of_executed_units' "$log" || true
    else
        echo "fuzz_$name FAILED; the end of $log:" >&2
        tail -n 60 "$log" >&2
        failed+=("$name")
    fi
    rm -rf "$work"
    work=
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "Fuzzers that failed: ${failed[*]}" >&2
    exit 1
fi
