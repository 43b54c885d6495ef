// JwwGaibu.h: the exchange with the host CAD program through JWC_TEMP.TXT.
//
// Contract:
// - One JwwState per run holds everything: header values, first-seen and current attributes,
//   picked points, the entities the host handed over and the output list. Every operation takes
//   the state by reference; tests make as many states as they like.
// - Texts are Shift-JIS byte strings, stored and written as they are. Coordinates are drawing
//   units, angles degrees, text sizes paper millimetres.
// - Reading is lenient: any byte sequence is a possible file; a token that is no number reads as
//   0; no line is ever rejected. Nothing throws; file operations report failure by their result.
// - The attribute commands write a line only on a change (or while still pending); the entity
//   commands skip degenerate input silently.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "AtomicFile.h"
#include "JwwRecords.h"

// ---- Records ---------------------------------------------------------------------------------

struct TJwwTextType {
  double Width = 3.0;
  double Height = 3.0;
  double Spacing = 0.0;
  int32_t Colour = 2;
};

enum class TJwwPickKind : int32_t { Plain = 0, Dash = 1, Ln = 2, Ci = 3, Ch = 4 };

struct TJwwPickedPoint {
  bool Used = false;
  double X = 0.0;
  double Y = 0.0;
  TJwwPickKind Kind = TJwwPickKind::Plain;
  // Both coordinates were numbers (no "nan", "1e400" or "1,500"): a point the host cannot have
  // meant reads as 0 like every lenient number, and this tells the command not to draw from it.
  bool Numeric = true;
};

// Colour and line-type numbers: TJwwNumberMode::List maps a list number to the host's numbering first,
// TJwwNumberMode::None (and any value other than TJwwNumberMode::List) writes the number as it is.
enum class TJwwNumberMode : int32_t { None = 0, List = 1 };

// One slot of the output list: at most 255 bytes, no line end. A text's head line is marked
// when it is appended, and the writer joins it with the slot that follows (the text itself).
struct TJwwOutputSlot {
  std::string Text;
  bool JoinNext = false;
};

// ---- The exchange state ------------------------------------------------------------------------

// First-seen attributes: what the dimension is drawn with. Their defaults, kept here only, are
// those of a file that names none; JwwInit and JwwCopyHostValues take them as a whole.
struct TJwwFirstAttributes {
  int32_t FirstGroup = 0, FirstLayer = 0, FirstLineColour = 1, FirstLineType = 1, FirstLineWidth = 0;
  int32_t FirstTextType = 1;
  TJwwTextType FirstFreeText{2.0, 2.0, 0.0, 1};
  std::string FirstFontName;
};

struct JwwState : TJwwFirstAttributes {
  // Header values.
  std::string DrawingFileName;
  double AxisAngle = 0.0;
  double GroupScale[16];  // by layer group 0..15; default 1.0
  double SheetWidth = 1189.0, SheetHeight = 841.0;
  TJwwTextType TextTypes[11];  // [1]..[10]; [0] unused
  bool BzFlag = false;
  double HnValues[5];  // [1]..[4]; [0] unused

  // Layer tables (filled while reading, read by nothing else).
  std::vector<int32_t> GroupValues;     // 16
  std::vector<std::string> GroupNames;  // 16
  std::vector<int32_t> LayerValues;     // 256, group * 16 + layer
  std::vector<std::string> LayerNames;  // 256

  // Current attributes: followed while reading; after JwwResetCurrent, the last written ones.
  int32_t CurGroup = 0, CurLayer = 0, CurLineColour = 1, CurLineType = 1, CurLineWidth = 0;
  int32_t CurTextType = 1;
  TJwwTextType CurFreeText{2.0, 2.0, 0.0, 1};
  int32_t CurTextCode = 0;
  std::string CurFontName;  // "<ＭＳ ゴシック>" after JwwInit / JwwResetCurrent
  int32_t CurPointColour = 1;
  int32_t CurSolidColour = 0;
  bool AttrPending[10] = {};  // [1]..[9]

  // Picked points: slots 0..99, slot 0 never filled.
  std::vector<TJwwPickedPoint> PickedPoints;
  int32_t PickedCount = 0;

  // Picks (1..63) whose picked entity held a number the host cannot have meant ("nan", "1,500",
  // "1e400"): bit n for pick n. Such an entity reads as 0 like every lenient number; this tells
  // the command not to draw from it.
  uint64_t NonNumericPicks = 0;

