#!/usr/bin/env bash
# Wine prefixes for tests: one template made once by wineboot, then a private copy per run.
#   prefix.sh template     make the template if needed and print its path
#   prefix.sh new          print the path of a fresh private prefix
#   prefix.sh drop DIR     stop that prefix's wineserver and delete it
set -eu
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cache=${VX_WINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vexant}
# A template holds Wine's own fonts (winefonts.sh): one made before they were installed
# is made again.
stamp=$( (cat "$here/prefix.sh" "$here/template.reg" "$here/winefonts.sh"; ls /usr/share/wine/fonts 2>/dev/null) |
    sha1sum | cut -c1-12)
template=$cache/wine-template-$stamp
export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

make_template() {
    mkdir -p "$cache"
    exec 9>"$cache/template.lock"
    flock 9
    [ -f "$template/.ready" ] && return 0
    rm -rf "$template" "$template.tmp"
    (
        export WINEPREFIX=$template.tmp
        wineboot -i >/dev/null 2>&1 || true
        "$here/winefonts.sh" "$WINEPREFIX"
        wine regedit /S "$(winepath -w "$here/template.reg")" >/dev/null 2>&1
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    )
    [ -f "$template.tmp/system.reg" ] || { echo "prefix.sh: wineboot failed" >&2; exit 1; }
    touch "$template.tmp/.ready"
    mv "$template.tmp" "$template"
}

case "${1:-}" in
template)
    [ -f "$template/.ready" ] || make_template
    echo "$template" ;;
new)
    [ -f "$template/.ready" ] || make_template
    dir=$(mktemp -d "${TMPDIR:-/tmp}/vxwine.XXXXXX")
    rmdir "$dir"
    # The big system folder is shared by hard links (Wine only reads it); every other
    # file is a private copy, so nothing a test writes can reach the template.
    cp -al "$template" "$dir"
    find "$dir" -type f -links +1 ! -path "$dir/drive_c/windows/system32/*" -print0 |
        while IFS= read -r -d '' f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done
    echo "$dir" ;;
drop)
    dir=${2:?prefix}
    case "$dir" in */vxwine.*) ;; *) echo "prefix.sh: refusing to drop $dir" >&2; exit 2 ;; esac
    WINEPREFIX=$dir wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$dir wineserver -w >/dev/null 2>&1 || true
    rm -rf "$dir" ;;
*)
    echo "usage: prefix.sh template|new|drop DIR" >&2; exit 2 ;;
esac
