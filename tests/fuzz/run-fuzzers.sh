#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every libFuzzer target with clang, ASan and UBSan in build-fuzz/ and runs each for the
# given seconds (default 60), from a copy of its corpus and the large seeds of big_seeds. Exits
# non-zero when one finds a crash, hang, leak or undefined behaviour; the input that did it is
# kept in build-fuzz/artifacts/.
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
    [gamefile]=$((256 * 1024))         # the saved game: a long record adds nothing new past this
    [command]=$((4 * 1024 + 256))      # commands from the network: 4 KiB each
)

# Seeds of the sizes at which reading these files used to go wrong, made rather than kept:
# help files of a 500 000-character CJK paragraph, 30 000 list items and 4 MB of long words,
# and settings files past 1 MiB.
big_seeds() {
    local name=$1 dir=$2
    local - # `yes | head` ends yes by SIGPIPE, which is no failure here
    set +o pipefail
    case $name in
    rtf)
        { printf '{\\rtf1\\uc1 '; yes '\u20013?' | head -n 500000 | tr -d '\n'; printf '\\par}'; } \
            >"$dir/big-cjk.rtf"
        { printf '{\\rtf1'; yes "{\\listtext\\pard\\plain\\'b7\\tab}\\ls1 Item\\par" |
            head -n 30000; printf '}'; } >"$dir/big-list.rtf"
        { printf '{\\rtf1 '; yes "$(head -c 3000 /dev/zero | tr '\0' w)" | head -n 1300 |
            tr '\n' ' '; printf '}'; } >"$dir/big-words.rtf"
        ;;
    settings)
        { printf '[TextSettings]\nHomeText='; head -c 1100000 /dev/zero | tr '\0' N; printf '\n'; } \
            >"$dir/big-name.ini"
        { printf '[KeySettings]\nIsKeyCode=Yes\n[Junk]\n'; yes 'Filler=0123456789abcdef' |
            head -n 50000; printf '[TextSettings]\nHomeText=Cut\n'; } >"$dir/big-junk.ini"
        ;;
    esac
}

failed=()
work=
trap '[[ -n $work ]] && rm -rf "$work"' EXIT

# fuzz <name> <phase> <seconds> <corpus folder>: one run, logged to build-fuzz/.
fuzz() {
    local name=$1 phase=$2 time=$3 corpus=$4
    local log="$build/fuzz_$name${phase:+-$phase}.log"
    local args=(-max_total_time="$time" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -max_len="${max_len[$name]:-4096}" -artifact_prefix="$build/artifacts/$name-")
    [[ -f tests/fuzz/$name.dict ]] && args+=(-dict="tests/fuzz/$name.dict")
    echo "fuzz_$name${phase:+ ($phase seeds)}: $time s"
    if "$build/fuzz/fuzz_$name" "${args[@]}" "$corpus" >"$log" 2>&1; then
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$log" || true
    else
        echo "fuzz_$name FAILED; the end of $log:" >&2
        tail -n 60 "$log" >&2
        failed+=("$name")
    fi
}

for exe in "$build"/fuzz/fuzz_*; do
    [[ -x $exe ]] || continue
    name=${exe##*/fuzz_}
    # The large seeds, slow under the sanitizers, get a third of the time in a run of their own.
    work=$(mktemp -d)
    big_seeds "$name" "$work"
    small=$seconds
    if [[ -n $(ls -A "$work") ]]; then
        small=$((seconds - seconds / 3))
        fuzz "$name" large $((seconds / 3)) "$work"
        rm -rf "${work:?}"/*
    fi
    [[ -d tests/fuzz/corpus/$name ]] && cp -R "tests/fuzz/corpus/$name/." "$work/"
    fuzz "$name" "" "$small" "$work"
    rm -rf "$work"
    work=
done

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "Fuzzers that failed: ${failed[*]}" >&2
    exit 1
fi
