// gen_exchange OUT MEGABYTES [SEED]: writes a large, realistic JWC_TEMP.TXT for the reading
// benchmark: the host's header lines, picked points, then entities as a host writes a selection
// of a real drawing. Attribute lines appear only when the attribute changes; about 60 % of the
// entities are lines; texts are Japanese (Shift-JIS) with their font and text-code lines; there
// are circles, arcs, points, solids after "lc10", blocks, "msg" and "pl" blocks, and "#"
// separators. Coordinates carry as many digits as the host writes. Shift-JIS, CR LF.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

// Small, fast and the same everywhere: the file is a function of its seed.
class TRandom {
 public:
  explicit TRandom(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint64_t Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 7;
    s_ ^= s_ << 17;
    return s_;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

 private:
  uint64_t s_;
};

const char* const kWords[] = {
    "\x90\xa1\x96\x40",                                                      // 寸法
    "\x92\xca\x82\xe8\x90\x63",                                              // 通り芯
    "\x95\xbd\x96\xca\x90\x7d",                                              // 平面図
    "\x82\x66\x82\x6b\x81\x7b\x82\x50\x82\x51\x82\x4f\x82\x4f",              // ＧＬ＋１２００
    "\x95\xc7\x90\x63",                                                      // 壁芯
    "\x82\x77\x82\x50",                                                      // Ｘ１
    "\x82\x78\x82\x52",                                                      // Ｙ３
    "\x92\x8c",                                                              // 柱
    "\x97\xc0",                                                              // 梁
    "\x8a\x4b\x92\x69",                                                      // 階段
    "\x8c\xba\x8a\xd6",                                                      // 玄関
    "\x98\x61\x8e\xba\x82\x55\x8f\xf4",                                      // 和室６畳
    "\x97\x6d\x8e\xba",                                                      // 洋室
    "\x83\x4c\x83\x62\x83\x60\x83\x93",                                      // キッチン
    "\x97\x81\x8e\xba",                                                      // 浴室
    "\x95\xd6\x8f\x8a",                                                      // 便所
    "\x8e\xfb\x94\x5b",                                                      // 収納
    "\x82\x65\x82\x6b\x81\x7d\x82\x4f",                                      // ＦＬ±０
    "\x93\x56\x88\xe4\x8d\x82\x82\xb3\x20\x82\x51\x82\x53\x82\x4f\x82\x4f",  // 天井高さ ２４００
    "\x8f\x6b\x8e\xda\x20\x31\x2f\x31\x30\x30",                              // 縮尺 1/100
    "\x97\xa7\x96\xca\x90\x7d\x20\x93\xec",                                  // 立面図 南
    "\xca\xdd\xb6\xb8",                                                      // ﾊﾝｶｸ (half-width)
};
const char* const kFonts[] = {
    "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>",  // <ＭＳ ゴシック>
    "<\x82\x6c\x82\x72 \x96\xbe\x92\xa9>",                  // <ＭＳ 明朝>
    "<\x82\x6c\x82\x72 \x96\xbe\x92\xa9>/",                 // <ＭＳ 明朝>/ (italic)
};
const char* const kTextKeywords[] = {"ch", "ch", "ch", "cv", "cs", "cr", "co", "cp", "ct", "ck"};

class TWriter {
 public:
  TWriter(std::FILE* f, uint64_t seed) : f_(f), rnd_(seed) {}

  uint64_t Written() const { return written_; }

  void Header() {
    Line("hq");
    Line("file=C:\\jww\\\x90\xdd\x8c\x76\\\x95\xbd\x96\xca\x90\x7d_1F.jww");  // 設計\平面図_1F
    Line("hk 0");
    Line("hs 100 100 50 50 100 100 100 100 100 100 30 100 100 100 100 1");
    Line("hzs 841 594");
    Line("hcw 2 2.5 3 4 5 6 7 8 9 10");
    Line("hch 2 2.5 3 4 5 6 7 8 9 10");
    Line("hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1");
    Line("hcc      1      1      2      2      3      3      4      4      5      5");
    for (int i = 1; i <= 4; ++i) Printf("hp%d %s %s", i, Coord().c_str(), Coord().c_str());
    Line("lg0");
    Line("ly1");
    Line("lc2");
    Line("lt1");
    Line("lw0");
    Line("cn2");
    Printf("cn\"$%s", kFonts[0]);
  }

  // One entity with whatever attribute lines a host would write before it.
  void Entity() {
    Attributes();
    const int pick = rnd_.Below(1000);
    if (pick < 600) Segment();
    else if (pick < 720) Text();
    else if (pick < 800) Printf("ci %s %s %s", Coord().c_str(), Coord().c_str(), Length().c_str());
    else if (pick < 850) Arc();
    else if (pick < 890) Point();
    else if (pick < 920) Solid();
    else if (pick < 940) Printf("BL %s %s %s", Coord().c_str(), Coord().c_str(), Word());
    else if (pick < 970) Message();
    else if (pick < 990) Polyline();
    else Line("#");
  }

 private:
  void Line(const std::string& s) {
    std::fwrite(s.data(), 1, s.size(), f_);
    std::fwrite("\r\n", 1, 2, f_);
    written_ += s.size() + 2;
  }

