#!/bin/sh
# Runs one Windows test executable under Wine without a display and without Wine's chatter.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
: "${WINEPREFIX:=${HOME:-/root}/.wine-q748}"
export WINEPREFIX
unset DISPLAY
if command -v wine64 >/dev/null 2>&1 && [ -x "$(command -v wine64)" ]; then exec wine64 "$@"; fi
exec wine "$@"
