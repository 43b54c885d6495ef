// The one text of --help.
#include "Options.h"

std::string_view HelpText() {
  return R"(Usage: q748 --ok [--direction D] [--next N] [--set CONTROL=VALUE]... [--stdout] [DIR]
       q748 --cancel [--direction D] [--next N] [--stdout] [DIR]
       q748 --preview FILE.svg [--direction D] [--next N] [--set CONTROL=VALUE]... [DIR]
       q748 --dump [DIR]
       q748 --help

q748 (ソラトＫ) draws a vertical, horizontal or aligned dimension for Jw_cad whose value text
stands apart on a base line of its own, joined to the dimension line by a leader. Jw_cad writes
JWC_TEMP.TXT into DIR with the four picked points (1, 2: the points to measure; 3: a point of the
dimension line; 4: the start of the value text), runs the command and reads JWC_TEMP.TXT back. This is the command without its
window. DIR defaults to the folder of the executable; the settings are kept in DIR/q746.dat
(DIR/q746h.dat and DIR/q746a.dat for the horizontal and aligned dimensions).

  --ok       show the dialog without a window, press ＯＫ and close: the dimension is written to
             DIR/JWC_TEMP.TXT and the dialog's settings to the direction's settings file
  --cancel   show the dialog without a window and press キャンセル: JWC_TEMP.TXT becomes "hq"
  --preview FILE.svg
             draw the dialog's preview of the dimension (what ＯＫ would hand to Jw_cad) into
             FILE.svg; alone it leaves JWC_TEMP.TXT untouched and exits 1 when ＯＫ would refuse,
             with --ok or --cancel it draws the preview before the button is pressed
  --dump     print what reading DIR/JWC_TEMP.TXT gave, as JSON
  --direction vertical|horizontal|aligned
             which dimension the dialog draws (vertical when not given): vertical in the drawing's
             axis angle, horizontal along it, or aligned with the line from point 1 to point 2.
             Each keeps its own settings: DIR/q746.dat, DIR/q746h.dat, DIR/q746a.dat. On Windows,
             q748.exe --direction D alone shows the dialog of that direction
  --next chain|outside
             continue the last dimension of the direction (recorded in its settings file): Jw_cad
             hands over two points only, 1 the new measured point and 2 the start of the value
             text. chain: from the last dimension's second point to the new one, on its dimension
             line; outside: from its first point to the new one, on a line Edit10 paper mm further
             out. The points used are recorded for the next run. With --ok, --cancel, --preview,
             or (on Windows) alone with --direction for the dialog
  --set CONTROL=VALUE
             set one control after the saved settings are loaded (may be repeated):
               ComboBox1    始点, the marker at point 1, an item index:
                            0 線矢印 (line arrow), 1 △, 2 □, 3 Ｏ, 4 ○, 5 ■, 6 ▲, 7 ●, 8 ～, 9 ＞,
                            10 ／, 11 △ (the host's marker 11)
               ComboBox2    終点, the marker at point 2, the same items
               ComboBox3    寸法値の文字種, text type: 0 the host's current one, 1..10 that type
               ComboBox4    寸法値の精度, precision: 0 "1", 1 "0.1", ... 8 "0.00000001"
               ComboBox5    寸法値の丸め, rounding: 0 切り捨て, 1 切り上げ, 2 四捨五入
               RadioGroup1  小数点以下の０表示, zeros after the point: 0 無 (dropped), 1 有 (shown)
               RadioGroup2  寸法値の単位, unit: 0 mm, 1 ｍ
               CheckBox1    ３桁毎カンマ付加, thousands separators: 0 or 1
               CheckBox2    単位の付加, the unit after the value: 0 or 1
               CheckBox3    寸法値を全角化, full-width value: 0 or 1
               CheckBox4    寸法図形化, dimension line and value as one entity: 0 or 1
               CheckBox5    プレビュー表示, the preview panel is shown: 0 or 1
               Edit1        端点倍率, size factor of point markers (> 0)
               Edit2        接頭文字, prefix of the value
               Edit3        接尾文字, suffix of the value
               Edit4        寸法値と水平線との距離, value text to its base line, paper mm
               Edit5        計測点と寸法補助線の距離, measured point to extension line, paper mm (>= 0)
               Edit6        寸法補助線のはみ出し距離, extension line past the dimension line (>= 0)
               Edit7        線矢印の長さ, line arrow length, paper mm (> 0, <= 1000)
               Edit8        線矢印の角度, line arrow angle, degrees (> 0, < 180)
               Edit9        逆矢印の寸法はみだし距離, dimension line past reversed markers (>= 0)
               Edit10       外側追加の間隔, with --next outside: the new dimension line beyond the
                            last one, paper mm (> 0)
             An index past the last item leaves a list without a selection (OK then refuses it).
  --stdout   write the output (Shift-JIS, CR LF) to standard output instead of DIR/JWC_TEMP.TXT
  --help     print this text

Exit status: 0 done; 1 OK refused: standard error names the control that would take the focus
or the message shown (the measured points level, a point missing, a number too large to compute),
and JWC_TEMP.TXT becomes "hq" as after キャンセル; 2 usage or I/O error.
A file that cannot be written (in use by another program for more than about 5 seconds, a folder
without write permission, a full disk) keeps what it held, and standard error says which and why:
JWC_TEMP.TXT then still holds Jw_cad's own input, which Jw_cad takes as nothing to draw.
)";
}
