#!/usr/bin/env bash
# Line coverage of each reader by its fuzz target's corpus:
#   fuzz/coverage.sh [TARGET...]     (default: every target in fuzz/readers.txt)
# builds the targets instrumented for source coverage (build/fuzz-cov), runs each once
# over fuzz/corpus/TARGET and, when a long run left one, build/fuzz/corpora/TARGET, and
# prints llvm-cov's report for the reader files that fuzz/readers.txt lists.
set -u
cd "$(dirname "$0")/.."
. tools/setup/packages.sh
# shellcheck disable=SC2086
vx_install_packages $VX_BUILD_PACKAGES || exit 1
CC=clang CXX=clang++ cmake -S . -B build/fuzz-cov -G Ninja -DVX_FUZZ=ON -DVX_FUZZ_COVERAGE=ON >/dev/null &&
    cmake --build build/fuzz-cov -j"$(vx_jobs)" || exit 1
targets=("$@")
[ ${#targets[@]} -eq 0 ] && mapfile -t targets < <(grep -v '^#' fuzz/readers.txt | awk 'NF {print $1}')
for target in "${targets[@]}"; do
    files=$(awk -v t="$target" '$1 == t {$1 = ""; print}' fuzz/readers.txt)
    [ -n "$files" ] || { echo "$target: not in fuzz/readers.txt" >&2; continue; }
    binary=build/fuzz-cov/fuzz/$target
    profiles=build/fuzz-cov/profiles/$target
    rm -rf "$profiles" && mkdir -p "$profiles"
    corpora=("fuzz/corpus/$target")
    [ -d "build/fuzz/corpora/$target" ] && corpora+=("build/fuzz/corpora/$target")
    LLVM_PROFILE_FILE="$profiles/%p.profraw" "$binary" -runs=0 "${corpora[@]}" >/dev/null 2>&1
    llvm-profdata merge -sparse "$profiles"/*.profraw -o "$profiles/merged.profdata" || exit 1
    echo "== $target (${corpora[*]})"
    # shellcheck disable=SC2086
    llvm-cov report "$binary" -instr-profile="$profiles/merged.profdata" $files |
        awk 'NR == 1 || /^-/ {next} {printf "  %-40s lines %7s covered (%s of %s missed)\n", $1, $10, $9, $8}'
done
