#!/usr/bin/env bash
# Starts Xvfb on a free display and prints "DISPLAY PID" (used when no display is set).
# On a busy machine an Xvfb now and then ends before it serves: another is started.
set -eu
for attempt in 1 2 3 4 5; do
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp -noreset 4>"$fifo" >/dev/null 2>&1 &
    pid=$!
    num=
    read -r num <"$fifo" || true
    rm -f "$fifo"
    if [ -n "$num" ] && kill -0 "$pid" 2>/dev/null; then
        echo ":$num $pid"
        exit 0
    fi
    kill "$pid" 2>/dev/null || true
    sleep 1
done
echo "display.sh: Xvfb did not start" >&2
exit 1
