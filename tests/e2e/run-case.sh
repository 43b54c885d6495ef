#!/bin/bash
# One end-to-end case on the real q748.exe: Xvfb + Wine + xdotool.
# usage: run-case.sh CASE EXE SOURCE_DIR WORK_DIR [HELPER_EXE]
#   prefix       make the Wine prefix (once; the other cases need it)
#   ok           the sample with its settings: Enter writes what the headless OK writes
#   cancel       Esc leaves "hq" and does not touch the settings
#   close-box    the title bar's close box likewise
#   invalid      Edit1 "0": Enter leaves the dialog open and writes nothing until Cancel
#   invalid-fix  Edit1 "0": Enter puts the focus on Edit1; typing 2 and Enter then completes
#   zero-length  the measured points coincide: the "ソラトＫ - 確認" box, then back to the dialog
#   screenshot   the dialog as the user sees it, with a Japanese font; kept as screenshot.png
#   hidpi        at 144 dpi the whole dialog is scaled by 1.5; kept as screenshot-144dpi.png
#   preview      the preview panel holds a picture; Down in ComboBox1 redraws it, and OK draws that
#   preview-hidden  the preview hidden: the controls' width; a click on プレビュー表示 widens the dialog
#   command-line q748.exe with arguments: the headless front end, its output and exit status
#   read-only    OK in a folder that cannot be written: the error box names the reason, 再試行
#                fails again, キャンセル closes and the host's file still begins with hq
#   held         another program (HELPER_EXE, hold_file.exe) holds JWC_TEMP.TXT: for 1.5 s the
#                headless OK waits and writes; for 25 s it gives up within 20 s with status 2; the
#                dialog's box offers 再試行, which writes once the file is let go
#   horizontal   q748.exe --direction horizontal: its caption, its preview, and Enter writes what
#                the headless OK of that direction writes, with its own settings file; kept as
#                screenshot-horizontal.png
#   outside      q748.exe --next outside after an ordinary dimension: its caption, its preview
#                with the last dimension, and Enter writes what the headless OK writes; kept as
#                screenshot-outside.png
#   quick        settings that skip the dialog: the run draws what the headless OK draws without
#                showing it; a refused run shows why in the mode's 確認 box and leaves hq; with Shift
#                held at the start the dialog comes back; the chain of the same file keeps its
#                dialog; the settings launcher's dialog clears the choice and draws nothing
#   view         the in-process tests of the Win32 view (HELPER_EXE) on the display
set -eu
case_name=$1
E2E_EXE=$(realpath "$2")
E2E_SOURCE=$(realpath "$3")
mkdir -p "$4"
E2E_WORK=$(realpath "$4")
E2E_TEST_EXE=${5:+$(realpath "$5")}
. "$E2E_SOURCE/tests/e2e/lib.sh"

readonly DIALOG='^ソラトＫ$'
readonly CONFIRM='^ソラトＫ - 確認$'
readonly WRITE_ERROR='^書き込みエラー$'
cases="$E2E_WORK/cases/$case_name"

# Opens the dialog on `dir` (its output to `log`, by default dir/dialog.log) and returns when it
# is shown with the input focus.
open_dialog() {
  start_dialog "$@"
  dialog_id=$(wait_window "$DIALOG" 60)
  focus_window "$dialog_id"
}

case_prefix() {
  ensure_prefix
  [ -f "$WINEPREFIX/system.reg" ] || fail "the prefix has no registry"
}

case_ok() {
  local dialog="$cases/ダイアログ" reference="$cases/headless"
  prepare_dir "$dialog" "$(sample_input)" "$(sample_settings)"
  prepare_dir "$reference" "$(sample_input)" "$(sample_settings)"
  start_xvfb
  headless "$reference" --ok || fail "the headless OK failed: $(cat "$reference/headless.err")"
  is_hq_only "$reference/JWC_TEMP.TXT" && fail "the headless OK drew nothing: the sample is unusable"
  open_dialog "$dialog"
  xdotool key Return
  wait_app_exit 30
  cmp "$dialog/JWC_TEMP.TXT" "$reference/JWC_TEMP.TXT" || fail "Enter in the dialog wrote another JWC_TEMP.TXT than the headless OK"
  # The same settings too: the dialog stood where the settings file put it.
  cmp "$dialog/q746.dat" "$reference/q746.dat" || fail "the dialog saved other settings than the headless OK"
}

