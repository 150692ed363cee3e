#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, fuzz preset) and runs each for a short,
# bounded time. Exits non-zero when a target finds a crash; the input that
# caused it is left in build-fuzz/artifacts/.
# QUORVELL_FUZZ_SECONDS sets the time of the record walk target (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${QUORVELL_FUZZ_SECONDS:-30}
cmake --preset fuzz
cmake --build --preset fuzz --target record_walk_fuzz ansi_text_fuzz dds_picture_fuzz

mkdir -p build-fuzz/artifacts
run() {
    local name=$1 time=$2
    shift 2
    # A scratch corpus, seeded from the repository, so new finds stay out of git.
    local corpus=build-fuzz/corpus/$name
    mkdir -p "$corpus"
    echo "== fuzzing $name for ${time}s"
    build-fuzz/bin/"${name}_fuzz" "$@" -max_total_time="$time" -print_final_stats=1 \
        -artifact_prefix=build-fuzz/artifacts/"$name"- "$corpus" fuzz/corpus/"$name"
}
# Long inputs reach deep into the table; short ones ending in a set bit 1 are
# walked in blocks of a few records, so block crossings are fuzzed as well.
run record_walk "$seconds" -max_len=70000
run ansi_text $(( (seconds + 2) / 3 ))
# Headers, levels and strides of small DDS files.
run dds_picture $(( (seconds * 2 + 2) / 3 )) -max_len=20000
