#!/usr/bin/env bash
# Starts Xvfb on a free display and prints "DISPLAY PID" (used when no display is set).
set -eu
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp -noreset 4>"$fifo" >/dev/null 2>&1 &
pid=$!
read -r num <"$fifo"
rm -f "$fifo"
echo ":$num $pid"