cancel_by() {
  local key=$1 dir="$cases/ダイアログ"
  prepare_dir "$dir" "$(sample_input)" "$(sample_settings)"
  start_xvfb
  open_dialog "$dir"
  if [ "$key" = close-box ]; then
    # The × of the title bar, which Wine draws at the top right of the frame.
    eval "$(xdotool getwindowgeometry --shell "$dialog_id")"
    xdotool mousemove $((X + WIDTH - 12)) $((Y + 11)) click 1
  else
    xdotool key "$key"
  fi
  wait_app_exit 30
  is_hq_only "$dir/JWC_TEMP.TXT" || fail "$key did not leave the single line hq: $(od -c "$dir/JWC_TEMP.TXT" | head -n 3)"
  cmp "$dir/q746.dat" "$(sample_settings)" || fail "$key changed the settings file"
}
case_cancel() { cancel_by Escape; }
case_close_box() { cancel_by close-box; }

case_invalid() {
  local dir="$cases/ダイアログ"
  prepare_dir "$dir" "$(sample_input)"
  settings_with_line "$(sample_settings)" 8 0 "$dir/q746.dat"
  cp "$dir/q746.dat" "$cases/q746.dat.before"
  start_xvfb
  open_dialog "$dir"
  xdotool key Return
  stays_open "$DIALOG" 3 || fail "Enter closed the dialog although Edit1 is 0"
  cmp "$dir/JWC_TEMP.TXT" "$(sample_input)" || fail "a refused OK wrote JWC_TEMP.TXT"
  cmp "$dir/q746.dat" "$cases/q746.dat.before" || fail "a refused OK wrote the settings"
  xdotool key Escape
  wait_app_exit 30
  is_hq_only "$dir/JWC_TEMP.TXT" || fail "Cancel after a refused OK did not leave hq"
}

case_invalid_fix() {
  local dir="$cases/ダイアログ" reference="$cases/headless"
  prepare_dir "$dir" "$(sample_input)"
  settings_with_line "$(sample_settings)" 8 0 "$dir/q746.dat"
  prepare_dir "$reference" "$(sample_input)" "$dir/q746.dat"
  start_xvfb
  headless "$reference" --ok --set Edit1=2 || fail "the headless OK failed: $(cat "$reference/headless.err")"
  open_dialog "$dir"
  # The refused OK selects Edit1's text; "2" replaces it.
  xdotool key Return
  stays_open "$DIALOG" 1 || fail "Enter closed the dialog although Edit1 is 0"
  xdotool type 2
  xdotool key Return
  wait_app_exit 30
  cmp "$dir/JWC_TEMP.TXT" "$reference/JWC_TEMP.TXT" || fail "after the focus went to Edit1, typing 2 did not give the output of Edit1=2"
}

case_zero_length() {
  local dir="$cases/ダイアログ" reference="$cases/headless"
  mkdir -p "$cases"
  input_with_zero_length "$(sample_input)" "$cases/input.txt"
  prepare_dir "$dir" "$cases/input.txt" "$(sample_settings)"
  prepare_dir "$reference" "$cases/input.txt" "$(sample_settings)"
  start_xvfb
  # The headless OK refuses the same inputs (status 1), after saving the settings.
  if headless "$reference" --ok; then fail "the headless OK drew a dimension of zero length"; fi
  open_dialog "$dir"
  xdotool key Return
  box=$(wait_window "$CONFIRM" 30)
  capture_window "$box" "$E2E_WORK/confirmation.png"
  check_not_blank "$E2E_WORK/confirmation.png"
  # The checks had passed: the settings are saved before the length is looked at.
  cmp "$dir/q746.dat" "$reference/q746.dat" || fail "the settings were not saved before the zero-length refusal"
  cmp "$dir/JWC_TEMP.TXT" "$cases/input.txt" || fail "the refusal wrote JWC_TEMP.TXT"
  focus_window "$box"
  xdotool key Return
  wait_no_window "$CONFIRM" 30
  stays_open "$DIALOG" 1 || fail "closing the message box closed the dialog"
  dialog_id=$(wait_window "$DIALOG" 5)
  focus_window "$dialog_id"
  xdotool key Escape
  wait_app_exit 30
  is_hq_only "$dir/JWC_TEMP.TXT" || fail "Cancel after the refusal did not leave hq"
}

