// Unit1.h: the dialog TForm1 of the vertical dimension command, as a model without a toolkit.
//
// Contract:
// - Controls are plain data (TComboBox, TEdit, TCheckBox, TRadioGroup, TLabel); a front end (the
//   Win32 dialog or the headless command line) copies them in and out and calls the handlers.
//   The model never parses anything for the view and never talks to a window system.
// - Texts are Shift-JIS byte strings (captions, items, edit texts, messages); the view converts
//   them at its edge. Distances typed in the dialog are paper millimetres; coordinates drawing
//   units; angles degrees.
// - Lenient and quiet: an edit that is no number reads as 0; a refused OK moves the focus (or
//   shows one confirmation message) and leaves the dialog open; nothing throws.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"

// ---- Plain controls ------------------------------------------------------------------------------

struct TComboBox {
  std::vector<std::string> Items;
  int ItemIndex = -1;  // -1: no selection
  // An index outside the items (past the last, or negative) leaves no selection.
  void SetItemIndex(int i) { ItemIndex = (i >= 0 && i < static_cast<int>(Items.size())) ? i : -1; }
};

struct TRadioGroup {
  std::vector<std::string> Items;
  int ItemIndex = -1;
  // An index past the last item selects the last item; a negative one clears the selection.
  void SetItemIndex(int i) {
    const int n = static_cast<int>(Items.size());
    ItemIndex = i < 0 ? -1 : (i >= n ? n - 1 : i);
  }
};

struct TEdit {
  std::string Text;
  int MaxLength = 0;  // restrains typing only; a longer text set by the program stays whole
};

struct TCheckBox {
  bool Checked = false;
};

struct TLabel {
  std::string Caption;
};

// A point in drawing units.
struct TPointD {
  double X = 0.0, Y = 0.0;
};

// ---- The three directions ----------------------------------------------------------------------

// Which way the dimension measures; the construction is the same in a frame turned accordingly.
enum class TDirection {
  Vertical,    // the dimension line runs at the axis angle + 90 degrees
  Horizontal,  // the dimension line runs at the axis angle
  Aligned,     // the dimension line runs from picked point 1 towards picked point 2
};
struct TDirectionEntry {
  TDirection Direction;
  const char* Name;          // on the command line: "vertical", "horizontal", "aligned"
  const char* SettingsFile;  // each direction keeps its own settings
  const char* Caption;       // the dialog's caption (UTF-8 source literal)
  const char* Word;          // 垂直, 水平, 平行: how the notes and the preview name it
};
const TDirectionEntry& DirectionEntry(TDirection d);
const TDirectionEntry* FindDirection(std::string_view name);  // nullptr for an unknown name

// A dimension continued from the last one of the same direction: the host then hands over two
// points only, the new measured point and the start of the value text.
enum class TNext {
  None,     // four picked points, as always
  Chain,    // from the last dimension's second point to the new one, on the same dimension line
  Outside,  // from the last dimension's first point to the new one, on a line moved outwards
};
struct TNextEntry {
  TNext Next;
  const char* Name;  // on the command line: "chain", "outside"
  const char* Word;  // in the caption: 連続, 外側追加
};
const TNextEntry* FindNext(std::string_view name);  // nullptr for an unknown name; None has none

// The last dimension of a direction as its settings file records it (lines 23 to 31).
struct TLastDimension {
  int32_t Group = 0;
  double Scale = 1.0;
  double AxisAngle = 0.0;
  std::array<TPointD, 4> Points{};  // the measured points [1], [2] and the dimension line's [3]
  bool HasPoints = true;            // false: lines 26..31 are left empty (nothing to go on from)
};

// ---- The table of the dialog's controls --------------------------------------------------------------

enum class TControlKind { List, Edit, RadioGroup, CheckBox, Button, Memo, ScrollBox, Label, Preview };

