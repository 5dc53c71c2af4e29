#!/usr/bin/env bash
# Installs whatever is missing, builds the Windows, the native (sanitizer) and the fuzz
# builds, and runs every test (each fuzz target replays its corpus and tries new inputs
# for VX_FUZZ_SECONDS, default 10); the last line is ctest's summary.
set -u
cd "$(dirname "$0")"
. tools/setup/packages.sh
# shellcheck disable=SC2086
vx_install_packages $VX_BUILD_PACKAGES $VX_TEST_PACKAGES || { echo "package installation failed" >&2; exit 1; }
vx_build_native || exit 1
vx_build_fuzz || exit 1
vx_build_windows || exit 1

xpid=
if [ -z "${DISPLAY:-}" ]; then
    read -r DISPLAY xpid < <(tools/wine/display.sh)
    export DISPLAY
fi
trap '[ -n "$xpid" ] && kill "$xpid" 2>/dev/null' EXIT
tools/wine/prefix.sh template >/dev/null || exit 1

# One ctest run over the three builds, so one summary ends the output.
printf 'subdirs("native" "win" "fuzz")\n' >build/CTestTestfile.cmake
failed=build/Testing/Temporary/LastTestsFailed.log
rm -f "$failed"
ctest --test-dir build --output-on-failure -j"$(vx_jobs)" "$@"
status=$?
# The tests that run under Wine (whole programs, and the test programs that drive real
# windows) share the display and the machine with everything else; when only a few of
# them failed, they run once more, alone. Their first failure stays above in the
# output; a native engine, sanitizer, fuzz, format or layering check is never rerun.
if [ "$status" -ne 0 ] && [ -s "$failed" ] && ! grep -qvE '\.(program|wine)$' "$failed" && [ "$(wc -l <"$failed")" -le 3 ]; then
    echo "Running the failed Wine tests once more, one at a time: $(cut -d: -f2 "$failed" | tr '\n' ' ')"
    ctest --test-dir build --output-on-failure --rerun-failed -j1
    status=$?
fi
exit "$status"
