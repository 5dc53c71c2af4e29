#!/usr/bin/env bash
# Installs what is missing, builds the program and runs the throughput benchmark:
# vexaNT under Wine beside xterm, on the same display, fed by the same kind of host.
# Arguments go to bench/throughput.py (--megabytes N, --only NAME).
set -u
cd "$(dirname "$0")/.."
. tools/setup/packages.sh
# shellcheck disable=SC2086
vx_install_packages $VX_BUILD_PACKAGES xterm socat || { echo "package installation failed" >&2; exit 1; }
vx_build_windows || exit 1
exec python3 bench/throughput.py "$@"