// One control of the dialog: the model builds its controls from this table, and the Win32 view
// creates its windows from the same table. Texts here are UTF-8 source literals; the model keeps
// them as Shift-JIS (SjisText).
struct TControlSpec {
  const char* Name;          // "ComboBox1", "Edit7", "Label6", ...
  TControlKind Kind;
  int TabOrder;              // -1 for controls outside the tab order (labels)
  int Left, Top, Width, Height;  // client pixels at 96 dpi; a label of 0 x 0 fits its caption
  const char* Caption;       // button, check box, radio group or label caption; edit starting text
  std::vector<const char*> Items;  // list and radio group items
  int StartIndex;            // starting item index (-1 none), or 1 for a check box checked
  int MaxLength;             // edits; 0 for none
  bool ImeOff;               // the input method is switched off while the control has the focus
  bool TabStop;
  int FontHeight = 0;        // character height in pixels; 0: the form's font (13)
  int BackColour = -1;       // 0xRRGGBB background; -1: the parent's
  TNext OnlyWhen = TNext::None;  // shown only in this continued mode (None: always)
};

const std::vector<TControlSpec>& ControlTable();
const TControlSpec* FindControl(std::string_view name);  // nullptr for an unknown name

// The dialog's fixed texts, as Shift-JIS.
std::string SjisText(std::string_view utf8);  // a UTF-8 source literal as Shift-JIS
// The thirty lines of notes; they name the direction that the dialog draws.
const std::vector<std::string>& Memo1Lines(TDirection d = TDirection::Vertical);

// The window itself (UTF-8 source literals like the table).
inline constexpr const char* kFormCaption = "ソラトＫ";
inline constexpr const char* kApplicationTitle = "q748_ソラトＫ";
inline constexpr const char* kFormFontName = "ＭＳ ゴシック";
inline constexpr int kFormFontHeight = 13;
// The preview panel, right of the original controls (client pixels at 96 dpi); also the size of
// the command line's SVG.
inline constexpr int kPreviewLeft = 496;
inline constexpr int kPreviewTop = 4;
inline constexpr int kPreviewWidth = 232;
inline constexpr int kPreviewHeight = 318;
// The original controls fill 492 pixels; the window is widened to the right by the preview, and
// takes the original width while the preview is hidden.
inline constexpr int kFormClientWidth = kPreviewLeft + kPreviewWidth + 4;  // 732
inline constexpr int kFormClientWidthWithoutPreview = kPreviewLeft - 4;    // 492
inline constexpr int kFormClientHeight = 436;
// The notes' height when Edit10 and its labels stand below them (an outside dimension).
inline constexpr int kMemoHeightOutside = 180;

// The messages and status texts of the OK handling (UTF-8 source literals; SjisText them).
inline constexpr const char* kConfirmationCaption = "確認";
inline constexpr const char* kMessageZeroLength = "寸法が「0」になりますので作図出来ません";
inline constexpr const char* kMessageMissingPoint = "指示点が不足していますので作図出来ません";
inline constexpr const char* kMessageTooLarge = "数値が大きすぎますので作図出来ません";
inline constexpr const char* kMessageNoLastDimension = "前回の寸法が記録されていませんので作図出来ません";
inline constexpr const char* kMessageAxisChanged = "前回の寸法と軸角が異なりますので作図出来ません";
inline constexpr const char* kStatusProcessing = "処理中です";
inline constexpr const char* kStatusWriting = "ファイル生成中です";
inline constexpr const char* kStatusIdle = "　";  // one full-width blank
// Failures of the run's files, and their reasons in words a user can act on.
inline constexpr const char* kErrorCaption = "書き込みエラー";
inline constexpr const char* kMessageReadFailed = "JWC_TEMP.TXT を読み込めませんでしたので作図出来ません";
inline constexpr const char* kMessageWriteFailed = "作図結果を書き込めませんでした。何も作図されません。";
inline constexpr const char* kMessageSettingsNotSaved = "設定を保存できませんでした（前回の設定のままです）";
inline constexpr const char* kReasonInUse = "他のプログラムがこのファイルを使用中です。";
inline constexpr const char* kReasonNoPermission = "このフォルダーに書き込む権限がありません。";
inline constexpr const char* kReasonDiskFull = "ディスクの空き容量が不足しています。";
inline constexpr const char* kReasonOther = "ファイルを書き込めませんでした。";
// "MESSAGE\nFILE\nREASON" in Shift-JIS; FILE in the system's own spelling.
std::string WriteFailureMessage(const char* messageUtf8, const std::filesystem::path& file, TWriteError why);

// ---- What the model asks of its view ---------------------------------------------------------------

