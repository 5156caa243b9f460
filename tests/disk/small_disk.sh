#!/usr/bin/env bash
# A tiny disk for the disk-full tests: a 64 KB tmpfs mounted on DIR.
#   small_disk.sh mount DIR     (a marker file on it tells the tests it is there)
#   small_disk.sh unmount DIR
# Mounting needs root; without it the tests that need the disk skip.
set -u
dir=$2
case $1 in
mount)
    mkdir -p "$dir"
    mountpoint -q "$dir" && umount "$dir"
    if mount -t tmpfs -o size=64k tmpfs "$dir" 2>/dev/null; then
        : >"$dir/small-disk.marker"
        echo "small disk mounted on $dir"
    else
        echo "small disk not mounted (not root?): the disk-full tests will skip"
    fi
    ;;
unmount)
    mountpoint -q "$dir" && umount "$dir"
    rmdir "$dir" 2>/dev/null
    ;;
esac
exit 0
