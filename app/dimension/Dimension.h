// Dimension.h: the dimension that the dialog draws, from its inputs to the entities it appends.
//
// Contract:
// - Texts are Shift-JIS byte strings (value text, messages); the fixed texts are UTF-8 source
//   literals handed out through SjisText. Distances in TDimensionInput are paper millimetres and
//   are multiplied by the drawing scale (Scale) into drawing units; coordinates are drawing units,
//   angles degrees.
// - Failure is a value, never an exception: ReadInputs names the refused control, CheckDimension
//   and ContinuePoints return a TRefusal, and ConstructDimension appends nothing for a refused
//   input.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"

// A fixed text of the program (a UTF-8 source literal) as Shift-JIS.
std::string SjisText(std::string_view utf8);

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
  const char* Launcher;      // the settings launcher's stem: "q748h" for q748hset.bat
};
const TDirectionEntry& DirectionEntry(TDirection d);
const TDirectionEntry* FindDirection(std::string_view name);  // nullptr for an unknown name
const std::vector<TDirection>& AllDirections();

// A dimension continued from the last one of the same direction: the host then hands over two
// points only, the new measured point and the start of the value text.
enum class TNext {
  None,     // four picked points
  Chain,    // from the last dimension's second point to the new one, on the same dimension line
  Outside,  // from the last dimension's first point to the new one, on a line moved outwards
};
struct TNextEntry {
  TNext Next;
  const char* Name;  // on the command line: "chain", "outside"
  const char* Word;  // in the caption: 連続, 外側追加
};
const TNextEntry* FindNext(std::string_view name);  // nullptr for an unknown name; None has none
const TNextEntry& NextEntry(TNext n);               // None: no name and no word

// ---- The kinds of dimension -------------------------------------------------------------------------

// What a dimension measures. Each kind is one row of the kinds table (KindEntry), which a switch
// over this enum builds: a kind without a row does not compile.
enum class TKind {
  Linear,     // the distance between two measured points, in one of the three directions
  Radius,     // the radius of a picked circle or arc
  Diameter,   // its diameter
  ArcLength,  // the length along a picked arc, on a dimension arc
  Angle,      // the angle between two picked lines, on a dimension arc
  Move,       // the value of a dimension already drawn, moved out on a leader
};

// Where the linear kind's measured points come from.
enum class TPick {
  Points,  // picked one by one
  Line,    // the two ends of a picked line
  Fence,   // every line a fence crosses: a row of dimensions, one between each two neighbours
};
struct TPickEntry {
  TPick Pick;
  const char* Name;  // on the command line (--pick): "line"; Points has none
  const char* Word;  // in the caption: 線指示
};
const TPickEntry& PickEntry(TPick p);
const TPickEntry* FindPick(std::string_view name);  // nullptr for an unknown name; Points has none

// Which dimension a run draws: the kind, and for the linear kind its direction, whether it goes
// on from the last dimension and where its measured points come from.
struct TDimensionMode {
  TKind Kind = TKind::Linear;
  TDirection Direction = TDirection::Vertical;
  TNext Next = TNext::None;
  TPick Pick = TPick::Points;
  bool operator==(const TDimensionMode&) const = default;
};

// One point prompt of a launcher: the directive ("#1", "#1ln", "#1ci") and its text (UTF-8).
struct TPrompt {
  const char* Directive;
  const char* Text;
};

// What a launcher asks the host for besides its points: the range selection ("#h0" none, "#h1"
// a range, "#h4" none but every entity of the drawing exported), the comment shown while the user
// selects ("#hc", nullptr for none; UTF-8), and the kinds of entity neither exported nor deleted
// ("#ht10", ...; nullptr after the last).
struct TModeSelection {
  const char* Range = "#h0";
  const char* Comment = nullptr;
  std::array<const char*, 3> Untouched = {};
};

struct TDimensionInput;
struct TLastDimension;
enum class TRefusal;