# Waits until the dialog has painted (two equal captures in a row), then keeps the picture.
capture_settled() {
  local id=$1 out=$2 previous="" current deadline
  deadline=$(($(now_ms) + 20000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    capture_window "$id" "$out"
    current=$(identify -format '%#' "$out")
    [ "$current" = "$previous" ] && return 0
    previous=$current
    sleep 0.2
  done
  fail "the dialog did not settle on one picture"
}

case_screenshot() {
  local dir="$cases/ダイアログ"
  prepare_dir "$dir" "$(sample_input)" "$(sample_settings)"
  start_xvfb
  open_dialog "$dir"
  capture_settled "$dialog_id" "$E2E_WORK/screenshot.png"
  check_not_blank "$E2E_WORK/screenshot.png"
  eval "$(xdotool getwindowgeometry --shell "$dialog_id")"
  # 732 x 436 of client area (the controls' 492 and the preview) with Wine's frame around it.
  [ "$WIDTH" -ge 732 ] && [ "$WIDTH" -le 760 ] && [ "$HEIGHT" -ge 436 ] && [ "$HEIGHT" -le 480 ] ||
    fail "the dialog is ${WIDTH}x${HEIGHT}, not 732x436 with a frame"
  if [ -n "${Q748_UPDATE_SCREENSHOT:-}" ]; then
    convert "$E2E_WORK/screenshot.png" -strip "$E2E_SOURCE/docs/screenshot.png"
  fi
  xdotool key Escape
  wait_app_exit 30
}

case_hidpi() {
  local dir="$cases/ダイアログ"
  prepare_dir "$dir" "$(sample_input)"
  # At the screen's left edge, so that the whole of the 1.5 times wider dialog is in the picture.
  settings_with_line "$(sample_settings)" 1 0 "$dir/q746.dat"
  # 144 dpi for this case only; the prefix is put back to 96 dpi whatever happens.
  set_dpi() {
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || true
    timeout 60 wineserver -k >/dev/null 2>&1 || true
    timeout 60 wineserver -w >/dev/null 2>&1 || true
  }
  trap 'status=$?; set_dpi 96; cleanup_and_exit $status' EXIT
  start_xvfb
  set_dpi 144
  open_dialog "$dir"
  capture_settled "$dialog_id" "$E2E_WORK/screenshot-144dpi.png"
  check_not_blank "$E2E_WORK/screenshot-144dpi.png"
  eval "$(xdotool getwindowgeometry --shell "$dialog_id")"
  [ "$WIDTH" -ge 1098 ] && [ "$WIDTH" -le 1130 ] && [ "$HEIGHT" -ge 654 ] && [ "$HEIGHT" -le 710 ] ||
    fail "at 144 dpi the dialog is ${WIDTH}x${HEIGHT}, not 1098x654 with a frame"
  xdotool key Escape
  wait_app_exit 30
  is_hq_only "$dir/JWC_TEMP.TXT" || fail "Esc at 144 dpi did not leave hq"
}

# Where the preview panel is on the screen, as WxH+X+Y: the client area (732 x 436 at 96 dpi) sits
# in Wine's frame, whose sides and bottom are equally thick; the panel is at 496, 4 in it.
panel_region() {
  local X Y WIDTH HEIGHT SCREEN WINDOW border top
  eval "$(xdotool getwindowgeometry --shell "$1")"
  border=$(((WIDTH - 732) / 2))
  top=$((HEIGHT - 436 - border))
  echo "232x318+$((X + border + 496))+$((Y + top + 4))"
}

capture_region() { import -window root -crop "$1" +repage "$2"; }

# Pixels of the panel (inside its frame) that are not white.
inked_pixels() {
  convert "$1" -shave 3x3 -colorspace gray -threshold 95% -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Differing pixels of two pictures of the same size.
pixels_differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

case_preview() {
  local dir="$cases/ダイアログ" reference="$cases/headless" region
  local before="$E2E_WORK/preview-before.png" after="$E2E_WORK/preview-after.png" inked changed deadline
  prepare_dir "$dir" "$(sample_input)" "$(sample_settings)"
  prepare_dir "$reference" "$(sample_input)" "$(sample_settings)"
  start_xvfb
  headless "$reference" --ok --set ComboBox1=1 || fail "the headless OK failed: $(cat "$reference/headless.err")"
  open_dialog "$dir"
  region=$(panel_region "$dialog_id")
  # The preview is drawn once the dialog shows: wait until the panel holds a picture.
  deadline=$(($(now_ms) + 20000))
  inked=0
  while [ "$(now_ms)" -lt "$deadline" ]; do
    capture_region "$region" "$before"
    inked=$(inked_pixels "$before")
    [ "$inked" -ge 300 ] && break
    sleep 0.1
  done
  [ "$inked" -ge 300 ] || fail "the preview panel stayed blank ($inked inked pixels)"
  capture_settled "$dialog_id" "$cases/dialog.png"
  capture_region "$region" "$before"
  # The first control, ComboBox1, has the focus: Down picks the next end marker (線矢印 -> △).
  xdotool key Down
  deadline=$(($(now_ms) + 10000))
  changed=0
  while [ "$(now_ms)" -lt "$deadline" ]; do
    capture_region "$region" "$after"
    changed=$(pixels_differing "$before" "$after")
    [ "${changed:-0}" -gt 0 ] 2>/dev/null && break
    sleep 0.1
  done
  log "preview: $inked inked pixels before, $changed pixels changed by Down"
  [ "${changed:-0}" -gt 0 ] 2>/dev/null || fail "the preview panel did not change when ComboBox1 changed"
  inked=$(inked_pixels "$after")
  [ "$inked" -ge 300 ] || fail "after the change the preview panel is blank ($inked inked pixels)"
  # What the preview followed is what OK draws: the triangle, as the headless OK with ComboBox1=1.
  xdotool key Return
  wait_app_exit 30
  cmp "$dir/JWC_TEMP.TXT" "$reference/JWC_TEMP.TXT" || fail "after Down the dialog did not draw what ComboBox1=1 draws"
}

# With the preview hidden (the settings' line 32): the window has the controls' width
# and no empty frame; a click on プレビュー表示, in the information pane, widens it again.
case_preview_hidden() {
  local dir="$cases/ダイアログ" X Y WIDTH HEIGHT SCREEN WINDOW border top deadline
  prepare_dir "$dir" "$(sample_input)"
  awk 'NR <= 31 { print } END { for (i = NR + 1; i <= 31; i++) printf "\r\n"; printf "0\r\n" }' \
    "$(sample_settings)" >"$dir/q746.dat"
  start_xvfb
  open_dialog "$dir"
  capture_settled "$dialog_id" "$E2E_WORK/preview-hidden.png"
  eval "$(xdotool getwindowgeometry --shell "$dialog_id")"
  [ "$WIDTH" -ge 492 ] && [ "$WIDTH" -le 520 ] || fail "with the preview hidden the dialog is $WIDTH wide, not 492 with a frame"
  border=$(((WIDTH - 492) / 2))
  top=$((HEIGHT - 436 - border))
  # The check box stands at 8, 399 in the client area, 129 x 17.
  xdotool mousemove $((X + border + 20)) $((Y + top + 407)) click 1
  deadline=$(($(now_ms) + 10000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    eval "$(xdotool getwindowgeometry --shell "$dialog_id")"
    [ "$WIDTH" -ge 732 ] && break
    sleep 0.1
  done
  [ "$WIDTH" -ge 732 ] && [ "$WIDTH" -le 760 ] || fail "a click on プレビュー表示 left the dialog $WIDTH wide, not 732 with a frame"
  xdotool key Escape
  wait_app_exit 30
  is_hq_only "$dir/JWC_TEMP.TXT" || fail "Esc did not leave hq"
}

case_command_line() {
  local dir="$cases/フォルダ" status
  prepare_dir "$dir" "$(sample_input)" "$(sample_settings)"
  status=0
  (cd "$dir" && timeout 120 wine ./q748.exe --help >"$cases/help.txt" 2>"$cases/help.err") || status=$?
  [ "$status" -eq 0 ] || fail "--help ended with status $status"
  grep -q -- '--ok' "$cases/help.txt" || fail "--help printed no usage: $(head -c 300 "$cases/help.txt")"
  status=0
  (cd "$dir" && timeout 120 wine ./q748.exe --no-such-option >/dev/null 2>"$cases/usage.err") || status=$?
  [ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"
  [ -s "$cases/usage.err" ] || fail "an unknown option was not reported on standard error"
  # Output bytes unchanged on the way out: CR LF stays CR LF.
  (cd "$dir" && timeout 120 wine ./q748.exe --cancel --stdout >"$cases/cancel.txt") || fail "--cancel --stdout failed"
  is_hq_only "$cases/cancel.txt" || fail "--cancel --stdout wrote $(od -c "$cases/cancel.txt" | head -n 2)"
}

case_read_only() {
  readonly_dir="$cases/読み取り専用"
  local dir=$readonly_dir
  mkdir -p "$dir"
  if mountpoint -q "$dir"; then umount "$dir"; fi
  mount -t tmpfs -o size=8m q748-e2e "$dir" || fail "cannot mount a tmpfs for the read-only folder"
  trap 'status=$?; umount "$readonly_dir" 2>/dev/null || true; cleanup_and_exit $status' EXIT
  cp "$E2E_EXE" "$dir/q748.exe"
  cp "$(sample_input)" "$dir/JWC_TEMP.TXT"
  cp "$(sample_settings)" "$dir/q746.dat"
  mount -o remount,ro "$dir"
  start_xvfb
  open_dialog "$dir" "$cases/dialog.log"
  xdotool key Return
  box=$(wait_window "$WRITE_ERROR" 30)
  capture_window "$box" "$E2E_WORK/write-error.png"
  check_not_blank "$E2E_WORK/write-error.png"
  # 再試行 (the box's default button) tries again and fails again; キャンセル (Esc) gives up.
  focus_window "$box"
  xdotool key Return
  again=$(wait_other_window "$WRITE_ERROR" "$box" 30)
  focus_window "$again"
  xdotool key Escape
  wait_app_exit 30
  cmp "$dir/JWC_TEMP.TXT" "$(sample_input)" || fail "the host's file changed in a read-only folder"
  # The settings could not be saved either: said on standard error, without a box.
  grep -q '設定を保存できませんでした' "$cases/dialog.log" || fail "the failed save was not said: $(cat "$cases/dialog.log")"
}

# hold_file FILE MS: another program (HELPER_EXE) holds FILE for MS milliseconds; returns once it
# has taken it, with its process in `holder`.
hold_file() {
  (exec wine "$E2E_TEST_EXE" "$(winepath_of "$1")" "$2") >"$cases/hold.out" 2>&1 &
  holder=$!
  local deadline=$(($(now_ms) + 30000))
  until grep -q held "$cases/hold.out" 2>/dev/null; do
    [ "$(now_ms)" -lt "$deadline" ] || fail "hold_file did not take the file: $(cat "$cases/hold.out")"
    sleep 0.1
  done
}

case_held() {
  local dir="$cases/フォルダ" reference="$cases/headless" started elapsed status
  [ -n "$E2E_TEST_EXE" ] || fail "no hold_file.exe given"
  # The display before any Wine program: the dialog at the end shares their desktop.
  start_xvfb
  prepare_dir "$reference" "$(sample_input)" "$(sample_settings)"
  headless "$reference" --ok || fail "the headless OK failed: $(cat "$reference/headless.err")"
  for hold in 1500 25000; do
    prepare_dir "$dir" "$(sample_input)" "$(sample_settings)"
    hold_file "$dir/JWC_TEMP.TXT" "$hold"
    started=$(now_ms)
    status=0
    headless "$dir" --ok || status=$?
    elapsed=$(($(now_ms) - started))
    log "held for $hold ms: OK ended with status $status after $elapsed ms: $(cat "$dir/headless.err")"
    if [ "$hold" -eq 1500 ]; then
      [ "$status" -eq 0 ] || fail "OK gave up on a file held for 1.5 s (status $status)"
      cmp "$dir/JWC_TEMP.TXT" "$reference/JWC_TEMP.TXT" || fail "after the wait OK did not write the dimension"
    else
      [ "$status" -eq 2 ] || fail "OK on a file held for 25 s ended with status $status, not 2"
      [ "$elapsed" -lt 20000 ] || fail "OK took $elapsed ms to give up"
      grep -q '使用中' "$dir/headless.err" || fail "the reason was not given: $(cat "$dir/headless.err")"
      cmp "$dir/JWC_TEMP.TXT" "$(sample_input)" || fail "the host's file changed while it was held"
    fi
    kill "$holder" 2>/dev/null || true
    wait "$holder" 2>/dev/null || true
  done
  # The dialog: while the file stays held, a box offers 再試行; once it is let go, 再試行 writes
  # the same dimension without picking the points again.
  prepare_dir "$dir" "$(sample_input)" "$(sample_settings)"
  hold_file "$dir/JWC_TEMP.TXT" 120000
  open_dialog "$dir" "$cases/dialog.log"
  xdotool key Return
  box=$(wait_window "$WRITE_ERROR" 30)
  cmp "$dir/JWC_TEMP.TXT" "$(sample_input)" || fail "the host's file changed while it was held"
  kill "$holder" 2>/dev/null || true
  wait "$holder" 2>/dev/null || true
  focus_window "$box"
  xdotool key Return
  wait_app_exit 30
  cmp "$dir/JWC_TEMP.TXT" "$reference/JWC_TEMP.TXT" || fail "再試行 after the file was let go did not write the dimension"
}

# The sample's settings with lines 32..35 as they start and line 36 (skip the dialog) checked.
quick_settings() {
  { cat "$1"; printf '1\r\n8\r\n\r\n\r\n1\r\n'; } >"$2"
}

case_quick() {
  local dir="$cases/すぐ作図" reference="$cases/headless" refused="$cases/作図できない"
  start_xvfb
  prepare_dir "$dir" "$(sample_input)"
  quick_settings "$(sample_settings)" "$dir/q746.dat"
  prepare_dir "$reference" "$(sample_input)" "$dir/q746.dat"
  headless "$reference" --ok || fail "the headless OK failed: $(cat "$reference/headless.err")"
  start_dialog "$dir"
  wait_app_exit 60  # by itself: no dialog waits for the user
  cmp "$dir/JWC_TEMP.TXT" "$reference/JWC_TEMP.TXT" || fail "the run without the dialog wrote another JWC_TEMP.TXT than the headless OK"

  # Edit1 0: the reason in the confirmation box, then nothing drawn.
  prepare_dir "$refused" "$(sample_input)"
  settings_with_line "$(sample_settings)" 8 0 "$cases/edit1-0.dat"
  quick_settings "$cases/edit1-0.dat" "$refused/q746.dat"
  start_dialog "$refused"
  box=$(wait_window "$CONFIRM" 60)
  focus_window "$box"
  xdotool key Return
  wait_app_exit 30
  is_hq_only "$refused/JWC_TEMP.TXT" || fail "a refused run without the dialog did not leave hq"

  # Shift held at the start brings the dialog back. Wine learns of keys through its own windows,
  # as it does through the host's when a user starts the command: another dialog stands in for
  # the host and has the focus while Shift goes down.
  local host="$cases/ホスト"
  prepare_dir "$host" "$(sample_input)" "$(sample_settings)"
  open_dialog "$host" "$cases/host.log"
  local host_id=$dialog_id host_pid=$E2E_APP_PID
  xdotool keydown shift
  prepare_dir "$dir" "$(sample_input)"
  quick_settings "$(sample_settings)" "$dir/q746.dat"
  start_dialog "$dir"
  dialog_id=$(wait_other_window "$DIALOG" "$host_id" 60)
  xdotool keyup shift
  focus_window "$dialog_id"
  xdotool key Escape
  wait_app_exit 30
  is_hq_only "$dir/JWC_TEMP.TXT" || fail "Esc in the dialog brought back by Shift did not leave hq"
  E2E_APP_PID=$host_pid
  focus_window "$host_id"
  xdotool key Escape
  wait_app_exit 30

  # The choice is the four-point mode's: the chain of the same settings file shows its dialog.
  prepare_dir "$dir" "$(sample_input)"
  quick_settings "$(sample_settings)" "$dir/q746.dat"
  start_dialog "$dir" "$dir/chain.log" --next chain
  dialog_id=$(wait_window '^ソラトＫ（連続）$' 60)
  focus_window "$dialog_id"
  xdotool key Escape
  wait_app_exit 30

  # The settings launcher opens the dialog whatever the file asks for; Alt+Q clears the choice
  # for every mode of the file, Enter saves it and draws nothing; the next run shows its dialog.
  start_dialog "$dir" "$dir/settings.log" --settings
  dialog_id=$(wait_window '^ソラトＫ - 設定（作図しません）$' 60)
  focus_window "$dialog_id"
  xdotool key alt+q
  sleep 0.5
  xdotool key Return
  wait_app_exit 30
  is_hq_only "$dir/JWC_TEMP.TXT" || fail "the settings launcher's OK did not leave hq"
  [ "$(sed -n 36p "$dir/q746.dat" | tr -d '\r')" = 0 ] || fail "the settings launcher did not clear line 36: $(sed -n 36p "$dir/q746.dat")"
  cp "$dir/q746.dat" "$cases/cleared.dat"
  prepare_dir "$dir" "$(sample_input)" "$cases/cleared.dat"
  start_dialog "$dir"
  dialog_id=$(wait_window "$DIALOG" 60)
  focus_window "$dialog_id"
  xdotool key Escape
  wait_app_exit 30
}

case_horizontal() {
  local dir="$cases/ダイアログ" reference="$cases/headless"
  mkdir -p "$cases"
  input_horizontal "$(sample_input)" "$cases/input.txt"
  prepare_dir "$dir" "$cases/input.txt"
  prepare_dir "$reference" "$cases/input.txt"
  cp "$(sample_settings)" "$dir/q746h.dat"
  cp "$(sample_settings)" "$reference/q746h.dat"
  start_xvfb
  headless "$reference" --ok --direction horizontal || fail "the headless OK failed: $(cat "$reference/headless.err")"
  is_hq_only "$reference/JWC_TEMP.TXT" && fail "the horizontal sample drew nothing"
  start_dialog "$dir" "$dir/dialog.log" --direction horizontal
  dialog_id=$(wait_window '^ソラトＫ（水平）$' 60)
  focus_window "$dialog_id"
  capture_settled "$dialog_id" "$E2E_WORK/screenshot-horizontal.png"
  check_not_blank "$E2E_WORK/screenshot-horizontal.png"
  region=$(panel_region "$dialog_id")
  capture_region "$region" "$cases/panel.png"
  inked=$(inked_pixels "$cases/panel.png")
  [ "$inked" -ge 300 ] || fail "the horizontal preview panel is blank ($inked inked pixels)"
  if [ -n "${Q748_UPDATE_SCREENSHOT:-}" ]; then
    convert "$E2E_WORK/screenshot-horizontal.png" -strip "$E2E_SOURCE/docs/screenshot-horizontal.png"
  fi
  xdotool key Return
  wait_app_exit 30
  cmp "$dir/JWC_TEMP.TXT" "$reference/JWC_TEMP.TXT" || fail "Enter in the horizontal dialog wrote another JWC_TEMP.TXT than the headless OK"
  cmp "$dir/q746h.dat" "$reference/q746h.dat" || fail "the horizontal dialog saved other settings than the headless OK"
  [ ! -e "$dir/q746.dat" ] || fail "the horizontal dialog wrote the vertical dimension's q746.dat"
}

case_outside() {
  local dir="$cases/ダイアログ" reference="$cases/headless"
  prepare_dir "$dir" "$(sample_input)" "$(sample_settings)"
  prepare_dir "$reference" "$(sample_input)" "$(sample_settings)"
  start_xvfb
  # An ordinary dimension first: it is recorded as the last one.
  headless "$dir" --ok || fail "the first OK failed: $(cat "$dir/headless.err")"
  headless "$reference" --ok || fail "the first OK failed: $(cat "$reference/headless.err")"
  # Jw_cad hands over two points: the new measured point and where its value goes.
  awk '/^hp1 / { printf "hp1 1500 4000\r\n"; next } /^hp2 / { printf "hp2 3200 1800\r\n"; next }
       /^hp[34] / { next } { print }' "$(sample_input)" >"$cases/input.txt"
  cp "$cases/input.txt" "$dir/JWC_TEMP.TXT"
  cp "$cases/input.txt" "$reference/JWC_TEMP.TXT"
  headless "$reference" --ok --next outside || fail "the headless outside OK failed: $(cat "$reference/headless.err")"
  is_hq_only "$reference/JWC_TEMP.TXT" && fail "the outside dimension drew nothing"
  start_dialog "$dir" "$dir/dialog.log" --next outside
  dialog_id=$(wait_window '^ソラトＫ（外側追加）$' 60)
  focus_window "$dialog_id"
  capture_settled "$dialog_id" "$E2E_WORK/screenshot-outside.png"
  check_not_blank "$E2E_WORK/screenshot-outside.png"
  if [ -n "${Q748_UPDATE_SCREENSHOT:-}" ]; then
    convert "$E2E_WORK/screenshot-outside.png" -strip "$E2E_SOURCE/docs/screenshot-outside.png"
  fi
  xdotool key Return
  wait_app_exit 30
  cmp "$dir/JWC_TEMP.TXT" "$reference/JWC_TEMP.TXT" || fail "Enter in the outside dialog wrote another JWC_TEMP.TXT than the headless OK"
  cmp "$dir/q746.dat" "$reference/q746.dat" || fail "the outside dialog recorded another dimension than the headless OK"
}

case_view() {
  [ -n "$E2E_TEST_EXE" ] || fail "no test executable given"
  start_xvfb
  mkdir -p "$cases"
  (cd "$cases" && timeout 300 wine "$E2E_TEST_EXE") || fail "the Win32 view tests failed"
}

case "$case_name" in
  prefix) case_prefix ;;
  ok) case_ok ;;
  cancel) case_cancel ;;
  close-box) case_close_box ;;
  invalid) case_invalid ;;
  invalid-fix) case_invalid_fix ;;
  zero-length) case_zero_length ;;
  screenshot) case_screenshot ;;
  hidpi) case_hidpi ;;
  command-line) case_command_line ;;
  preview) case_preview ;;
  read-only) case_read_only ;;
  held) case_held ;;
  quick) case_quick ;;
  preview-hidden) case_preview_hidden ;;
  horizontal) case_horizontal ;;
  outside) case_outside ;;
  view) case_view ;;
  *) fail "unknown case $case_name" ;;
esac
log "PASS: $case_name"