  // Reading state.
  int32_t CurHhpNo = 0;
  int32_t CurZFlags = 0;
  int32_t PolylineCount = 0;
  bool InPolyline = false, InMessage = false;
  TJwwEntLine CurMessageLine{};
  TJwwStrRef CurFontRef{};  // CurFontName in the pool, shared by the texts read after it

  // Entities read, and their reading order. The shared tables come first: the lists refer to them.
  TJwwRecordTables Tables;
  TJwwRecords<TJwwRecLine, TJwwEntLine> Lines{&Tables};
  TJwwRecords<TJwwRecCircle, TJwwEntCircle> Circles{&Tables};
  TJwwRecords<TJwwRecArc, TJwwEntArc> Arcs{&Tables};
  TJwwRecords<TJwwRecText, TJwwEntText> Texts{&Tables};
  TJwwRecords<TJwwRecPoint, TJwwEntPoint> Points{&Tables};
  TJwwRecords<TJwwRecPointEx, TJwwEntPointEx> PointsEx{&Tables};
  TJwwRecords<TJwwRecMsg, TJwwEntMsg> Messages{&Tables};
  TJwwRecords<TJwwRecBlk, TJwwEntBlk> Blocks{&Tables};
  TJwwRecords<TJwwRecSolid2, TJwwEntSolid2> Solids2{&Tables};
  TJwwRecords<TJwwRecSolid3, TJwwEntSolid3> Solids3{&Tables};
  TJwwRecords<TJwwRecSolid4, TJwwEntSolid4> Solids4{&Tables};
  TJwwRecords<TJwwRecSolidSc, TJwwEntSolidSc> SolidsSc{&Tables};
  TJwwRecords<TJwwRecSolidSc, TJwwEntSolidSe> SolidsSe{&Tables};
  TJwwRecords<TJwwRecSolidSo, TJwwEntSolidSo> SolidsSo{&Tables};
  TJwwRecords<TJwwRecSolidSo, TJwwEntSolidSg> SolidsSg{&Tables};
  TJwwOrderList EntityOrder;
  TJwwByteString Strings;  // the string pool of the records' texts and names

  // The output list: OutputCount == OutputLines.size(); capacity grows in steps of 1000.
  std::vector<TJwwOutputSlot> OutputLines;
  int32_t OutputCount = 0;

  JwwState();
  JwwState(const JwwState&) = delete;
  JwwState& operator=(const JwwState&) = delete;
};

// The default current font.
inline constexpr std::string_view kJwwDefaultFont = "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>";

// ---- Lifecycle -------------------------------------------------------------------------------

void JwwInit(JwwState& st);          // every datum to its default; lists and output emptied
void JwwResetCurrent(JwwState& st);  // current attributes to defaults, all nine flags pending
void JwwRelease(JwwState& st);       // frees tables, lists and the output list
// Makes `scratch` a fresh state holding the host's values of `host` (header values, first-seen
// attributes, picked points) in its output role, so that what is built there comes out as it
// would in `host` itself.
void JwwCopyHostValues(const JwwState& host, JwwState& scratch);

// ---- Reading ---------------------------------------------------------------------------------

// Reads the whole file line by line (CR LF, LF or a lone CR end a line). False when the file is
// missing, is no regular file or cannot be read to its end (what was read keeps its effect).
bool JwwReadFile(JwwState& st, const std::filesystem::path& fileName);
// Reads a buffer as a file's content (the same rules; for tests, fuzzing and benchmarks).
void JwwReadBuffer(JwwState& st, std::string_view content);
// Interprets one line (without its line end).
void JwwReadLine(JwwState& st, std::string_view line);

// The number of records in the list of an entity kind (TJwwEntityKind::Line .. TJwwEntityKind::SolidSg); -1
// for no kind.
int32_t JwwListCount(const JwwState& st, int32_t kind);

// The text of a pooled string.
inline std::string_view JwwStr(const JwwState& st, TJwwStrRef r) {
  return std::string_view(st.Strings).substr(r.Offset, r.Length);
}

// ---- Output list and writing -------------------------------------------------------------------

// Appends one slot, cut to at most 255 bytes at a character boundary.
void JwwAddOutputLine(JwwState& st, std::string_view line, bool joinNext = false);
// Writes the output list ("hq" when empty) with CR LF line ends, joining a text's head with its
// text, through ReplaceFileContents. On failure the result is false, `why` (when given) tells the
// reason, and the file keeps what it held: the host's own input still begins with "hq", which the
// host takes as nothing to draw. `options` say how long a held file is waited for.
bool JwwWriteFile(const JwwState& st, const std::filesystem::path& fileName, TWriteError* why = nullptr,
                  const TReplaceOptions& options = {});
