#!/bin/sh
# Draws the bundled sample dimension with the headless command: installs what is missing, builds
# q748, runs "q748 --ok" on a copy of samples/basic and prints what Jw_cad would read back.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh sample
# A tree of its own without the tests: GoogleTest and the rest come with scripts/run-tests.sh.
cmake -S . -B build/sample -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQ748_TESTS=OFF >/dev/null
cmake --build build/sample -j 2 --target q748

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp samples/basic/JWC_TEMP.TXT samples/basic/q746.dat "$work"/

printf '\n==== q748 --ok, with the host file and settings of samples/basic\n'
status=0
build/sample/app/cli/q748 --ok "$work" || status=$?
if [ "$status" -ne 0 ]; then
  echo "q748 ended with status $status" >&2
  exit "$status"
fi

printf '\n==== JWC_TEMP.TXT as the command left it (Shift-JIS shown as UTF-8)\n'
iconv -f CP932 -t UTF-8 "$work/JWC_TEMP.TXT" | tr -d '\r' | tee "$work/out.txt"

# One line on what it means: the dimension line is the third line entity (or the line of the
# combined "msg" entity), the value text is the text after the double quote of the "cs" line.
printf '\n'
awk '
  function numeric(s) { return s ~ /^-?[0-9.]+(E-?[0-9]+)?$/ }
  NF == 4 && numeric($1) && numeric($2) && numeric($3) && numeric($4) {
    lines++
    if (lines == 3 || afterMsg) { dx = $3 - $1; dy = $4 - $2; len = sqrt(dx * dx + dy * dy); afterMsg = 0 }
  }
  $1 == "msg" { afterMsg = 1; lines = 2 }
  /^cs / { text = substr($0, index($0, "\"") + 1); x = $2; y = $3 }
  END {
    printf "a vertical dimension of %.10g with its value text \"%s\" at (%s, %s): %d lines for the host\n",
      len, text, x, y, NR
  }' "$work/out.txt"
