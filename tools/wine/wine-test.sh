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
prefix=$("$here/prefix.sh" new) || exit 1
cleanup() {
    "$here/prefix.sh" drop "$prefix"
    [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
}
trap cleanup EXIT
export WINEPREFIX=$prefix
"${VX_WINE:-$( [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64 || echo wine)}" "$@"
code=$?
# A program that dies before it writes anything (Wine itself says nothing with its debug
# output off) would leave an empty test log: say at least how it ended.
[ "$code" -eq 0 ] || echo "wine-test.sh: ${1##*/} ended with exit code $code" >&2
exit "$code"
