// MyFunc.h: the shared number, text and geometry routines of the command.
//
// Contract, for every routine declared here:
// - Texts are byte strings in Shift-JIS (code page 932); a byte 0x80..0x9F or 0xE0..0xFD starts
//   a double-byte character. Conversions to other encodings happen only at the program's edges
//   (SjisToUtf8 / Utf8ToSjis below).
// - Units: coordinates are drawing units with the y axis up; angles are degrees counter-clockwise
//   in the routines whose names end in Deg, radians elsewhere.
// - Lenient, total and pure: no locale, no exceptions, no global state. A text that is not wholly
//   a number reads as 0; a malformed Shift-JIS text is still handled byte by byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// ---- Lenient number conversion -------------------------------------------------------------

// Leading blanks (byte 32 only), optional sign, then decimal digits or a hexadecimal number
// introduced by "$", "x", "X", "0x" or "0X" (at most eight significant digits, two's complement).
// Nothing may follow. Anything else, and a decimal outside the 32-bit range, gives 0.
int32_t TextToInt(std::string_view s);

// Leading blanks (byte 32 only), optional sign, digits with an optional "." fraction, optional
// exponent (E/e, optional sign, at least one digit). Nothing may follow; no inf/nan. Anything
// else, and a value outside the double range, gives 0.0.
double TextToFloat(std::string_view s);
// The same grammar, told apart from zero: false (and value 0) when S is no number.
bool TextIsFloat(std::string_view s, double& value);
// A number as a user types it into a field: blanks (half- and full-width) around it are ignored,
// full-width digits, signs and points (０, －, ＋, ．) read as their half-width forms, then the
// grammar above. False (and value 0) when it is no number, an empty text included.
bool TypedNumber(std::string_view sjis, double& value);

// ---- Number forms of everything the command writes ------------------------------------------

// Decimal integer form: "-3", "0", "15".
std::string IntToText(int32_t value);
// Hexadecimal integer form: upper case, no prefix, no leading zeros; negatives as the eight
// digits of their 32-bit two's complement.
std::string IntToHex(int32_t value);
// General real form: 15 significant digits rounded half away from zero from the double's exact
// value; fixed point for 0.0001 <= |x| < 1e15 (and zero), else "d.dddE-5" style; no sign on
// zero; no trailing fraction zeros. Identical on every platform. Infinity and NaN, which no
// reader accepts as a number, are written "0".
std::string FloatToText(double value);

// ---- Shift-JIS text -------------------------------------------------------------------------

inline bool IsLeadByte(unsigned char b) { return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD); }

// S without half-width blanks, full-width blanks (0x81 0x40) and control characters (< 0x20).
std::string RemoveBlanks(std::string_view s);
// The whole characters of S inside the byte window [start, start + count - 1] (positions from 1);
// taken = their number of bytes. Character boundaries are those of the whole text.
std::string CopyMbcs(std::string_view s, int start, int count, int& taken);
// Printable ASCII to full-width forms, half-width katakana to full-width katakana (voiced and
// semi-voiced marks combined where a combined character exists), hiragana to katakana; every
// other character unchanged. The project's own code-page-932 table: no locale involved. As on a
// Japanese Windows system, 0x5C becomes the full-width yen sign, 0x7E the full-width overline,
// and the quotes " and ' the typographic closing quotes.
std::string ToFullWidth(std::string_view s);
// Width of S for character width W and spacing D: a double-byte character counts W (+ D when a
// byte follows), a single-byte one W/2 (none for control characters) (+ D/2 when a byte follows).
double TextExtent(std::string_view s, double width, double spacing);
// The longest prefix of S of at most maxBytes bytes that does not end inside a double-byte
// character (a lone lead byte at the very end of S counts as one character).
std::string_view CutSjis(std::string_view s, std::size_t maxBytes);
// S with every CR and LF turned into a blank, so that it stays on one line of a file. Both are
// single bytes in Shift-JIS, never trail bytes.
std::string SingleLine(std::string_view s);

// Code page 932 to UTF-8 and back, for the program's edges (command line, JSON, SVG). Bytes that
// are no character become U+FFFD; characters without a code-page-932 form become "?" (no
// best-fit substitutes), and so does every byte of malformed UTF-8. Where a character has two
// codes (NEC and IBM extensions) the one Windows writes is chosen.
std::string SjisToUtf8(std::string_view sjis);
std::string Utf8ToSjis(std::string_view utf8);

// ---- Formatting and rounding ----------------------------------------------------------------

// Fixed point with exactly `decimals` fraction digits (0..18; anything else gives 2), the value
// first taken to 18 significant digits, then rounded half away from zero; "-" only when the
// written value is not zero; "." always, whatever the locale. FormatGrouped puts "," between
// groups of three integer digits. Infinity and NaN are written as zero.
std::string FormatFixed(int decimals, double value);
std::string FormatGrouped(int decimals, double value);

// |X| rounded half away to a multiple of 1e-10, sign restored.
double RoundTiny(double x);

enum class TRoundMode : int { Truncate = 0, RoundUp = 1, RoundHalf = 2 };
// X rounded to `digits` decimals (1..13; any other value rounds to a whole number). |X| is first
// rounded half away at the finer of 12 significant digits and `digits` + 2 decimals, never finer
// than 15 significant digits, so that a length that reads 1234.29 stays 1234.29; then
// mode 0 truncates, mode 1 raises the last digit when the dropped part is at least a tenth of it,
// any other mode rounds half away from zero; all exactly in decimal. Symmetric about zero.
double RoundDigits(int digits, TRoundMode mode, double x);

// ---- Plane geometry -------------------------------------------------------------------------

double Distance(double x1, double y1, double x2, double y2);
// Direction of (dx, dy) in radians, 0 <= result < 2*pi; 0 for |dx|, |dy| both below 1e-10.
// Sine, cosine and arc tangent here are the command's own, correctly rounded, so every build
// computes the same coordinates.
double VectorAngle(double dx, double dy);
// The same in degrees, passed through RoundTiny (a vector straight up gives exactly 90); a
// direction that rounds to 360 is 0.
double VectorAngleDeg(double dx, double dy);
// A brought into 0 <= result < 360.
double NormalizeDeg(double a);
// (px, py) turned about (cx, cy) by `angle` radians / degrees counter-clockwise.
void RotatePoint(double px, double py, double cx, double cy, double angle, double& x, double& y);
void RotatePointDeg(double px, double py, double cx, double cy, double angleDeg, double& x, double& y);
