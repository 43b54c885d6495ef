// The keyword rules of a line of JWC_TEMP.TXT: header values, layer names, attributes, blocks,
// picked points and the pick number. The rules keep their fixed order; the switch on the first
// byte of token 0 only skips rules that cannot match.
#include <climits>
#include <cstring>

#include "MyFunc.h"
#include "ReadNumbers.h"
#include "ReadRules.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Counters of lines stop at the largest integer rather than wrap.
int32_t CountUp(int32_t n) { return n < INT32_MAX ? n + 1 : n; }

// The element at index I of V, or nullptr when I is outside it.
template <class V>
auto* Slot(V& v, int64_t i) {
  return i >= 0 && static_cast<uint64_t>(i) < v.size() ? &v[static_cast<std::size_t>(i)] : nullptr;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && std::memcmp(s.data(), prefix.data(), prefix.size()) == 0;
}

// Token 0 from its (one-based) position `from` to its end; empty when shorter.
std::string_view From(std::string_view s, std::size_t from) {
  return from - 1 < s.size() ? s.substr(from - 1) : std::string_view();
}

// The one hexadecimal digit after a two-letter keyword ("lga" is group 10); anything else is 0.
int32_t OneHexDigit(std::string_view k) {
  if (k.size() < 3) return 0;
  const char digit[2] = {'$', k[2]};
  return TextToInt(std::string_view(digit, 2));
}

// Reals of tokens 1..n into dst[0]..dst[n - 1].
void ReadReals(const TTokens& t, int n, double* dst) {
  for (int i = 1; i <= n; ++i) dst[i - 1] = ReadReal(t[i]);
}

// The header lines (hk, hs, hzs, hcw, hch, hcd, hcc, hn), the picked points (hp) and the pick
// number (hhp).
bool HeaderRule(JwwState& st, const TTokens& t) {
  const std::string_view k = t[0];
  const int32_t n = t.Count;
  if (k == "hk" && n >= 2) {
    st.AxisAngle = ReadReal(t[1]);
    return true;
  }
  if (k == "hs" && n >= 17) {
    ReadReals(t, 16, st.GroupScale);
    return true;
  }
  if (k == "hzs" && n >= 3) {
    st.SheetWidth = ReadReal(t[1]);
    st.SheetHeight = ReadReal(t[2]);
    return true;
  }
  if ((k == "hcw" || k == "hch" || k == "hcd" || k == "hcc") && n >= 11) {
    for (int i = 1; i <= 10; ++i) {
      TJwwTextType& type = st.TextTypes[i];
      switch (k[2]) {
        case 'w': type.Width = ReadReal(t[i]); break;
        case 'h': type.Height = ReadReal(t[i]); break;
        case 'd': type.Spacing = ReadReal(t[i]); break;
        default: type.Colour = ReadInt(t[i]); break;
      }
    }
    return true;
  }
  if (k == "hn" && n >= 5) {
    ReadReals(t, 4, st.HnValues + 1);
    return true;
  }
  if (StartsWith(k, "hp") && n >= 3) {
    // Digits run from the third byte up to the last suffix found; a later suffix wins, so
    // "hp1-ln" keeps "1-" as its digits and names no slot.
    static constexpr struct {
      std::string_view Suffix;
      TJwwPickKind Kind;
    } kSuffixes[] = {{"-", TJwwPickKind::Dash},
                     {"ln", TJwwPickKind::Ln},
                     {"ci", TJwwPickKind::Ci},
                     {"ch", TJwwPickKind::Ch}};
    std::string_view digits = k.substr(2);
    TJwwPickKind kind = TJwwPickKind::Plain;
    for (const auto& s : kSuffixes) {
      const std::size_t p = FindSjis(k, s.Suffix);
      if (p == npos) continue;
      digits = p > 2 ? k.substr(2, p - 2) : std::string_view();
      kind = s.Kind;
    }
    const int32_t slot = ReadInt(digits);
    TJwwPickedPoint* point = slot <= 99 ? Slot(st.PickedPoints, slot) : nullptr;
    if (slot >= 1 && point) {
      // Read as every lenient number (0 for no number), and told apart from a picked 0.
      double x = 0.0, y = 0.0;
      const bool xNumeric = TextIsFloat(t[1], x);  // both read, whichever is no number
      const bool numeric = TextIsFloat(t[2], y) && xNumeric;
      *point = TJwwPickedPoint{true, x, y, kind, numeric};
      st.PickedCount = CountUp(st.PickedCount);
    }
    return true;
  }
  if (StartsWith(k, "hhp")) {
    // The number stops before an "ln", "ci" or "ch" suffix (the last one found wins); a "-" stays
    // and makes the number 0.
    std::size_t len = k.size();
    for (std::string_view s : {"ln", "ci", "ch"}) {
      const std::size_t p = FindSjis(k, s);
      if (p != npos && p >= 4) len = p - 3;
    }
    st.CurHhpNo = ReadInt(k.substr(3, len));
    return true;
  }
  return false;
}

// The layer tables' index of a layer within a group (wide, whatever the current values hold).
int64_t LayerEntry(int32_t group, int32_t layer) { return int64_t{group} * 16 + layer; }

void TakeFirst(bool& pending, int32_t& first, int32_t value) {
  if (pending) {
    first = value;
    pending = false;
  }
}