struct TKindEntry {
  TKind Kind;
  const char* Name;  // on the command line (--kind)
  // Its name in Japanese (UTF-8): the caption ソラトＫ（半径）, the notes, the launchers' memo and the
  // readme; nullptr for a kind whose directions name it (TDirectionEntry).
  const char* Word;
  // The settings file and the settings launcher's stem ("q748rd": q748rdset.bat); nullptr for a
  // kind whose directions have their own (TDirectionEntry).
  const char* SettingsFile;
  const char* Launcher;
  bool HasDirections;  // takes --direction, --next and --pick
  bool RecordsPoints;  // records its points for a chain or an outside dimension to go on from
  int32_t TextKind;    // the host's text keyword of the value: kJwwTextSloped ("cs"), 3 "cr", 4 "co"
  const char* Symbol;  // before the number (UTF-8): "R", "φ", "⌒"; "" none
  const char* After;   // right after the number (UTF-8): "°"; "" none
  bool Unitless;       // a value that is no length: no unit, no thousands grouping
  std::vector<TPrompt> Prompts;   // what its launchers ask the host for (the linear kind: see ModePrompts)
  TModeSelection Selection = {};  // and the selection they ask for (see ModeSelection)
  // The notes' first lines (UTF-8): what it draws ("{D}" stands for the linear kind's direction),
  // and what its launchers ask for.
  std::array<const char*, 3> Draws;
  std::array<const char*, 3> Asks;
  // The controls that mean nothing for it (disabled in the dialog, not checked by OK), by name.
  std::vector<const char*> Unused;
  // The dimension's points (and picked entity) from the host's state, and for a continued
  // dimension from the last one. A refusal when they cannot be made.
  TRefusal (*MakePoints)(const JwwState& host, const std::optional<TLastDimension>& last,
                         TDimensionInput& in);
  // Why the kind would draw nothing from `in`; what it measures (drawing units); its value text
  // (Shift-JIS); what it appends to an output list.
  TRefusal (*Check)(const TDimensionInput& in, const JwwState& host);
  double (*Measure)(const TDimensionInput& in);
  std::string (*ValueText)(const TDimensionInput& in);
  void (*Construct)(const TDimensionInput& in, JwwState& out);
  // What the preview marks as measured: the measured points, a circle's centre, where lines cross.
  std::vector<TPointD> (*Marks)(const TDimensionInput& in);
  // What the preview draws where that is not what OK writes (a move: its moved value, the selection
  // standing faint behind it); nullptr: Construct.
  void (*Preview)(const TDimensionInput& in, JwwState& out) = nullptr;
};
const TKindEntry& KindEntry(TKind k);
// The row of `k`; nullptr for a number that is no enumerator.
const TKindEntry* KindRow(TKind k);
const TKindEntry* FindKind(std::string_view name);  // nullptr for an unknown name
// Every kind, in the order of the enum: each enumerator that KindEntry has a row for, so a kind
// added to the enum is here as soon as it compiles.
const std::vector<TKind>& AllKinds();
// A mode's settings file name and caption (ソラトＫ（水平・連続）, ...; UTF-8).
const char* ModeSettingsFile(const TDimensionMode& m);
std::string ModeCaption(const TDimensionMode& m);
// The stem of a mode's launchers' names ("q748h", "q748rd").
std::string ModeLauncher(const TDimensionMode& m);
// The program's own name (UTF-8), which every caption begins with.
inline constexpr const char* kFormCaptionUtf8 = "ソラトＫ";
const std::vector<TPrompt>& ModePrompts(const TDimensionMode& m);
const TModeSelection& ModeSelection(const TDimensionMode& m);
// Whether a mode is one the command draws: --direction, --next and --pick are the linear kind's,
// and a picked line is not continued.
bool IsValidMode(const TDimensionMode& m);

// The last dimension of a direction as its settings file records it (lines 23 to 31).
struct TLastDimension {
  // Written with a drawn dimension (lines 23 and 24); nothing goes on from them, so a record read
  // back leaves them as they stand here.
  int32_t Group = 0;
  double Scale = 1.0;
  double AxisAngle = 0.0;
  std::array<TPointD, 4> Points{};  // the measured points [1], [2] and the dimension line's [3]
  bool HasPoints = true;            // false: lines 26..31 are left empty (nothing to go on from)
  // Where its row of dimensions started: the first point of the dimension a chain went on from,
  // or its own first point. An outside dimension measures from it. None in a file without lines 34 and 35.
  std::optional<TPointD> RowStart;
};

// ---- Why a dimension is refused --------------------------------------------------------------------

