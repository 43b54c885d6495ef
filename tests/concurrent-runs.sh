#!/bin/sh
# Pairs of runs at once in one folder (two host windows sharing the command's folder): OK with OK,
# and OK with Cancel. Each pair must leave one complete answer, the dimension or "hq", never no
# file and never a temporary file.
# usage: concurrent-runs.sh Q748 SOURCE_DIR PAIRS [RUNNER...]   (RUNNER: e.g. wine for q748.exe)
set -eu
q748=$1
source=$2
pairs=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
host="$source/samples/basic/JWC_TEMP.TXT"
settings="$source/samples/basic/q746.dat"

mkdir "$work/solo"
cp "$host" "$work/solo/JWC_TEMP.TXT"
cp "$settings" "$work/solo/q746.dat"
"$@" "$q748" --ok "$work/solo" || { echo "the single OK failed" >&2; exit 1; }
printf 'hq\r\n' >"$work/hq"

dir="$work/shared"
mkdir "$dir"
drawn=0 cancelled=0
i=0
while [ "$i" -lt "$pairs" ]; do
  cp "$host" "$dir/JWC_TEMP.TXT"
  cp "$settings" "$dir/q746.dat"
  if [ $((i % 2)) -eq 0 ]; then second=--ok; else second=--cancel; fi
  "$@" "$q748" --ok "$dir" 2>/dev/null &
  a=$!
  "$@" "$q748" "$second" "$dir" 2>/dev/null &
  b=$!
  wait "$a" || true
  wait "$b" || true
  if cmp -s "$dir/JWC_TEMP.TXT" "$work/solo/JWC_TEMP.TXT"; then
    drawn=$((drawn + 1))
  elif cmp -s "$dir/JWC_TEMP.TXT" "$work/hq"; then
    cancelled=$((cancelled + 1))
  else
    echo "pair $i ($second) left no complete answer:" >&2
    ls -l "$dir" >&2
    exit 1
  fi
  leftover=$(ls -A "$dir" | grep -v -x -e JWC_TEMP.TXT -e q746.dat || true)
  if [ -n "$leftover" ]; then
    echo "pair $i ($second) left files behind: $leftover" >&2
    exit 1
  fi
  i=$((i + 1))
done
echo "$pairs pairs: $drawn left the dimension, $cancelled left hq, none left no file or a temporary file"