class TFormView {
 public:
  virtual ~TFormView() = default;
  // The modal confirmation box: caption "確認", question icon, one OK button. Returns when closed.
  virtual void ShowConfirmation(const std::string& messageSjis) = 0;
  // LabelA1's caption changed while a handler runs: repaint it at once.
  virtual void RepaintStatus() = 0;
  // A failure that loses the user's dimension (the exchange file could not be written): a modal
  // error box with the caption kErrorCaption that the user must close. Returns when closed.
  virtual void ShowError(const std::string& messageSjis) = 0;
  // A failure that loses nothing of this run (the settings were not saved): a line on standard
  // error, no box.
  virtual void ShowNotice(const std::string& messageSjis) = 0;
};

// ---- The value settings of the dimension text ----------------------------------------------------------

struct TValueSettings {
  int Decimals = 3;        // ComboBox4 index: decimals 0..8
  int Mode = 2;            // ComboBox5 index: 0 truncate, 1 round up, 2 round half
  int Zeros = 0;           // RadioGroup1: 0 trailing zeros removed, 1 shown
  int Unit = 0;            // RadioGroup2: 0 mm, 1 metres
  bool Grouped = false;    // CheckBox1
  bool WithUnit = false;   // CheckBox2
  bool FullWidth = false;  // CheckBox3
  std::string Prefix;      // Edit2, already cleaned (blank -> empty)
  std::string Suffix;      // Edit3, likewise
};

// The value text of a dimension of length L (drawing units). The decimal point is always "." and
// the thousands separator ",", whatever the user's locale.
std::string BuildValueText(double length, const TValueSettings& v);
// A prefix or suffix as typed on one line (CR and LF as blanks), or empty when it holds nothing
// but blanks and control characters.
std::string CleanAffix(std::string_view typed);

// ---- The dimension: inputs, checks and construction -------------------------------------------------------

// Why a checked input still draws nothing.
enum class TRefusal {
  None,
  MissingPoint,     // one of the picked points 1 to 4 was not handed over by the host
  ZeroLength,       // the measured points are level in the axis frame
  TooLarge,         // a number of the dimension (a coordinate, a distance times the scale) is not finite
  NoLastDimension,  // a continued dimension, but the settings file records no last one
  AxisChanged,      // a continued vertical or horizontal dimension in another axis angle
};

// Everything one dimension is built from: the dialog's values (read and checked) and the values
// of the exchange state that the construction reads. A copy, so that the construction can run on
// a scratch state (a preview) exactly as it runs on the real one.
struct TDimensionInput {
  // Dialog.
  int StartMarker = 0;          // ComboBox1 index (0 line arrow, 1..11 host point markers)
  int EndMarker = 0;            // ComboBox2 index
  double MarkerFactor = 1.0;    // Edit1: size factor of point markers, unscaled
  double ArrowLength = 3.0;     // Edit7: line arrow length, paper mm
  double ArrowAngle = 15.0;     // Edit8: line arrow angle, degrees
  int TextTypeItem = 0;         // ComboBox3 index: 0 the host's current text type, 1..10 that type
  bool Combined = false;        // CheckBox4: dimension line and value text as one entity
  TValueSettings Value;         // ComboBox4, ComboBox5, RadioGroup1..2, CheckBox1..3, Edit2..3
  TDirection Direction = TDirection::Vertical;  // the dialog's direction
  TNext Next = TNext::None;     // a continued dimension: Points are made from the last one
  double OutsideGap = 8.0;      // Edit10: the outside dimension's line beyond the last one, paper mm
  TRefusal Continued = TRefusal::None;  // why the points of a continued dimension could not be made
  double TextGap = 0.5;         // Edit4: value text to base line, and margins; paper mm; any sign
  double PointGap = 2.0;        // Edit5: measured point to extension line, paper mm
  double Overhang = 2.0;        // Edit6: extension lines past the dimension line, paper mm
  double ReverseOverhang = 2.0; // Edit9: dimension line past reversed markers, paper mm

  // Exchange state.
  double AxisAngle = 0.0;       // degrees
  double Scale = 1.0;           // GroupScale[FirstGroup]
  std::array<TJwwPickedPoint, 5> Points{};  // picked points 1..4; [0] unused
  int32_t FirstGroup = 0, FirstLayer = 0, FirstLineColour = 1, FirstLineType = 1, FirstLineWidth = 0;
  int32_t FirstTextType = 1;
  TJwwTextType FirstFreeText{2.0, 2.0, 0.0, 1};
  std::string FirstFontName;
  std::array<TJwwTextType, 11> TextTypes{};  // [1]..[10]
};

