#!/usr/bin/env bash
# The fuzz regression of one target, run by ctest: every file of its corpus (seeds and
# the reproducers of mended faults) once, then new inputs for VX_FUZZ_SECONDS (default
# 10). A crash, a leak, a timeout or any sanitizer report fails the test; the input that
# did it is kept under the build's fuzz-artifacts/.
#   regress.sh BINARY NAME
set -u
binary=$1 name=$2
here=$(cd "$(dirname "$0")" && pwd)
artifacts=$(dirname "$binary")/fuzz-artifacts
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
options=(-max_total_time="${VX_FUZZ_SECONDS:-10}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
         -artifact_prefix="$artifacts/$name-")
[ -f "$here/dict/$name.dict" ] && options+=(-dict="$here/dict/$name.dict")
# A target's own options (such as a smaller -max_len for a slow reader), one a line.
[ -f "$here/options/$name" ] && mapfile -t -O "${#options[@]}" options <"$here/options/$name"
# New inputs go to the scratch directory; the corpus in the tree is only read.
exec "$binary" "${options[@]}" "$work" "$here/corpus/$name"
