#!/usr/bin/env bash
# Builds the libFuzzer programs with clang into build-fuzz/ and runs each one
# for a bounded time (seconds, default 30), starting from the seed corpus in
# fuzz/corpus/. Fails when any program reports a crash, a leak, undefined
# behaviour or a hang; the input that did it is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

bash scripts/deps.sh clang libclang-rt-14-dev
# CXX only counts when build-fuzz/ is first configured.
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"

targets=(table_xml table_compact vocabulary_file settings_file filter_expression)
mkdir -p build-fuzz/artifacts
failed=()
for t in "${targets[@]}"; do
    dict=()
    [ -f "fuzz/dict/$t.dict" ] && dict=(-dict="fuzz/dict/$t.dict")
    mkdir -p "build-fuzz/corpus/$t"
    echo "== fuzz_$t for ${seconds} s"
    # New inputs go to build-fuzz/corpus; the seeds in the repository stay as
    # they are. One program at a time: the machine may be shared.
    if ! "build-fuzz/fuzz/fuzz_$t" "${dict[@]}" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$t-" \
            "build-fuzz/corpus/$t" "fuzz/corpus/$t" >"build-fuzz/$t.log" 2>&1; then
        failed+=("$t")
        tail -n 60 "build-fuzz/$t.log"
    fi
    grep -E "^stat::number_of_executed_units|^stat::average_exec_per_sec" "build-fuzz/$t.log" | sed 's/^/   /' || true
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]} (inputs in build-fuzz/artifacts/)" >&2
    exit 1
fi
echo "Fuzzing: no faults."