// The messages of the refusals (UTF-8 source literals; RefusalMessage hands them out as Shift-JIS).
inline constexpr const char* kMessageZeroLength = "寸法が「0」になりますので作図出来ません";
inline constexpr const char* kMessageMissingPoint = "指示点が不足していますので作図出来ません";
inline constexpr const char* kMessageTooLarge = "数値が大きすぎますので作図出来ません";
inline constexpr const char* kMessageNoLastDimension = "前回の寸法が記録されていませんので作図出来ません";
inline constexpr const char* kMessageAxisChanged = "前回の寸法と軸角が異なりますので作図出来ません";
inline constexpr const char* kMessageBadScale = "縮尺が正しくありませんので作図出来ません";
inline constexpr const char* kMessageNoLine = "線が指示されていませんので作図出来ません";
inline constexpr const char* kMessageNoCircle = "円・円弧が指示されていませんので作図出来ません";
inline constexpr const char* kMessageEllipse = "楕円には作図出来ません";
inline constexpr const char* kMessageNoArc = "円弧が指示されていませんので作図出来ません";
inline constexpr const char* kMessageInsideArc = "寸法線の位置が円弧の内側ですので作図出来ません";
inline constexpr const char* kMessageParallel = "２線が平行ですので作図出来ません";
inline constexpr const char* kMessageZeroLine = "線の長さが０ですので作図出来ません";
inline constexpr const char* kMessageTooFewLines = "寸法を記入する線が２本以上ありません";
inline constexpr const char* kMessageCannotWriteBack = "書き戻せない図形が選択されていますので実行出来ません";

// The host reads a text of at most this many bytes; a longer value would be cut.
inline constexpr std::size_t kMaxValueTextBytes = 255;

// ---- The value settings of the dimension text ----------------------------------------------------------

struct TValueSettings {
  std::string Symbol;  // before the number (Shift-JIS): the kind's "R", "φ"; made full-width with the number
  std::string After;   // right after the number (Shift-JIS): the kind's degree sign
  // Each fed by its control, which gives its starting value too (see TDimensionInput).
  int Decimals = 0;        // ComboBox4 index: decimals 0..8
  int Mode = 0;            // ComboBox5 index: 0 truncate, 1 round up, 2 round half
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
  MissingPoint,     // one of the picked points 1 to 4 was not handed over by the host, or not as numbers
  BadScale,         // the drawing scale is 0, negative or not finite
  NoLine,           // no line was picked (prompt 1 of a picked-line dimension)
  NoCircle,         // no circle or arc was picked
  Ellipse,          // the picked circle or arc is elliptic
  NoArc,            // no arc was picked (a whole circle has no arc length)
  InsideArc,        // the dimension arc would not be outside the picked arc
  Parallel,         // the two picked lines do not cross
  ZeroLine,         // a picked line has no length
  TooFewLines,      // a fence crosses fewer than two lines to dimension
  NoValue,          // a move's selection holds no dimension value
  ManyValues,       // ... more than one
  NoDimensionLine,  // ... no dimension line for it
  CannotWriteBack,  // ... an entity that could not be written back as it was (hd would lose it)
  ZeroLength,       // the measured points are level in the axis frame
  TooLarge,         // a number of the dimension (a coordinate, a distance times the scale) is not finite,
                    // or its value text is longer than the host takes
  NoLastDimension,  // a continued dimension, but the settings file records no last one
  AxisChanged,      // a continued vertical or horizontal dimension in another axis angle
};

// What one dimension is built from: the dialog's values (read and checked) and the dimension's
// own geometry, its points, axis angle and scale. The host's attributes (layer, colours, text
// types, font) are no part of it: the construction reads them from the state it writes into.
struct TDimensionInput {
  // Dialog: each field is fed by one control, which gives its starting value too (the control
  // table's rows; DefaultInputs in the form makes an input at those values).
  int StartMarker = 0;         // ComboBox1 index (0 line arrow, 1..11 host point markers)
  int EndMarker = 0;           // ComboBox2 index
  double MarkerFactor = 0;     // Edit1: size factor of point markers, unscaled
  double ArrowLength = 0;      // Edit7: line arrow length, paper mm
  double ArrowAngle = 0;       // Edit8: line arrow angle, degrees
  int TextTypeItem = 0;        // ComboBox3 index: 0 the host's current text type, 1..10 that type
  bool Combined = false;       // CheckBox4: dimension line and value text as one entity
  TValueSettings Value;        // ComboBox4, ComboBox5, RadioGroup1..2, CheckBox1..3, Edit2..3
  double OutsideGap = 0;       // Edit10: the outside dimension's line beyond the last one, paper mm
  double TextGap = 0;          // Edit4: value text to base line, and margins; paper mm; any sign
  double PointGap = 0;         // Edit5: measured point to extension line, paper mm
  double Overhang = 0;         // Edit6: extension lines past the dimension line, paper mm
  double ReverseOverhang = 0;  // Edit9: dimension line past reversed markers, paper mm
  // The dialog's paper distances added up, each as often as the overflow guard counts it (the
  // control table's rows say which); none: no distance of the dialog counts.
  double (*PaperDistances)(const TDimensionInput& in) = nullptr;

