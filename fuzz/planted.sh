#!/usr/bin/env bash
# Shows that the fuzz targets catch the faults they are there for:
#   fuzz/planted.sh [SECONDS]
# copies the tree to build/fuzz-planted/src, plants one off-by-one there (the copy of a
# daemon's refusal text into the LPR client's message stops one unit too late, so its
# terminating zero lands past the buffer), builds fuzz_lpr from the copy and runs it from
# its hand-written seeds alone for at most SECONDS (60), then replays its committed
# corpus. It prints how long the search took to stop at the fault and exits 0 if both
# found it, 1 if not. The source tree itself is
# never changed.
set -u
cd "$(dirname "$0")/.."
seconds=${1:-60}
. tools/setup/packages.sh
# shellcheck disable=SC2086
vx_install_packages $VX_BUILD_PACKAGES || exit 1
root=build/fuzz-planted
src=$root/src
rm -rf "$src" && mkdir -p "$src"
git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$src"
file=$src/lpr/lprtransfer.cpp
sound='if (n >= LprMessageUnits - 1)'
grep -qF "$sound" "$file" || { echo "the bounded copy to plant the fault in has changed" >&2; exit 2; }
sed -i "s/$sound/if (n >= LprMessageUnits)/" "$file"
CC=clang CXX=clang++ cmake -S "$src" -B "$root/build" -G Ninja -DVX_FUZZ=ON >/dev/null &&
    cmake --build "$root/build" -j"$(vx_jobs)" --target fuzz_lpr >/dev/null || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/new" "$work/seeds"
cp fuzz/corpus/fuzz_lpr/seed-* "$work/seeds/"
log=$root/fuzz_lpr.log
binary=$root/build/fuzz/fuzz_lpr
options=(-dict=fuzz/dict/fuzz_lpr.dict -artifact_prefix="$work/")
# The search: from the hand-written seeds alone, as a new reader's first run would.
start=$(date +%s)
"$binary" "${options[@]}" -max_total_time="$seconds" "$work/new" "$work/seeds" >"$log" 2>&1
status=$?
took=$(($(date +%s) - start))
if [ $status -eq 0 ]; then
    echo "planted fault not found in ${seconds} s from the seeds (log: $log)"
    exit 1
fi
grep -E '^#[0-9]+|check failed|ERROR' "$log" | tail -n 3
echo "planted fault found from the seeds after ${took} s"
# The regression: the committed corpus replayed, as ./test.sh does.
if "$binary" "${options[@]}" -runs=0 fuzz/corpus/fuzz_lpr >>"$log" 2>&1; then
    echo "the committed corpus does not reach the planted fault"
    exit 1
fi
echo "the committed corpus reaches it on replay"