  template <class... A>
  void Printf(const char* format, A... args) {
    char buf[512];
    const int n = std::snprintf(buf, sizeof buf, format, args...);
    Line(std::string(buf, static_cast<std::size_t>(n < 0 ? 0 : n)));
  }

  // A coordinate as the host writes it: mostly 15 significant digits, sometimes a round value.
  std::string Coord() {
    const double v = (rnd_.Unit() - 0.5) * 20000.0;
    char buf[40];
    const int kind = rnd_.Below(10);
    if (kind < 6) std::snprintf(buf, sizeof buf, "%.15g", v);
    else if (kind < 9) std::snprintf(buf, sizeof buf, "%.*f", 1 + rnd_.Below(3), v);
    else std::snprintf(buf, sizeof buf, "%.0f", v);
    return buf;
  }

  std::string Length() {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", 1.0 + rnd_.Unit() * 2000.0);
    return buf;
  }

  const char* Word() { return kWords[rnd_.Below(static_cast<int>(std::size(kWords)))]; }

  // State lines, written on change only.
  void Attributes() {
    if (rnd_.Chance(2)) SetIfChanged(group_, rnd_.Below(16), "lg%x");
    if (rnd_.Chance(6)) SetIfChanged(layer_, rnd_.Below(16), "ly%x");
    if (rnd_.Chance(12)) SetIfChanged(colour_, 1 + rnd_.Below(9), "lc%d");
    if (rnd_.Chance(5)) SetIfChanged(lineType_, 1 + rnd_.Below(9), "lt%d");
    if (rnd_.Chance(4)) SetIfChanged(width_, rnd_.Below(4) * 10, "lw%d");
    if (rnd_.Chance(3)) Line("z" + std::to_string(1 + rnd_.Below(5)));
  }

  void SetIfChanged(int& current, int value, const char* format) {
    if (current == value) return;
    current = value;
    Printf(format, value);
  }

  void Segment() {
    Printf("%s %s %s %s", Coord().c_str(), Coord().c_str(), Coord().c_str(), Coord().c_str());
  }

  void Text() {
    if (rnd_.Chance(10)) {
      if (rnd_.Chance(30)) {
        Printf("cn0 %s %s 0.%d %d", Length().c_str(), Length().c_str(), rnd_.Below(10), 1 + rnd_.Below(9));
      } else {
        Printf("cn%d", 1 + rnd_.Below(10));
      }
    }
    if (rnd_.Chance(4)) Printf("cn\"$%s", kFonts[rnd_.Below(3)]);
    if (rnd_.Chance(3)) Printf("cc%d", rnd_.Below(9));
    std::string text = Word();
    if (rnd_.Chance(40)) text += std::string(" ") + Word();
    if (rnd_.Chance(30)) text += " " + std::to_string(rnd_.Below(100000));
    Printf("%s %s %s 1 0 \"%s", kTextKeywords[rnd_.Below(10)], Coord().c_str(), Coord().c_str(),
           text.c_str());
  }

  void Arc() {
    Printf("ci %s %s %s %.15g %.15g %.15g 0", Coord().c_str(), Coord().c_str(), Length().c_str(),
           rnd_.Unit() * 6.28318530717959, rnd_.Unit() * 6.28318530717959, 1.0);
  }

  void Point() {
    if (rnd_.Chance(50)) {
      Printf("pt %s %s", Coord().c_str(), Coord().c_str());
    } else {
      Printf("pt %s %s 1 0 %d", Coord().c_str(), Coord().c_str(), 1 + rnd_.Below(11));
    }
  }

  void Solid() {
    Printf("lc10 %d", rnd_.Below(256));
    colour_ = 10;
    const std::string x1 = Coord(), y1 = Coord(), x2 = Coord(), y2 = Coord(), x3 = Coord();
    // Some solids repeat a point, as triangles written as quadrilaterals do.
    const std::string y3 = Coord(), x4 = rnd_.Chance(30) ? x3 : Coord(), y4 = x4 == x3 ? y3 : Coord();
    Printf("sl %s %s %s %s %s %s %s %s", x1.c_str(), y1.c_str(), x2.c_str(), y2.c_str(), x3.c_str(),
           y3.c_str(), x4.c_str(), y4.c_str());
  }

  void Message() {
    Line("msg");
    Line("z3");
    Segment();
    Line("z3");
    Printf("cs %s %s 1 0 \"%d", Coord().c_str(), Coord().c_str(), rnd_.Below(100000));
  }

  void Polyline() {
    Line("pl");
    const int n = 3 + rnd_.Below(8);
    for (int i = 0; i < n; ++i) Segment();
    Line("#");
  }

  std::FILE* f_;
  TRandom rnd_;
  uint64_t written_ = 0;
  int group_ = 0, layer_ = 1, colour_ = 2, lineType_ = 1, width_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUT MEGABYTES [SEED]\n", argv[0]);
    return 2;
  }
  const uint64_t target = std::strtoull(argv[2], nullptr, 10) * 1000000ull;
  const uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 748;
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) {
    std::perror(argv[1]);
    return 2;
  }
  TWriter w(f, seed);
  w.Header();
  while (w.Written() < target) w.Entity();
  if (std::fclose(f) != 0) {
    std::perror(argv[1]);
    return 2;
  }
  std::printf("%s: %" PRIu64 " bytes\n", argv[1], w.Written());
  return 0;
}