  // The mode.
  TKind Kind = TKind::Linear;                   // what is measured
  TDirection Direction = TDirection::Vertical;  // the dialog's direction
  TNext Next = TNext::None;                     // a continued dimension: Points are made from the last one
  TPick Pick = TPick::Points;                   // the linear kind's measured points: picked, or a line's ends
  TRefusal PointsRefusal = TRefusal::None;      // why the kind could not make its points (MakePoints)

  // Geometry: from the exchange state, or made from the last dimension (a continued one and the
  // preview of the last one set their own).
  double AxisAngle = 0.0;                   // degrees
  double Scale = 1.0;                       // GroupScale[FirstGroup]
  std::array<TJwwPickedPoint, 5> Points{};  // picked points 1..4; [0] unused; [4] the value text's start
  TPointD Centre;                           // a picked circle's or arc's (radius, diameter, arc length)
  double Radius = 0.0;
  double ArcStart = 0.0, ArcEnd = 0.0;  // a picked arc's, degrees from the x axis, counter-clockwise
  bool WholeCircle = true;              // the radius's or diameter's circle is whole (no arc angles)
  std::array<TPointD, 4> LineEnds{};    // the angle's picked lines: [0]-[1] the first, [2]-[3] the second
  // Where the row of a continued dimension starts (ContinuePoints), for the record of a chain.
  std::optional<TPointD> RowStart;
  // A row (TPick::Fence): its measured points in order along the row (FenceCrossings); Points[1]
  // and [2] are the fence's ends, [3] a point of the dimension line.
  std::vector<TPointD> Row;
  bool AllOut = false;   // CheckBox7: every value of a row moved out on a leader
  bool Overall = false;  // CheckBox8: a row's overall dimension, Edit10 further out
  // The drawing a kind that reads the host's entities was made from (a move's selection), which
  // outlives the input; nullptr for the others.
  const JwwState* Drawing = nullptr;
};

// The drawing scale: the scale of the layer group that was current in the host (GroupScale of
// FirstGroup). Paper millimetres times this are drawing units.
double DrawingScale(const JwwState& st);

// A picked point the dimension can be drawn from: handed over, with numbers for coordinates.
inline bool IsDrawablePoint(const TJwwPickedPoint& p) { return p.Used && p.Numeric; }

// A continued dimension (in.Next): its four points made from the last dimension and the host's
// two (in.Points[1], the new measured point; in.Points[2], the start of the value text). For a
// chain: P1 = whichever of L1 and L2 is nearer to the new point along the measuring direction (L2
// on a tie), P2 = the new point, P3 = L3, and the row then starts at the recorded point farthest
// from the new point (in.RowStart); outside: P1 = the row's start (L1 in a file without one),
// P2 = the new point, P3 = L3 moved by in.OutsideGap (paper mm) across the frame, away from the
// measured points; P4 = the text's start. Refused without a last dimension, in another axis angle (vertical
// and horizontal), or without both host points; `in` keeps its points then.
TRefusal ContinuePoints(const std::optional<TLastDimension>& last, TDimensionInput& in);

// Why `in` would draw nothing: the refusal of its points, then its kind's checks. `host` gives the
// text type of the value text, whose size counts among the numbers checked.
TRefusal CheckDimension(const TDimensionInput& in, const JwwState& host);
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
  TPointD A1, A2;  // ends of the dimension line, belonging to picked points 1 and 2
  double Across1 = 0,
         Across2 = 0;  // across-axis position of the dimension line in the frame turned about P1 / P2
  double Length = 0;   // distance A1-A2
};
TDimensionFrame DimensionFrame(const TDimensionInput& in);

// Appends the whole dimension to `out`: the attribute preamble, the extension lines, the dimension
// line with its value text, base line and leader, the end markers and the restored text type.
// The host's attributes are those `out` holds; appends nothing when CheckDimension refuses. `out`
// is in its output role (after JwwResetCurrent); a scratch state (the preview) is made by
// JwwCopyHostValues, so that the same dimension is written there as on OK.
void ConstructDimension(const TDimensionInput& in, JwwState& out);

// The value text of `in`, as its kind forms it.
std::string DimensionValueText(const TDimensionInput& in);
// A value that is one number: the kind's measure with the value settings and its symbol.
std::string NumberValueText(const TDimensionInput& in);
// The same for a given measure (drawing units): one dimension of a row.
std::string ValueTextOf(const TDimensionInput& in, double measure);
