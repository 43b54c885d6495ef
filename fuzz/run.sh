#!/bin/sh
# Runs every libFuzzer target built in BUILD_DIR (BUILD_DIR/fuzz/fuzz_*) for SECONDS in all, split
# evenly among the targets. Target fuzz_<area>[_<variant>] starts from the seed corpus
# fuzz/corpus/<area>/ (never written to) and the dictionary fuzz/dict/<area>.dict if there is one;
# new inputs and crashers go to BUILD_DIR/fuzz-work/<area>[_<variant>]/. Exits non-zero when any target finds a crash, a leak, a timeout or
# an out-of-memory input.
set -u
if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR SECONDS" >&2
  exit 2
fi
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)

targets=$(find "$build/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
if [ -z "$targets" ]; then
  echo "no fuzz targets in $build/fuzz" >&2
  exit 2
fi
count=$(echo "$targets" | wc -l)
each=$((seconds / count))
[ "$each" -ge 1 ] || each=1

status=0
for target in $targets; do
  name=$(basename "$target")
  work="$build/fuzz-work/${name#fuzz_}"
  area=${name#fuzz_}
  area=${area%%_*}
  mkdir -p "$work/corpus" "$work/artifacts"
  set -- -max_total_time="$each" -max_len=65536 -rss_limit_mb=2048 -timeout=20 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus"
  [ -d "$here/corpus/$area" ] && set -- "$@" "$here/corpus/$area"
  [ -f "$here/dict/$area.dict" ] && set -- -dict="$here/dict/$area.dict" "$@"
  echo "== $name: $each s"
  if ! "$target" "$@"; then
    echo "== $name: FINDING, see $work/artifacts/" >&2
    status=1
  fi
done
exit $status
