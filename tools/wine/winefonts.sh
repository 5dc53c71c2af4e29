#!/usr/bin/env bash
# Puts Wine's own fonts (Debian's fonts-wine: Marlett, Tahoma, ...) into a prefix's
# Fonts folder. Debian's Wine does not find them where the package installs them, and
# without Marlett every caption button is drawn as a letter ("0 1 r"). The terminal's
# own font is not among them and stays as it is.
#   winefonts.sh PREFIX
set -eu
prefix=${1:?prefix}
fonts=$prefix/drive_c/windows/Fonts
[ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] || exit 0
for f in /usr/share/wine/fonts/*; do
    [ -e "$fonts/$(basename "$f")" ] || cp "$f" "$fonts/"
done
