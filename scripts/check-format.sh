#!/bin/sh
# Fails, naming the files, when a C++ source of the project differs from the layout .clang-format
# describes. Fix with: find util exchange app bench fuzz tests -name '*.cpp' -o -name '*.h' |
# xargs clang-format -i
set -eu
cd "$(dirname "$0")/.."
bad=""
for f in $(find util exchange app bench fuzz tests -name '*.cpp' -o -name '*.h' | sort); do
  clang-format --style=file --dry-run --Werror "$f" >/dev/null 2>&1 || bad="$bad $f"
done
if [ -n "$bad" ]; then
  echo "Not in the project's layout (.clang-format):" >&2
  for f in $bad; do echo "  $f" >&2; done
  exit 1
fi
echo "layout: every C++ source as .clang-format describes"
