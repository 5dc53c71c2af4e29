#!/usr/bin/env bash
# Installs what is missing, builds the engines optimised without sanitizers (build/bench)
# and runs the engine benchmark beside libvterm. Arguments go to bench/engine.py
# (--megabytes N, --only NAME, --rounds N).
set -u
cd "$(dirname "$0")/.."
. tools/setup/packages.sh
vx_install_packages cmake ninja-build g++ python3 libvterm-dev || { echo "package installation failed" >&2; exit 1; }
vx_build_bench || exit 1
exec python3 bench/engine.py "$@"
