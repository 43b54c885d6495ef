# Shared pieces of the end-to-end tests (bash): the real q748.exe under Wine on a virtual X display,
# driven with xdotool. Sourced by run-case.sh; expects E2E_EXE, E2E_SOURCE and E2E_WORK.
#
# Every wait polls with a deadline; everything started here is stopped on exit (the Wine server
# of the test prefix, the X server).

export WINEPREFIX="$E2E_WORK/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8
unset WINEARCH

E2E_XVFB_PID=""
E2E_APP_PID=""
E2E_CASE_DIR=""

log() { printf '%s\n' "$*" >&2; }
fail() {
  log "FAIL: $*"
  exit 1
}

# Milliseconds since the epoch, for deadlines.
now_ms() { date +%s%3N; }

# Stops what the test started and exits with `status`.
cleanup_and_exit() {
  local status=$1
  if [ -d "$WINEPREFIX" ]; then timeout 30 wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  exit $status
}
trap 'cleanup_and_exit $?' EXIT
trap 'exit 130' INT TERM

# The Wine prefix of these tests lives in the build tree and is made once (again when its
# settings change): Windows' own fonts
# of Wine (caption buttons, message boxes) and the IPA Gothic font for Japanese text in the
# prefix's font folder, and the system's captions and messages in IPA P Gothic.
ensure_prefix() {
  local settings
  settings=$(cksum <"$E2E_SOURCE/tests/e2e/data/prefix.reg")
  if [ "$(cat "$WINEPREFIX/.q748-ready" 2>/dev/null || true)" != "$settings" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    log "initialising the Wine prefix $WINEPREFIX"
    DISPLAY= timeout 300 wineboot -i >/dev/null 2>&1 || fail "wineboot -i did not finish"
    timeout 60 wineserver -w || true
    fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for f in marlett.ttf tahoma.ttf tahomabd.ttf; do
      [ -f "/usr/share/wine/fonts/$f" ] && ln -sf "/usr/share/wine/fonts/$f" "$fonts/$f"
    done
    for f in /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf; do
      [ -f "$f" ] && ln -sf "$f" "$fonts/$(basename "$f")"
    done
    DISPLAY= timeout 120 wine regedit /S "$(winepath_of "$E2E_SOURCE/tests/e2e/data/prefix.reg")" >/dev/null 2>&1 ||
      fail "the prefix settings could not be imported"
    timeout 60 wineserver -w || true
    echo "$settings" >"$WINEPREFIX/.q748-ready"
  fi
}

# A Unix path as Wine sees it (the Z: drive maps the root).
winepath_of() { printf 'Z:%s' "$1" | tr '/' '\\'; }

start_xvfb() {
  local n
  for n in $(seq 90 189); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      E2E_XVFB_PID=$!
      export DISPLAY=":$n"
      local deadline
      deadline=$(($(now_ms) + 15000))
      while [ "$(now_ms)" -lt "$deadline" ]; do
        if xdotool getdisplaygeometry >/dev/null 2>&1; then return 0; fi
        if ! kill -0 "$E2E_XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.1
      done
      kill "$E2E_XVFB_PID" 2>/dev/null || true
      E2E_XVFB_PID=""
    fi
  done
  fail "no X display could be started"
}

# The id of the first window whose title matches the regular expression, within the timeout.
wait_window() {
  local pattern=$1 deadline id
  deadline=$(($(now_ms) + ${2:-30} * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no window titled /$pattern/ appeared within ${2:-30} s"
}

# The id of a window titled /pattern/ other than `old` (a box shown again), within the timeout.
wait_other_window() {
  local pattern=$1 old=$2 deadline id
  deadline=$(($(now_ms) + ${3:-30} * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | grep -vx "$old" | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no other window titled /$pattern/ appeared within ${3:-30} s"
}

wait_no_window() {
  local pattern=$1 deadline
  deadline=$(($(now_ms) + ${2:-30} * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the window titled /$pattern/ is still open after ${2:-30} s"
}

# True while a window titled `pattern` stays open for `seconds` (checked every 0.1 s).
stays_open() {
  local pattern=$1 deadline
  deadline=$(($(now_ms) + $2 * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 1
    sleep 0.1
  done
  return 0
}

# Keys go to the window that has the input focus; make sure that it is `id`.
focus_window() {
  local deadline
  deadline=$(($(now_ms) + 10000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$1" ] && return 0
    xdotool windowfocus "$1" >/dev/null 2>&1 || true
    sleep 0.1
  done
  fail "window $1 did not take the input focus"
}

# A folder with its own q748.exe, host input and (optionally) settings file. The folder names
# are Japanese on purpose: the program must find its files through a wide path.
prepare_dir() {
  local dir=$1 input=$2 settings=${3:-}
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$E2E_EXE" "$dir/q748.exe"
  cp "$input" "$dir/JWC_TEMP.TXT"
  if [ -n "$settings" ]; then cp "$settings" "$dir/q746.dat"; fi
}

# The headless front end of the same executable on a folder; its exit status is returned.
headless() {
  local dir=$1
  shift
  (cd "$dir" && timeout 120 wine ./q748.exe "$@" "$(winepath_of "$dir")" >/dev/null 2>"$dir/headless.err")
}

# start_dialog DIR [LOG [ARGUMENTS...]]: the dialog of q748.exe in DIR, its output to LOG.
start_dialog() {
  local dir=$1 log=${2:-$1/dialog.log}
  shift $(($# < 2 ? $# : 2))
  (cd "$dir" && exec wine ./q748.exe "$@") >"$log" 2>&1 &
  E2E_APP_PID=$!
}

wait_app_exit() {
  local deadline
  deadline=$(($(now_ms) + ${1:-30} * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    if ! kill -0 "$E2E_APP_PID" 2>/dev/null; then
      wait "$E2E_APP_PID" 2>/dev/null || true
      return 0
    fi
    sleep 0.1
  done
  fail "q748.exe did not end within ${1:-30} s"
}

# The bundled sample's host input and settings when present, else the test data's.
sample_input() {
  if [ -f "$E2E_SOURCE/samples/basic/JWC_TEMP.TXT" ]; then
    echo "$E2E_SOURCE/samples/basic/JWC_TEMP.TXT"
  else
    echo "$E2E_SOURCE/tests/data/hosts/host-input-1.txt"
  fi
}
sample_settings() {
  if [ -f "$E2E_SOURCE/samples/basic/q746.dat" ]; then
    echo "$E2E_SOURCE/samples/basic/q746.dat"
  else
    echo "$E2E_SOURCE/tests/e2e/data/q746.dat"
  fi
}

# A copy of a settings file with line `n` replaced (CR LF kept).
settings_with_line() {
  awk -v n="$2" -v v="$3" 'NR == n { printf "%s\r\n", v; next } { print }' "$1" >"$4"
}

# A copy of a host input whose second picked point lies level with the first, as far from it as
# the sample's points are from each other: a horizontal dimension of the same length.
input_horizontal() {
  awk '
    /^hp1 / { split($0, p1, " ") }
    /^hp2 / { split($0, p2, " "); sub(/\r$/, "", p1[3]); sub(/\r$/, "", p2[3]);
              printf "hp2 %s %s\r\n", p1[2] + (p2[3] - p1[3]), p1[3]; next }
    { print }' "$1" >"$2"
}

# A copy of a host input whose second picked point is the first: a dimension of zero length.
input_with_zero_length() {
  awk '
    /^hp1 / { p1 = substr($0, 5) }
    /^hp2 / { sub(/\r$/, "", p1); printf "hp2 %s\r\n", p1; next }
    { print }' "$1" >"$2"
}

is_hq_only() { [ "$(od -An -c "$1" | tr -d ' \n')" = 'hq\r\n' ]; }

# The dialog's window on screen as an image: the X window of the top-level window.
capture_window() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

# Fails unless an image holds a real picture: many colours and a clear spread of brightness.
check_not_blank() {
  local colours spread
  colours=$(identify -format '%k' "$1")
  spread=$(identify -format '%[fx:int(1000*standard_deviation)]' "$1")
  log "$1: $colours colours, standard deviation $spread/1000"
  [ "$colours" -ge 16 ] || fail "$1 has only $colours colours"
  [ "$spread" -ge 50 ] || fail "$1 is nearly uniform (standard deviation $spread/1000)"
}
