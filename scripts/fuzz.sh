#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer, UndefinedBehaviorSanitizer,
# leak detection) in build/fuzz and runs each on its seed corpus for a while. Any crash, leak or
# sanitizer report fails the run; the input that caused it is copied into the target's seed
# corpus, fuzz/corpus/<target>/, where it is to be committed so that it stays a regression case.
#
#   bash scripts/fuzz.sh                  every target, HUESPAN_FUZZ_SECONDS (30) each
#   HUESPAN_FUZZ_SECONDS=3600 bash scripts/fuzz.sh engine
#
# New inputs that the fuzzer finds go to a scratch corpus in build/fuzz/found/<target>, which a
# later run reads again; the seeds in the tree stay as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${HUESPAN_FUZZ_SECONDS:-30}"
all=(cli_options colour_text settings_file engine code_page_encoder)
targets=("$@")
if ((${#targets[@]} == 0)); then
    targets=("${all[@]}")
fi

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
bash scripts/setup-debian.sh
CC=clang CXX=clang++ cmake -S fuzz -B build/fuzz -G Ninja >/dev/null
cmake --build build/fuzz --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=()
summary=()
for target in "${targets[@]}"; do
    found="build/fuzz/found/$target"
    artifacts="build/fuzz/artifacts/$target"
    log="build/fuzz/$target.log"
    rm -rf "$artifacts"
    mkdir -p "$found" "$artifacts"
    start=$SECONDS
    status=0
    "build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "$found" "fuzz/corpus/$target" \
        >"$log" 2>&1 || status=$?
    elapsed=$((SECONDS - start))
    # The last status line: "#runs DONE cov: N ft: N corp: N/size ...".
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
    cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$last")
    ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$last")
    corpus=$(sed -nE 's/.* corp: ([0-9]+\/[0-9]+[a-zA-Z]*).*/\1/p' <<<"$last")
    runs=$(sed -nE 's/^#([0-9]+).*/\1/p' <<<"$last")
    if ((status != 0)) || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
        failed+=("$target")
        for artifact in "$artifacts"/*; do
            [ -e "$artifact" ] || continue
            cp "$artifact" "fuzz/corpus/$target/regression-$(sha1sum "$artifact" | cut -c1-16)"
        done
        echo "fuzz_$target FAILED (exit $status); its log is $log:" >&2
        grep -E -A25 'ERROR:|runtime error:|broken rule:' "$log" | head -n 60 >&2 || tail -n 40 "$log" >&2
    fi
    summary+=("fuzz_$target: ${elapsed} s, ${runs:-?} runs, cov: ${cov:-?}, ft: ${ft:-?}, corpus: ${corpus:-?}")
done
printf '%s\n' "${summary[@]}"
if ((${#failed[@]})); then
    echo "failed: ${failed[*]}; the inputs that failed are now in fuzz/corpus/<target>/regression-*" >&2
    exit 1
fi