class TForm1;

// The drawing scale: the scale of the layer group that was current in the host (GroupScale of
// FirstGroup). Paper millimetres times this are drawing units.
double DrawingScale(const JwwState& st);

// Reads the dialog and the exchange state and checks the inputs in the dialog's order. On the
// first refused input `focus` is set to that control's name ("ComboBox1", "Edit7", ...) and the
// result is to be ignored; otherwise `focus` is empty.
TDimensionInput ReadInputs(const TForm1& form, std::string& focus);
// A continued dimension (in.Next): its four points made from the last dimension and the host's
// two (in.Points[1], the new measured point; in.Points[2], the start of the value text). For a
// chain: P1 = L2, P2 = the new point, P3 = L3; outside: P1 = L1, P2 = the new point, P3 = L3 moved
// by in.OutsideGap (paper mm) across the frame, away from the measured points; P4 = the text's
// start. Refused without a last dimension, in another axis angle (vertical and horizontal), or
// without both host points; `in` keeps its points then.
TRefusal ContinuePoints(const std::optional<TLastDimension>& last, TDimensionInput& in);

TRefusal CheckDimension(const TDimensionInput& in);
std::string RefusalMessage(TRefusal r);  // Shift-JIS; empty for None

// The turn from the drawing into the dimension's frame, in which the dimension line runs straight
// up: Base degrees (with the program's sine and cosine) and Quarter quarter turns (exact), so
// that a frame that is a whole number of quarter turns adds no rounding noise.
struct TFrameTurn {
  double Base = 0.0;
  int Quarter = 0;
  bool Rotated = true;  // false: Base is 0 and no rotation is made at all
  double LineAngle() const { return Base + 90.0 * (Quarter + 1); }  // the dimension line, degrees
};
TFrameTurn FrameTurn(const TDimensionInput& in);
// P turned about C into the frame (by minus the frame's angle) and back out of it.
TPointD IntoFrame(TPointD p, TPointD c, const TFrameTurn& t);
TPointD OutOfFrame(TPointD p, TPointD c, const TFrameTurn& t);

// The dimension's frame: the ends of the dimension line and where it stands across the axis.
struct TDimensionFrame {
  TFrameTurn Turn;
  TPointD A1, A2;        // ends of the dimension line, belonging to picked points 1 and 2
  double U1 = 0, U2 = 0; // across-axis position of the dimension line in the frame turned about P1 / P2
  double Length = 0;     // distance A1-A2
};
TDimensionFrame DimensionFrame(const TDimensionInput& in);

// Appends the whole dimension to `out`: the attribute preamble, the extension lines, the dimension
// line with its value text, base line and leader, the end markers and the restored text type.
// Appends nothing when CheckDimension refuses. `out` only needs its current attributes in their
// output role (after JwwResetCurrent); for a scratch state use PrepareScratchState first.
void ConstructDimension(const TDimensionInput& in, JwwState& out);
// Gives a fresh state the first-seen attributes of `in` (the fallbacks of the attribute commands)
// and puts it in its output role, so that ConstructDimension writes there what it writes on OK.
void PrepareScratchState(const TDimensionInput& in, JwwState& scratch);

// The pieces of the construction, for tests and the preview.

// How far a marker of `kind` takes up the dimension line from its end, paper mm (before the
// drawing scale): the line arrow's al*cos(aa), a point marker's reach times the factor.
double MarkerReach(int kind, double factor, double arrowLength, double arrowAngle);
// Both end markers (the first end's, then the second's), reversed when they do not fit.
void AddEndMarkers(const TDimensionInput& in, TPointD a1, TPointD a2, JwwState& out);

