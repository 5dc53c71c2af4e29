#!/usr/bin/env bash
# Runs one Windows program under Wine in a private prefix; exits with the program's code.
# ctest uses this as the emulator of the cross build.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# VX_DLL_OVERRIDES lets a test prefer its own stand-in over one of Wine's built-in DLLs.
export WINEDEBUG=-all WINEDLLOVERRIDES="${VX_DLL_OVERRIDES:+$VX_DLL_OVERRIDES;}winemenubuilder.exe=d;mscoree=d;mshtml=d"
xpid=
if [ -z "${DISPLAY:-}" ]; then
    read -r DISPLAY xpid < <("$here/display.sh")
    export DISPLAY
fi
prefix=
out=$(mktemp) || exit 1
cleanup() {
    [ -n "$prefix" ] && "$here/prefix.sh" drop "$prefix"
    rm -f "$out"
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
}
trap cleanup EXIT
wine=${VX_WINE:-$( [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64 || echo wine)}
for attempt in 1 2; do
    prefix=$("$here/prefix.sh" new) || exit 1
    WINEPREFIX=$prefix "$wine" "$@" >"$out" 2>&1
    code=$?
    cat "$out"
    # Every test program prints before it can fail. One that ends in failure having
    # printed nothing never ran: on a loaded machine Wine's launcher now and then gives
    # up on a new prefix. That start is made once more, in a fresh prefix.
    [ "$code" -ne 0 ] && [ ! -s "$out" ] && [ "$attempt" -eq 1 ] || break
    echo "wine-test.sh: ${1##*/} ended with exit code $code before printing anything; starting it again" >&2
    "$here/prefix.sh" drop "$prefix"
    prefix=
done
# A program that dies before it writes anything (Wine itself says nothing with its debug
# output off) would leave an empty test log: say at least how it ended.
[ "$code" -eq 0 ] || echo "wine-test.sh: ${1##*/} ended with exit code $code" >&2
exit "$code"