// The bytes JwwWriteFile writes.
std::string JwwOutputText(const JwwState& st);

// ---- Attribute commands ----------------------------------------------------------------------

int32_t JwwMapColourNo(const JwwState& st, int32_t n);
int32_t JwwMapLineTypeNo(const JwwState& st, int32_t n);
void JwwSetGroup(JwwState& st, int32_t n);
void JwwSetLayer(JwwState& st, int32_t n);
void JwwSetLineColour(JwwState& st, int32_t n, TJwwNumberMode mode);
void JwwSetLineType(JwwState& st, int32_t n, TJwwNumberMode mode);
void JwwSetLineWidth(JwwState& st, int32_t n);
void JwwSetTextType(JwwState& st, int32_t textType, int32_t colour, TJwwNumberMode mode, double width,
                    double height, double spacing);
void JwwSetTextCode(JwwState& st, int32_t n);
void JwwSetFontName(JwwState& st, std::string_view name);
void JwwSetPointColour(JwwState& st, int32_t n, TJwwNumberMode mode);

// ---- Entity commands -----------------------------------------------------------------------------

// The z flags of the next entity, a mask of z1 (1) to z5 (16).
inline constexpr uint8_t kJwwZDimension = 4;  // z3: the entity belongs to a dimension
void JwwAddZFlags(JwwState& st, uint8_t mask);
void JwwAddLine(JwwState& st, double x1, double y1, double x2, double y2);
void JwwAddPoint(JwwState& st, int32_t code, double x, double y, double scale, double angle);
// An arc of centre (x, y) and radius r running counter-clockwise from startDeg to endDeg:
// "ci X Y R A1 A2 1 0" (flatness 1, tilt 0). Nothing for a radius of about 0 or a number that is not
// finite (it would be written as 0).
void JwwAddArc(JwwState& st, double x, double y, double r, double startDeg, double endDeg);
// Text kinds: 0 "ch" (horizontal) to 9 "c2"; any other kind writes "ch".
inline constexpr int32_t kJwwTextSloped = 2;  // "cs": along the direction (dirX, dirY)
void JwwAddText(JwwState& st, int32_t kind, std::string_view text, double x, double y, double dirX,
                double dirY);
void JwwAddMessage(JwwState& st, std::string_view text, double x1, double y1, double x2, double y2, double x,
                   double y, double dirX, double dirY);
// "hd": the host deletes the entities it handed over (a range selection), and draws what follows.
void JwwAddDeleteSelection(JwwState& st);

// ---- Writing back what was read ----------------------------------------------------------------

// Whether entities of a kind can be written back so that the host gets them as they were: lines,
// circles, arcs and ellipses, points and markers, texts and dimension entities can; blocks and
// solids cannot (the reader keeps too little of them).
bool JwwCanWriteBack(TJwwEntityKind kind);
// Whether entity ITEM of HOST can: its kind can, and nothing of it was lost in reading or lies
// outside what the commands write (a segment of a curve, a text or font name the reader may have
// cut, a text type other than 0..10, a width outside 0..30000).
bool JwwCanWriteBack(const JwwState& host, TJwwOrderItem item);
// Appends entity ITEM of HOST to OUT as it was read: its layer group, layer, line or point
// colour, line type, width and text attributes through the attribute commands (a state line only
// where one changes), its Z flags, and its numbers as read, in the real form when that reads back
// as the same number. Reading OUT's lines back under HOST's header gives the same record. False,
// appending nothing, when JwwCanWriteBack(host, item) is false.
bool JwwAddEntityAsRead(JwwState& out, const JwwState& host, TJwwOrderItem item);
// Text T or dimension entity M, records of HOST (their strings in its pool) whose numbers the
// caller may have changed, appended as JwwAddEntityAsRead appends one: a value moved elsewhere
// keeps everything else it was read with. They do not ask JwwCanWriteBack: what the commands
// cannot state (a text type outside 0..10, no font) comes out as they state it for any text.
void JwwAddTextAsRead(JwwState& out, const JwwState& host, const TJwwEntText& t);
void JwwAddMessageAsRead(JwwState& out, const JwwState& host, const TJwwEntMsg& m);
