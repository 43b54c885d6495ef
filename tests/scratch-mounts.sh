#!/bin/sh
# Two tiny file systems for the tests of failed writes: DIR/read-only (mounted read-only, holding
# JWC_TEMP.TXT and q746.dat as the host and an earlier run left them) and DIR/full (no room left
# beside the same two files). Needs root, as the test command runs. Also DIR/links, links planted
# at temporary names that point into DIR/victim (made here: the Windows build cannot make links).
# usage: scratch-mounts.sh up|down DIR
set -eu
action=$1
dir=$2
# A complete host file: OK draws on it, and then meets the folder.
host_input='hq\r\nhk 0\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhp1 0 0\r\nhp2 0 100\r\nhp3 50 30\r\nhp4 80 40\r\nlg0\r\nly0\r\nlc1\r\nlt1\r\nlw0\r\ncn1\r\n'
# The starting values, with the host's text type 1 chosen: OK is not refused.
settings='100\r\n100\r\n0\r\n0\r\n1\r\n3\r\n2\r\n1\r\n\r\n\r\n0.5\r\n2\r\n2\r\n3\r\n15\r\n2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n'

unmount() { if mountpoint -q "$1"; then umount "$1"; fi; }

case "$action" in
  up)
    unmount "$dir/read-only" 2>/dev/null || true
    unmount "$dir/full" 2>/dev/null || true
    mkdir -p "$dir/read-only" "$dir/full"
    mount -t tmpfs -o size=64k,mode=0777 q748-read-only "$dir/read-only" ||
      { echo "scratch-mounts: cannot mount a tmpfs (the tests run as root)" >&2; exit 1; }
    mount -t tmpfs -o size=64k,mode=0777 q748-full "$dir/full"
    for d in "$dir/read-only" "$dir/full"; do
      printf "$host_input" >"$d/JWC_TEMP.TXT"
      printf "$settings" >"$d/q746.dat"
      printf '<svg/>\n' >"$d/preview.svg"
    done
    mount -o remount,ro "$dir/read-only"
    rm -rf "$dir/links" "$dir/victim"
    mkdir -p "$dir/links" "$dir/victim"
    printf 'victim' >"$dir/victim/victim.txt"
    ln -s ../victim/victim.txt "$dir/links/JWC_TEMP.TXT.1-0123456789abcdef.tmp"
    ln -s ../victim/new "$dir/links/JWC_TEMP.TXT.2-0123456789abcdef.tmp"
    dd if=/dev/zero of="$dir/full/filler" bs=4096 2>/dev/null || true
    ;;
  down)
    unmount "$dir/read-only"
    unmount "$dir/full"
    ;;
  *)
    echo "usage: scratch-mounts.sh up|down DIR" >&2
    exit 2
    ;;
esac