// The text type of the value text: the number written and its sizes.
struct TValueTextType {
  int32_t Number = 1;
  TJwwTextType Size;
};
TValueTextType ChooseTextType(const TDimensionInput& in);
// Direction of the value text along a dimension line at `lineAngle` degrees, in
// [0, 90.00000001] or (270.00000001, 360).
double ValueTextAngle(double lineAngle);
// Base line T0-T1 of a text at p4 of extent `extent` (drawing units) in direction ta, with the
// gap g (drawing units), and the end of the leader from the middle M of a1-a2.
struct TBaseLine {
  TPointD T0, T1, Middle, LeaderEnd;
};
// exactQuarters: a text direction of a multiple of 90 degrees is taken exactly (see TFrameTurn).
TBaseLine PlaceBaseLine(TPointD a1, TPointD a2, TPointD p4, double ta, double extent, double g,
                        bool exactQuarters = false);
// The dimension line with its value text (plain or combined), then the leader and the base line.
void AddValueText(const TDimensionInput& in, TPointD a1, TPointD a2, double length, JwwState& out);

// The ComboBox3 items for the exchange state: the host's current text type, then types 1 to 10.
std::vector<std::string> TextTypeItems(const JwwState& st);

// ---- The settings file --------------------------------------------------------------------------------

// One line of q746.dat; SaveSettings and LoadSettings both walk SettingsTable().
enum class TSettingKind {
  SavedLeft,   // decimal integer; read without bounds
  SavedTop,
  ListIndex,   // decimal integer; read: negative -> 0, past the last item -> no selection
  EditText,    // the text as it is; read whole
  RadioIndex,  // decimal integer; read: negative -> 0, past the last item -> the last item
  CheckBox,    // "1" / "0"; read: checked when the integer is not 0
  FirstGroup,  // the run's exchange state, written only
  GroupScale,
  AxisAngle,
  PointX,
  PointY,
};
struct TSettingLine {
  int Line;             // 1..33
  TSettingKind Kind;
  const char* Control;  // control name for the dialog's lines, nullptr for the others
  int Point;            // picked point of PointX / PointY
};
const std::vector<TSettingLine>& SettingsTable();
// Lines 1..22 are the dialog's; 23..31 record the last dimension (read only to continue from it);
// 32 and 33 were added later (CheckBox5, Edit10): a file without them keeps their starting values.
inline constexpr int kSettingsLinesRead = 22;

// ---- The form -----------------------------------------------------------------------------------------

class TForm1 {
 public:
  // view may be null (no messages).
  TForm1(std::filesystem::path exeDir, TFormView* view, TDirection direction = TDirection::Vertical,
         TNext next = TNext::None);

  const TDirection Direction;  // what the dialog draws; it chooses the settings file
  const TNext Next;            // continued from the last dimension of the direction, or not
  std::string Caption() const;  // Shift-JIS

  // Controls.
  TComboBox ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5;
  TEdit Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9;
  TEdit Edit10;  // the outside dimension's distance beyond the last one (outside mode only)
  TCheckBox CheckBox1, CheckBox2, CheckBox3, CheckBox4;
  TCheckBox CheckBox5;  // the preview is shown
  TRadioGroup RadioGroup1, RadioGroup2;
  TLabel LabelA1;

  // Window position and the remembered one.
  int Left = 0, Top = 0;
  int SavedLeft = 100, SavedTop = 100;
  std::filesystem::path ExeDir;  // set by FormShow to the executable's folder

  // What the handlers ask of the view.
  std::string FocusControl;      // name of the control that should receive the focus ("" none)
  bool CloseRequested = false;   // the dialog should close (then the view calls FormClose once)

  // The exchange state of this run.
  JwwState Jww;

  // Handlers.
  void FormShow();
  // Writes the output list to JWC_TEMP.TXT and releases the exchange state. A failed write is
  // shown through the view (ShowError) before the result, false, is returned.
  bool FormClose();
  void Button1Click();
  void Button2Click();
  void LoadSettings(const std::filesystem::path& fileName);
  // The settings file of this dialog's direction in ExeDir.
  std::filesystem::path SettingsFile() const;
  // Edit texts are saved on one line each. A failed save keeps the previous file and is told
  // through the view (ShowNotice).
  TWriteError SaveSettings(const std::filesystem::path& fileName);
  // False when FormShow could not read JWC_TEMP.TXT: OK then refuses with kMessageReadFailed.
  bool ExchangeRead() const { return exchangeRead_; }
  // The last dimension recorded in the settings file that LoadSettings read, if it holds one.
  const std::optional<TLastDimension>& LastDimension() const { return last_; }