// Layer group and layer names (lgn, lyn), layer group, layer, line colour, line type and line
// width (lg, ly, lc, lt, lw).
bool LayerAndPenRule(JwwState& st, const TTokens& t) {
  const std::string_view k = t[0];
  if (k.size() < 2) return false;
  const int32_t n = t.Count;
  if (StartsWith(k, "lgn")) {
    if (std::string* name = Slot(st.GroupNames, st.CurGroup)) name->assign(k.substr(3));
    return true;
  }
  if (StartsWith(k, "lyn")) {
    if (std::string* name = Slot(st.LayerNames, LayerEntry(st.CurGroup, st.CurLayer)))
      name->assign(k.substr(3));
    return true;
  }
  switch (k[1]) {
    case 'g': {
      const int32_t g = OneHexDigit(k);
      ApplyPenLine(st, 'g', g);
      if (int32_t* value = Slot(st.GroupValues, g); value && n >= 2) *value = ReadInt(t[1]);
      return true;
    }
    case 'y': {
      const int32_t l = OneHexDigit(k);
      ApplyPenLine(st, 'y', l);
      if (int32_t* value = Slot(st.LayerValues, LayerEntry(st.CurGroup, l)); value && n >= 2)
        *value = ReadInt(t[1]);
      return true;
    }
    case 'c': {
      const int32_t c = ReadInt(k.substr(2));
      ApplyPenLine(st, 'c', c);
      if (c == 10 && n >= 2) st.CurSolidColour = ReadInt(t[1]);
      return true;
    }
    case 't':
    case 'w': ApplyPenLine(st, k[1], ReadInt(k.substr(2))); return true;
    default: return false;
  }
}

// Font name (cn$), text type (cn) and text code (cc).
bool TextAttributeRule(JwwState& st, const TTokens& t) {
  const std::string_view k = t[0];
  if (StartsWith(k, "cn$")) {
    const std::string_view font = k.substr(3);
    if (st.FirstFontName.empty()) st.FirstFontName.assign(font);
    st.CurFontName.assign(font);
    return true;
  }
  if (StartsWith(k, "cn")) {
    const int32_t type = ReadInt(k.substr(2));
    const bool freeSize = type == 0 && t.Count >= 5;
    TJwwTextType size{};
    if (freeSize) size = {ReadReal(t[1]), ReadReal(t[2]), ReadReal(t[3]), ReadInt(t[4])};
    if (st.AttrPending[6]) {
      st.FirstTextType = type;
      if (freeSize) st.FirstFreeText = size;
      st.AttrPending[6] = false;
    }
    st.CurTextType = type;
    if (freeSize) st.CurFreeText = size;
    return true;
  }
  if (StartsWith(k, "cc")) {
    // One decimal digit only: "cc12" is code 1; a code above 8, or no digit, is 0.
    const int32_t code = k.size() > 2 && k[2] >= '0' && k[2] <= '8' ? k[2] - '0' : 0;
    st.CurTextCode = code;
    return true;
  }
  return false;
}

}  // namespace

void ApplyPenLine(JwwState& st, char which, int32_t value) {
  // The current value, and the first one while it is still to be taken.
  const auto set = [value](bool& pending, int32_t& first, int32_t& current) {
    TakeFirst(pending, first, value);
    current = value;
  };
  switch (which) {
    case 'g': set(st.AttrPending[1], st.FirstGroup, st.CurGroup); break;
    case 'y': set(st.AttrPending[2], st.FirstLayer, st.CurLayer); break;
    case 'c': set(st.AttrPending[3], st.FirstLineColour, st.CurLineColour); break;
    case 't': set(st.AttrPending[4], st.FirstLineType, st.CurLineType); break;
    case 'w': set(st.AttrPending[5], st.FirstLineWidth, st.CurLineWidth); break;
    case 'z': st.CurZFlags |= 1 << (value - 1); break;
  }
}

bool ApplyKeywordRule(JwwState& st, const TTokens& t) {
  const std::string_view k = t[0];
  // "file=" may stand anywhere in token 0. An equals sign ends splitting, so a token 0 that holds one
  // is the line's only token.
  if (t.Count == 1 && k.size() >= 5 && FindSjis(k, "file=") != npos) {
    st.DrawingFileName.assign(From(k, 6));
    return true;
  }
  if (k.empty()) return false;
  switch (k[0]) {
    case 'h': return HeaderRule(st, t);
    case 'b':
      if (k == "bz") {
        st.BzFlag = true;
        return true;
      }
      return false;
    case 'l': return LayerAndPenRule(st, t);
    case 'c': return TextAttributeRule(st, t);
    case 'z':
      if (k.size() == 2 && k[1] >= '1' && k[1] <= '5') {
        ApplyPenLine(st, 'z', k[1] - '0');
        return true;
      }
      return false;
    case 'p':
      if (StartsWith(k, "pn")) {
        st.CurPointColour = ReadInt(k.substr(2));
        return true;
      }
      if (k == "pl") {
        st.PolylineCount = CountUp(st.PolylineCount);
        st.InPolyline = true;
        st.InMessage = false;
        return true;
      }
      return false;
    case 'm':
      if (k == "msg") {
        st.InMessage = true;
        st.InPolyline = false;
        return true;
      }
      return false;
    case '#':
      if (k == "#") {
        st.InPolyline = false;
        st.InMessage = false;
        return true;
      }
      return false;
    default: return false;
  }
}
