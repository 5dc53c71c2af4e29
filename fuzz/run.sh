#!/usr/bin/env bash
# A long fuzz run of one target on one core:
#   fuzz/run.sh TARGET SECONDS [--merge]
# builds the fuzz build, runs TARGET for SECONDS on its corpus (new inputs are kept in
# build/fuzz/corpora/TARGET, so runs go on where the last one stopped) and prints the
# executions, executions per second and edges covered. With --merge the inputs that add
# coverage are folded into fuzz/corpus/TARGET afterwards (to be committed). A finding
# stops the run: its input is in build/fuzz/fuzz-artifacts/.
set -u
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
    echo "usage: fuzz/run.sh TARGET SECONDS [--merge]" >&2
    exit 2
fi
target=$1 seconds=$2 merge=${3:-}
. tools/setup/packages.sh
# shellcheck disable=SC2086
vx_install_packages $VX_BUILD_PACKAGES || exit 1
vx_build_fuzz || exit 1
binary=build/fuzz/fuzz/$target
[ -x "$binary" ] || { echo "no fuzz target $target" >&2; exit 2; }
work=build/fuzz/corpora/$target
artifacts=build/fuzz/fuzz-artifacts
mkdir -p "$work" "$artifacts"
options=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix="$artifacts/$target-")
[ -f "fuzz/dict/$target.dict" ] && options+=(-dict="fuzz/dict/$target.dict")
[ -f "fuzz/options/$target" ] && mapfile -t -O "${#options[@]}" options <"fuzz/options/$target"
log=build/fuzz/$target.log
"$binary" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 "$work" "fuzz/corpus/$target" 2>"$log"
status=$?
grep -E '^(INFO: Seed|#[0-9]+[[:space:]]+(INITED|DONE))' "$log"
tail -n 40 "$log" | grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb' |
    sed 's/^stat::/  /'
if [ $status -ne 0 ]; then
    grep -E 'ERROR|SUMMARY|Test unit written' "$log"
    echo "finding: see $log" >&2
    exit $status
fi
if [ "$merge" = "--merge" ]; then
    "$binary" "${options[@]}" -set_cover_merge=1 "fuzz/corpus/$target" "$work" 2>>"$log"
    echo "corpus: $(find "fuzz/corpus/$target" -type f | wc -l) files"
fi