  // Control access by name, for the views and the command line's --set (nullptr when `name` is
  // not a control of that kind).
  TComboBox* ComboBoxByName(std::string_view name);
  TEdit* EditByName(std::string_view name);
  TCheckBox* CheckBoxByName(std::string_view name);
  TRadioGroup* RadioGroupByName(std::string_view name);
  const TComboBox* ComboBoxByName(std::string_view name) const;
  const TEdit* EditByName(std::string_view name) const;
  const TCheckBox* CheckBoxByName(std::string_view name) const;
  const TRadioGroup* RadioGroupByName(std::string_view name) const;

 private:
  void SetStatus(const char* utf8);

  std::filesystem::path exeDir_;
  TFormView* view_;
  bool exchangeRead_ = false;
  std::optional<TLastDimension> last_;    // read by LoadSettings
  std::optional<TLastDimension> record_;  // what SaveSettings records, when not this run's host values
};

// ---- The preview ------------------------------------------------------------------------------------
//
// What OK would draw, drawn in the dialog before OK: the same construction run on a scratch output
// list, read back from that list as the host would read it, so the picture cannot disagree with
// the drawing.

struct TPreviewPoint {
  double X = 0.0, Y = 0.0;
};

enum class TPreviewShapeKind {
  Line,           // Points[0]-Points[1]
  Polyline,       // open path through Points
  Polygon,        // closed outline through Points
  FilledPolygon,  // closed and filled
  Circle,         // centre Points[0], Radius
  FilledCircle,
  Text,           // baseline start Points[0], direction AngleDeg, cap height Height (Shift-JIS Text)
  TextBox,        // the extent of a text: closed outline through Points
  Measured,       // a picked measured point: Points[0]
  LastLine,       // the dimension line of the last dimension, drawn faintly: Points[0]-Points[1]
  LastMeasured    // a measured point of the last dimension, drawn faintly: Points[0]
};

struct TPreviewShape {
  TPreviewShapeKind Kind = TPreviewShapeKind::Line;
  std::vector<TPreviewPoint> Points;  // drawing units, y up
  double Radius = 0.0;
  double AngleDeg = 0.0;
  double Height = 0.0;
  std::string Text;  // Shift-JIS
};

struct TPreviewPicture {
  std::vector<TPreviewShape> Shapes;
  // What a fit frames: from PictureFromOutput the bounds of every shape; BuildPreview narrows them
  // so that a long prefix or suffix runs out of the frame instead of shrinking the dimension.
  double MinX = 0.0, MinY = 0.0, MaxX = 0.0, MaxY = 0.0;
};

// Interprets the output list of a state (lines, "pt" markers, "cs" texts, "msg" entities, the text
// type lines that size the texts) into shapes in drawing units, plus a mark at each measured
// point. `scale` is the drawing scale that turns paper millimetres (text sizes, marker sizes) into
// drawing units.
TPreviewPicture PictureFromOutput(const JwwState& out, double scale,
                                  const std::vector<TPreviewPoint>& measured = {});

// The picture fitted into a width x height pixel box (y down, a margin kept), as an SVG document
// (UTF-8). An empty picture gives an empty SVG of that size.
std::string PictureToSvg(const TPreviewPicture& picture, int width, int height);

// The mapping from drawing units to the pixels of a width x height box, y flipped, uniform scale.
struct TPreviewFit {
  double Scale = 1.0, OffsetX = 0.0, OffsetY = 0.0;
  TPreviewPoint ToPixel(TPreviewPoint p) const { return {OffsetX + p.X * Scale, OffsetY - p.Y * Scale}; }
};
TPreviewFit FitPicture(const TPreviewPicture& picture, int width, int height, int margin);

// The preview of the dialog as it stands.
struct TPreview {
  bool Drawable = false;    // false: OK would refuse; Status says why and the picture is empty
  std::string Status;       // Shift-JIS: the reason OK would refuse, or empty
  std::string Info;         // Shift-JIS: value text, measured length, scale and axis angle
  std::string ValueText;    // Shift-JIS: the value text as it will be written
  double Length = 0.0;      // measured length, drawing units
  TPreviewPicture Picture;  // drawing units
};
TPreview BuildPreview(const TForm1& form);

inline constexpr const char* kSettingsFileName = "q746.dat";
inline constexpr const char* kExchangeFileName = "JWC_TEMP.TXT";
