#!/usr/bin/env bash
# Mounts the slow drive and maps it into the current Wine prefix as S: and as the folder link
# C:\slow_link, or takes it away.
#
#   slow_drive.sh start SERVER FOLDER DELAY_MS FILE...   copies the files into FOLDER/source
#   slow_drive.sh stop FOLDER
#
# The server runs in FOLDER (its id in FOLDER/pid) until stop, which also ends what an
# interrupted run left behind. The server is ended first: a Wine process blocked on the drive
# returns only when its request fails.
set -euo pipefail

stop() { # folder
    local folder=$1 pid
    if [ -f "$folder/pid" ]; then
        pid=$(cat "$folder/pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
        rm -f "$folder/pid"
    fi
    # Read from the mount table: a mount whose server is gone fails every stat.
    if grep -q " $folder/mount fuse" /proc/mounts; then
        umount -l "$folder/mount"
    fi
    if [ -n "${WINEPREFIX:-}" ] && [ "$(readlink "$WINEPREFIX/dosdevices/s:" 2>/dev/null)" = "$folder/mount" ]; then
        rm -f "$WINEPREFIX/dosdevices/s:"
    fi
    if [ -n "${WINEPREFIX:-}" ] && [ "$(readlink "$WINEPREFIX/drive_c/slow_link" 2>/dev/null)" = "$folder/mount" ]; then
        rm -f "$WINEPREFIX/drive_c/slow_link"
    fi
}

start() { # server folder delay files...
    local server=$1 folder=$2 delay=$3
    shift 3
    if [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX/dosdevices" ]; then
        echo "slow drive: WINEPREFIX names no Wine prefix" >&2
        return 1
    fi
    stop "$folder"
    rm -rf "$folder/source"
    mkdir -p "$folder/source" "$folder/mount"
    cp "$@" "$folder/source/"
    setsid "$server" "$folder/source" "$folder/mount" "$delay" \
        </dev/null >"$folder/server.log" 2>&1 &
    echo $! >"$folder/pid"
    for _ in $(seq 1 100); do
        if grep -q " $folder/mount fuse" /proc/mounts; then
            ln -sfn "$folder/mount" "$WINEPREFIX/dosdevices/s:"
            ln -sfn "$folder/mount" "$WINEPREFIX/drive_c/slow_link"
            echo "slow drive: S: and C:\slow_link are $folder/source, $delay ms a request"
            return 0
        fi
        kill -0 "$(cat "$folder/pid")" 2>/dev/null || break
        sleep 0.1
    done
    echo "slow drive: the server did not mount $folder/mount:" >&2
    cat "$folder/server.log" >&2
    stop "$folder"
    return 1
}

usage() {
    echo "usage: $0 start SERVER FOLDER DELAY_MS FILE... | stop FOLDER" >&2
    exit 2
}

case "${1:-}" in
start) shift && [ $# -ge 4 ] || usage && start "$@" ;;
stop) shift && [ $# -eq 1 ] || usage && stop "$1" ;;
*) usage ;;
esac
