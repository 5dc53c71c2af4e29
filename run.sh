#!/usr/bin/env bash
# Installs whatever is missing, builds, and opens the terminal under Wine.
set -u
cd "$(dirname "$0")"
. tools/setup/packages.sh
# shellcheck disable=SC2086
vx_install_packages $VX_BUILD_PACKAGES || { echo "package installation failed" >&2; exit 1; }
vx_build_windows || exit 1

export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/vexant/wine}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX ..."
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine regedit /S "$(winepath -w tools/wine/template.reg)" >/dev/null 2>&1
fi
tools/wine/winefonts.sh "$WINEPREFIX"
if [ -z "${DISPLAY:-}" ]; then
    echo "No display is set: starting a virtual one (the window will not be visible)." >&2
    read -r DISPLAY _ < <(tools/wine/display.sh)
    export DISPLAY
fi
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine

# No argument: a shell of this machine through a telnet host on the loopback interface
# only. HOST[:PORT]: that host (port 23 by default). Further arguments go to vexaNT.
shellhost=
if [ $# -eq 0 ]; then
    exec 3< <(PYTHONPATH=tools exec python3 -m telnethost.shellhost)
    shellhost=$!
    read -r _ port <&3 || { echo "the loopback shell host did not start" >&2; exit 1; }
    set -- 127.0.0.1 "-Tnport$port"
elif [ "${1#-}" = "$1" ]; then
    target=$1
    shift
    case "$target" in
    *:*) set -- "${target%:*}" "-Tnport${target##*:}" "$@" ;;
    *) set -- "$target" "$@" ;;
    esac
fi
"$wine" build/win/terminal/vexaNT.exe "$@"
status=$?
[ -n "$shellhost" ] && kill "$shellhost" 2>/dev/null
exit $status
