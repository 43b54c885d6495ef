// The dialog's preview: what it draws for the dimension OK would write, why it draws nothing when
// OK would refuse, its SVG form, and the command line's --preview.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cmath>
#include <sstream>
#include <map>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "MyFunc.h"
#include "TestSupport.h"
#include "Preview.h"
#include "Unit1.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testsupport::ExactlyWhen;
using testsupport::HasSjisSubstr;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::string HostFile(double axis, double scale, const std::vector<std::string>& points) {
  std::string s = "hq\r\nhk " + FloatToText(axis) + "\r\nhs";
  for (int i = 0; i < 16; ++i) s += " " + FloatToText(scale);
  s += "\r\nhcw 3 2.5 3 4 5 6 7 8 9 10\r\nhch 3 2.5 3 4 5 6 7 8 9 10\r\n";
  for (const std::string& p : points) s += p + "\r\n";
  return s + "lg0\r\nly0\r\nlc1\r\nlt1\r\nlw0\r\ncn1\r\n";
}

// The complete run: P1 (0, 0), P2 (0, 100), P3 (50, 30), P4 (80, 40), axis 0, scale 1.
const std::vector<std::string> kCompleteRun = {"hp1 0 0", "hp2 0 100", "hp3 50 30", "hp4 80 40"};

struct TShown {
  TempDir dir{"q748-preview"};
  TForm1 form{dir.path(), nullptr};
  explicit TShown(const std::string& host) {
    WriteFile(dir.path() / kExchangeFileName, host);
    form.FormShow();
    form.ComboBox3.SetItemIndex(1);
  }
};

std::vector<const TPreviewShape*> OfKind(const TPreviewPicture& p, TPreviewShapeKind k) {
  std::vector<const TPreviewShape*> out;
  for (const TPreviewShape& s : p.Shapes) {
    if (s.Kind == k) out.push_back(&s);
  }
  return out;
}

bool HasLine(const TPreviewPicture& p, double x1, double y1, double x2, double y2) {
  for (const TPreviewShape* s : OfKind(p, TPreviewShapeKind::Line)) {
    const auto near = [](double a, double b) { return std::abs(a - b) < 1e-4; };
    if (near(s->Points[0].X, x1) && near(s->Points[0].Y, y1) && near(s->Points[1].X, x2) &&
        near(s->Points[1].Y, y2))
      return true;
  }
  return false;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = std::search(text.begin(), text.end(), what.begin(), what.end()); at != text.end();
       at = std::search(at + 1, text.end(), what.begin(), what.end()))
    ++n;
  return n;
}

}  // namespace

TEST(Preview, CompleteRunDrawsWhatOkWrites) {
  TShown s(HostFile(0, 1, kCompleteRun));
  const TPreview p = BuildPreview(s.form);
  ASSERT_TRUE(p.Drawable);
  EXPECT_TRUE(p.Status.empty());
  EXPECT_EQ(p.ValueText, "100");
  EXPECT_DOUBLE_EQ(p.Length, 100.0);
  EXPECT_THAT(p.Info, HasSjisSubstr(SjisText("寸法値 100")));
  EXPECT_THAT(p.Info, HasSjisSubstr(SjisText("縮尺 1/1")));
  EXPECT_THAT(p.Info, HasSjisSubstr(SjisText("軸角 0°")));

  // Extension lines, dimension line, leader, base line, and the two line arrows.
  const TPreviewPicture& pic = p.Picture;
  EXPECT_EQ(OfKind(pic, TPreviewShapeKind::Line).size(), 9u);
  EXPECT_TRUE(HasLine(pic, 2, 0, 52, 0));
  EXPECT_TRUE(HasLine(pic, 2, 100, 52, 100));
  EXPECT_TRUE(HasLine(pic, 50, 0, 50, 100));
  EXPECT_TRUE(HasLine(pic, 50, 50, 80.5, 45));
  EXPECT_TRUE(HasLine(pic, 80.5, 39.5, 80.5, 45));
  EXPECT_TRUE(HasLine(pic, 50, 0, 49.2235, 2.8978));
  EXPECT_TRUE(HasLine(pic, 50, 100, 50.7765, 97.1022));

  // The value text at P4, reading upwards, text type 1 (3 high), three half-width digits long.
  const auto texts = OfKind(pic, TPreviewShapeKind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->Text, "100");
  EXPECT_NEAR(texts[0]->Points[0].X, 80, 1e-9);
  EXPECT_NEAR(texts[0]->Points[0].Y, 40, 1e-9);
  EXPECT_NEAR(texts[0]->AngleDeg, 90, 1e-9);
  EXPECT_NEAR(texts[0]->Height, 3, 1e-9);
  EXPECT_NEAR(texts[0]->Radius, 4.5, 1e-9);
  ASSERT_EQ(OfKind(pic, TPreviewShapeKind::TextBox).size(), 1u);
  EXPECT_EQ(OfKind(pic, TPreviewShapeKind::Measured).size(), 2u);
  EXPECT_DOUBLE_EQ(pic.MinX, 0);
  EXPECT_DOUBLE_EQ(pic.MaxX, 80.5);
  EXPECT_DOUBLE_EQ(pic.MinY, 0);
  EXPECT_DOUBLE_EQ(pic.MaxY, 100);

  // The SVG: one element per shape, the dimension line where the fit puts it.
  const std::string svg = PictureToSvg(pic, kPreviewWidth, kPreviewHeight);
  EXPECT_EQ(Count(svg, "<line "), 9u);
  EXPECT_EQ(Count(svg, "<text "), 1u);
  EXPECT_EQ(Count(svg, "class=\"text-extent\""), 1u);
  EXPECT_EQ(Count(svg, "class=\"measured\""), 2u);
  const TPreviewFit fit = FitPicture(pic, kPreviewWidth, kPreviewHeight, 8);
  const TPreviewPoint a = fit.ToPixel({50, 0}), b = fit.ToPixel({50, 100});
  EXPECT_THAT(svg, HasSubstr("x1=\"" + FormatFixed(2, a.X) + "\" y1=\"" + FormatFixed(2, a.Y) + "\" x2=\"" +
                             FormatFixed(2, b.X) + "\" y2=\"" + FormatFixed(2, b.Y) + "\""));
  // The picture fills the box's height (100 units tall, 80.5 wide) within the margin.
  EXPECT_NEAR(fit.ToPixel({0, 0}).X, 8.0, 1e-9);
  EXPECT_NEAR(fit.ToPixel({80.5, 0}).X, kPreviewWidth - 8.0, 1e-9);
  EXPECT_GT(a.Y, b.Y);  // y up in the drawing, down in the picture
}

// A prefix or suffix does not shrink the dimension: a short one is framed whole, a long one runs
// out of the panel while the dimension keeps its size.
TEST(Preview, LongAffixesRunOutOfTheFrame) {
  const auto framed = [](const std::string& prefix, const std::string& suffix) {
    TShown s(HostFile(0, 1, kCompleteRun));
    s.form.Edit2.Text = SjisText(prefix);
    s.form.Edit3.Text = SjisText(suffix);
    return BuildPreview(s.form).Picture;
  };
  const auto scale = [](const TPreviewPicture& p) {
    return FitPicture(p, kPreviewWidth, kPreviewHeight, 8).Scale;
  };
  // Whether every point of every shape lies within the frame.
  const auto whole = [](const TPreviewPicture& p) {
    for (const TPreviewShape& s : p.Shapes) {
      for (const TPreviewPoint& q : s.Points) {
        if (q.X < p.MinX || q.X > p.MaxX || q.Y < p.MinY || q.Y > p.MaxY) return false;
      }
    }
    return true;
  };
  const std::string many(100, 'x');
  const TPreviewPicture bare = framed("", "");
  const TPreviewPicture shortPrefix = framed("Ｈ＝", "");
  const TPreviewPicture medium = framed("", std::string(50, 'x'));
  const TPreviewPicture longSuffix = framed("", "ｍｍ（" + many + "）");
  const TPreviewPicture longer = framed(many, many + std::string(40, 'x'));  // within the host's 255 bytes
  EXPECT_TRUE(whole(bare));
  EXPECT_TRUE(whole(shortPrefix));
  EXPECT_TRUE(whole(medium));  // beyond the dimension, within the allowance
  EXPECT_GT(medium.MaxY, bare.MaxY);
  EXPECT_FALSE(whole(longSuffix));
  // The text runs upwards from (80, 40): the frame grows by half the dimension's 100 at most.
  EXPECT_DOUBLE_EQ(longSuffix.MaxY, 150);
  EXPECT_DOUBLE_EQ(longSuffix.MinY, bare.MinY);
  EXPECT_GE(scale(longSuffix), 0.5 * scale(bare));
  EXPECT_DOUBLE_EQ(scale(longer), scale(longSuffix));
}

TEST(Preview, EqualsTheOutputOfOk) {
  TShown s(HostFile(30, 50, {"hp1 512.88 -120.5", "hp2 640.1 377.25", "hp3 300 0", "hp4 150.75 415.3"}));
  s.form.ComboBox1.SetItemIndex(6);
  s.form.CheckBox4.Checked = true;
  const TPreview p = BuildPreview(s.form);
  ASSERT_TRUE(p.Drawable);
  s.form.Button1Click();
  ASSERT_TRUE(s.form.CloseRequested);
  // The output of OK read back gives exactly the preview's picture (measured points aside).
  const TPreviewPicture fromOk =
      PictureFromOutput(s.form.Jww, DrawingScale(s.form.Jww), {{512.88, -120.5}, {640.1, 377.25}});
  EXPECT_EQ(PictureToSvg(fromOk, kPreviewWidth, kPreviewHeight),
            PictureToSvg(p.Picture, kPreviewWidth, kPreviewHeight));
}

// Shapes for the choices that change the picture.
TEST(Preview, MarkersTextAndEntityForms) {
  struct Case {
    const char* name;
    double axis;
    std::vector<std::string> points;
    void (*set)(TForm1&);
    void (*check)(const TPreviewPicture&);
  } cases[] = {
      {"reversed line arrows with overshoot",
       0,
       {"hp1 0 0", "hp2 0 5", "hp3 50 30", "hp4 80 40"},
       [](TForm1&) {},
       [](const TPreviewPicture& p) {
         // 2 extension lines, the dimension line, leader, base line, and per end 2 arrow lines
         // plus the overshoot.
         EXPECT_EQ(OfKind(p, TPreviewShapeKind::Line).size(), 11u);
         EXPECT_TRUE(HasLine(p, 50, 0, 50, -2));
         EXPECT_TRUE(HasLine(p, 50, 5, 50, 7));
       }},
      {"reversed without overshoot",
       0,
       {"hp1 0 0", "hp2 0 5", "hp3 50 30", "hp4 80 40"},
       [](TForm1& f) { f.Edit9.Text = "0"; },
       [](const TPreviewPicture& p) {
         EXPECT_EQ(OfKind(p, TPreviewShapeKind::Line).size(), 9u);
         EXPECT_FALSE(HasLine(p, 50, 0, 50, -2));
       }},
      {"point markers: a filled triangle and a filled circle", 0, kCompleteRun,
       [](TForm1& f) {
         f.ComboBox1.SetItemIndex(6);
         f.ComboBox2.SetItemIndex(7);
       },
       [](const TPreviewPicture& p) {
         EXPECT_EQ(OfKind(p, TPreviewShapeKind::Line).size(), 5u);
         const auto tri = OfKind(p, TPreviewShapeKind::FilledPolygon);
         ASSERT_EQ(tri.size(), 1u);
         EXPECT_NEAR(tri[0]->Points[0].X, 50, 1e-9);  // its tip on the end A1
         EXPECT_NEAR(tri[0]->Points[0].Y, 0, 1e-9);
         const auto dot = OfKind(p, TPreviewShapeKind::FilledCircle);
         ASSERT_EQ(dot.size(), 1u);
         EXPECT_NEAR(dot[0]->Radius, 1.25, 1e-9);
       }},
      {"every other marker kind has a shape", 0, kCompleteRun,
       [](TForm1& f) {
         f.ComboBox1.SetItemIndex(8);   // tilde
         f.ComboBox2.SetItemIndex(10);  // slash
       },
       [](const TPreviewPicture& p) {
         EXPECT_EQ(OfKind(p, TPreviewShapeKind::Polyline).size(), 1u);
         EXPECT_EQ(OfKind(p, TPreviewShapeKind::Line).size(), 6u);
       }},
      {"combined entity: the same picture as the plain one", 0, kCompleteRun,
       [](TForm1& f) { f.CheckBox4.Checked = true; },
       [](const TPreviewPicture& p) {
         EXPECT_EQ(OfKind(p, TPreviewShapeKind::Line).size(), 9u);
         EXPECT_TRUE(HasLine(p, 50, 0, 50, 100));
         EXPECT_EQ(OfKind(p, TPreviewShapeKind::Text).size(), 1u);
       }},
      {"axis angle 100: the text runs at 10 degrees", 100, kCompleteRun, [](TForm1&) {},
       [](const TPreviewPicture& p) {
         const auto texts = OfKind(p, TPreviewShapeKind::Text);
         ASSERT_EQ(texts.size(), 1u);
         EXPECT_NEAR(texts[0]->AngleDeg, 10, 1e-9);
         EXPECT_EQ(OfKind(p, TPreviewShapeKind::Line).size(), 9u);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TShown s(HostFile(c.axis, 1, c.points));
    c.set(s.form);
    const TPreview p = BuildPreview(s.form);
    ASSERT_TRUE(p.Drawable) << SjisToUtf8(p.Status);
    c.check(p.Picture);
  }
}

// When OK would refuse, the preview says why and draws nothing.
TEST(Preview, RefusalsDrawNothingAndSayWhy) {
  struct Case {
    const char* name;
    std::vector<std::string> points;
    void (*set)(TForm1&);
    const char* status;
  } cases[] = {
      {"no end marker", kCompleteRun, [](TForm1& f) { f.ComboBox1.SetItemIndex(-1); },
       "「始点」を選択して下さい"},
      {"end-point factor 0", kCompleteRun, [](TForm1& f) { f.Edit1.Text = "0"; },
       "「端点倍率」の値では作図出来ません（0より大きい値）"},
      {"arrow length 1001", kCompleteRun, [](TForm1& f) { f.Edit7.Text = "1001"; },
       "「線矢印の長さ」の値では作図出来ません（0より大きく1000以下）"},
      {"arrow length no number", kCompleteRun, [](TForm1& f) { f.Edit7.Text = SjisText("３ｍｍ"); },
       "「線矢印の長さ」の値では作図出来ません（0より大きく1000以下）"},
      {"arrow angle 180", kCompleteRun, [](TForm1& f) { f.Edit8.Text = "180"; },
       "「線矢印の角度」の値では作図出来ません（0より大きく180未満）"},
      {"point gap -1", kCompleteRun, [](TForm1& f) { f.Edit5.Text = "-1"; },
       "「計測点と寸法補助線の距離」の値では作図出来ません（0以上）"},
      {"overhang -1", kCompleteRun, [](TForm1& f) { f.Edit6.Text = "-1"; },
       "「寸法補助線のはみ出し距離」の値では作図出来ません（0以上）"},
      {"no text type", kCompleteRun, [](TForm1& f) { f.ComboBox3.SetItemIndex(-1); },
       "「寸法値の文字種」を選択して下さい"},
      {"negative overhang", kCompleteRun, [](TForm1& f) { f.Edit9.Text = "-1"; },
       "「逆矢印の寸法はみだし距離」の値では作図出来ません（0以上）"},
      {"zero length",
       {"hp1 0 0", "hp2 10 0", "hp3 50 30", "hp4 80 40"},
       [](TForm1&) {},
       "寸法が「0」になりますので作図出来ません"},
      {"a missing point",
       {"hp1 0 0", "hp2 0 100", "hp3 50 30"},
       [](TForm1&) {},
       "指示点が不足していますので作図出来ません"},
      {"a point at 1e308",
       {"hp1 0 -1e308", "hp2 0 1e308", "hp3 50 30", "hp4 80 40"},
       [](TForm1&) {},
       "数値が大きすぎますので作図出来ません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TShown s(HostFile(0, 1, c.points));
    c.set(s.form);
    const TPreview p = BuildPreview(s.form);
    EXPECT_FALSE(p.Drawable);
    EXPECT_EQ(SjisToUtf8(p.Status), c.status);
    EXPECT_TRUE(p.Picture.Shapes.empty());
    EXPECT_EQ(Count(PictureToSvg(p.Picture, kPreviewWidth, kPreviewHeight), "<line"), 0u);
    // Nothing of the real output list was touched.
    EXPECT_EQ(s.form.Jww.OutputCount, 0);
  }
}

// A dimension continued from the last one shows the last one faintly behind it; without a last
// one the preview says why OK refuses.
TEST(Preview, ContinuedShowsTheLastDimensionFaintly) {
  TempDir dir("q748-preview");
  WriteFile(dir.path() / kExchangeFileName, HostFile(0, 1, {"hp1 0 250", "hp2 90 150"}));
  TForm1 none(dir.path(), nullptr, {TKind::Linear, TDirection::Vertical, TNext::Chain});
  none.FormShow();
  none.ComboBox3.SetItemIndex(1);
  EXPECT_EQ(SjisToUtf8(BuildPreview(none).Status), kMessageNoLastDimension);

  std::string settings;
  for (const char* line :
       {"100", "100", "0", "0", "1", "3", "2", "1", "",  "",  "0.5", "2", "2",   "3",  "15", "2",
        "0",   "0",   "0", "0", "0", "0", "0", "1", "0", "0", "0",   "0", "100", "50", "30"})
    settings += std::string(line) + "\r\n";
  WriteFile(dir.path() / kSettingsFileName, settings);
  TForm1 chain(dir.path(), nullptr, {TKind::Linear, TDirection::Vertical, TNext::Chain});
  chain.FormShow();
  const TPreview p = BuildPreview(chain);
  ASSERT_TRUE(p.Drawable) << SjisToUtf8(p.Status);
  // The new dimension from the last one's second point, on the same dimension line.
  EXPECT_TRUE(HasLine(p.Picture, 50, 100, 50, 250));
  const std::vector<const TPreviewShape*> lines = OfKind(p.Picture, TPreviewShapeKind::LastLine);
  const std::vector<const TPreviewShape*> points = OfKind(p.Picture, TPreviewShapeKind::LastMeasured);
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_NEAR(lines[0]->Points[0].X, 50, 1e-9);
  EXPECT_NEAR(lines[0]->Points[0].Y, 0, 1e-9);
  EXPECT_NEAR(lines[0]->Points[1].Y, 100, 1e-9);
  EXPECT_NEAR(points[0]->Points[0].Y, 0, 1e-9);
  EXPECT_NEAR(points[1]->Points[0].Y, 100, 1e-9);
  // Behind the new dimension, and inside the frame.
  EXPECT_EQ(&p.Picture.Shapes.front(), lines[0]);
  EXPECT_LE(p.Picture.MinY, 0);
  const std::string svg = PictureToSvg(p.Picture, kPreviewWidth, kPreviewHeight);
  EXPECT_EQ(Count(svg, "class=\"last\""), 1u);
  EXPECT_EQ(Count(svg, "class=\"last-measured\""), 2u);

  // An outside dimension needs its distance, and says which values it takes.
  TForm1 outside(dir.path(), nullptr, {TKind::Linear, TDirection::Vertical, TNext::Outside});
  outside.FormShow();
  outside.Edit10.Text = "0";
  EXPECT_EQ(SjisToUtf8(BuildPreview(outside).Status),
            "「外側追加の間隔」の値では作図出来ません（0より大きい値）");
}

// A chain as the repeating launcher draws it, one segment a run: the dimension lines follow on
// from each other on one line. The picture of the whole chain is the README's (written there
// with Q748_UPDATE_SCREENSHOT set).
// A radius or diameter shows the circle it measures faintly behind it, and tells its value.
TEST(Preview, RadiusAndDiameterShowTheCircle) {
  for (TKind kind : {TKind::Radius, TKind::Diameter}) {
    TempDir dir("q748-preview");
    WriteFile(
        dir.path() / kExchangeFileName,
        "hq\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\nhp1ci 30 40\r\nhp2 80 10\r\nhhp1ci\r\nci 0 0 50\r\n");
    TForm1 f(dir.path(), nullptr, {kind});
    f.FormShow();
    f.ComboBox3.SetItemIndex(1);
    const TPreview p = BuildPreview(f);
    ASSERT_TRUE(p.Drawable) << SjisToUtf8(p.Status);
    EXPECT_EQ(p.Length, kind == TKind::Radius ? 50 : 100);
    EXPECT_EQ(SjisToUtf8(p.ValueText), kind == TKind::Radius ? "R50" : "φ100");
    ASSERT_FALSE(p.Picture.Shapes.empty());
    EXPECT_EQ(p.Picture.Shapes[0].Kind, TPreviewShapeKind::PickedCircle);
    EXPECT_EQ(p.Picture.Shapes[0].Radius, 50);
    EXPECT_LE(p.Picture.MinX, -50);
    EXPECT_LE(p.Picture.MinY, -50);
    EXPECT_EQ(Count(PictureToSvg(p.Picture, kPreviewWidth, kPreviewHeight), "class=\"picked\""), 1u);
  }
}

// What was picked stands faintly behind the dimension: a whole circle as the circle, an arc as
// that arc alone (counter-clockwise from its start to its end), an angle's two lines, a picked
// line. Read from the dimension's fields.
TEST(Preview, PickedEntitiesAsTheyWerePicked) {
  TempDir dir("q748-preview");
  WriteFile(dir.path() / kExchangeFileName, "hq\r\nhp1ln 12 3\r\nhhp1ln\r\n10 0 40 70\r\n");
  JwwState host;
  JwwInit(host);
  ASSERT_TRUE(JwwReadFile(host, dir.path() / kExchangeFileName));
  const auto arcOf = [](TKind kind, bool whole, double start, double end) {
    TDimensionInput in;
    in.Kind = kind;
    in.Centre = {5000, 0};
    in.Radius = 800;
    in.WholeCircle = whole;
    in.ArcStart = start;
    in.ArcEnd = end;
    return in;
  };
  TDimensionInput angle;
  angle.Kind = TKind::Angle;
  angle.LineEnds = {TPointD{0, 0}, TPointD{2000, 0}, TPointD{-5, 1}, TPointD{1732, 1000}};
  TDimensionInput line;
  line.Pick = TPick::Line;
  const struct {
    const char* name;
    TDimensionInput in;
    std::vector<TPreviewShapeKind> kinds;
    double firstDeg = 0, middleDeg = 0, lastDeg = 0;  // an arc's: where it starts, passes and ends
  } cases[] = {
      {"a radius of a whole circle", arcOf(TKind::Radius, true, 30, 150), {TPreviewShapeKind::PickedCircle}},
      {"a radius of an arc",
       arcOf(TKind::Radius, false, 30, 150),
       {TPreviewShapeKind::PickedArc},
       30,
       90,
       150},
      {"a diameter of an arc over 0",
       arcOf(TKind::Diameter, false, 300, 60),
       {TPreviewShapeKind::PickedArc},
       300,
       0,
       60},
      {"an arc length",
       arcOf(TKind::ArcLength, true, 200, 260),
       {TPreviewShapeKind::PickedArc},
       200,
       230,
       260},
      {"an angle", angle, {TPreviewShapeKind::PickedLine, TPreviewShapeKind::PickedLine}},
      {"a picked line", line, {TPreviewShapeKind::PickedLine}},
      {"four points", TDimensionInput{}, {}},
  };
  const auto at = [](double deg) {
    const double a = deg * 3.14159265358979323846 / 180;
    return TPreviewPoint{5000 + 800 * std::cos(a), 800 * std::sin(a)};
  };
  const auto near = [](TPreviewPoint a, TPreviewPoint b) { return std::hypot(a.X - b.X, a.Y - b.Y) < 1e-6; };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<TPreviewShape> shapes = PickedShapes(c.in, host);
    std::vector<TPreviewShapeKind> kinds;
    for (const TPreviewShape& s : shapes) kinds.push_back(s.Kind);
    ASSERT_EQ(kinds, c.kinds);
    if (kinds.empty()) continue;
    const std::vector<TPreviewPoint>& p = shapes[0].Points;
    switch (kinds[0]) {
      case TPreviewShapeKind::PickedCircle:
        EXPECT_TRUE(near(p[0], {5000, 0}));
        EXPECT_EQ(shapes[0].Radius, 800);
        break;
      case TPreviewShapeKind::PickedArc:
        ASSERT_GE(p.size(), 3u);
        EXPECT_TRUE(near(p.front(), at(c.firstDeg)));
        EXPECT_TRUE(near(p[p.size() / 2], at(c.middleDeg)));
        EXPECT_TRUE(near(p.back(), at(c.lastDeg)));
        break;
      default: break;
    }
  }
  const std::vector<TPreviewShape> lines = PickedShapes(angle, host);
  EXPECT_TRUE(near(lines[1].Points[0], {-5, 1}) && near(lines[1].Points[1], {1732, 1000}));
  const std::vector<TPreviewShape> picked = PickedShapes(line, host);
  EXPECT_TRUE(near(picked[0].Points[0], {10, 0}) && near(picked[0].Points[1], {40, 70}));
}

// The dialogs of the arc kinds and a picked line show what was picked, in front of nothing, inside
// the frame, faint in the SVG; the angle's line of information tells the angle in degrees.
TEST(Preview, ArcKindsAndPickedLinesShowWhatWasPicked) {
  const std::string head = "hq\r\nhs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1\r\n";
  const struct {
    const char* name;
    TDimensionMode mode;
    std::string host;
    TPreviewShapeKind kind;
    std::size_t count;
    double minY;  // the frame reaches down to it at least
    const char* info;
  } cases[] = {
      {"arc length",
       {.Kind = TKind::ArcLength},
       head + "hp1ci 5 0\r\nhp2 0 30\r\nhp3 20 40\r\nhhp1ci\r\nci 0 -40 50 80 100 1 0\r\n",
       TPreviewShapeKind::PickedArc,
       1,
       9.3,
       "長さ"},
      {"angle",
       {.Kind = TKind::Angle},
       head +
           "hp1ln 5 0\r\nhp2ln 0 5\r\nhp3 9 9\r\nhp4 20 20\r\nhhp1ln\r\n0 -300 10 -300\r\nhhp2ln\r\n0 -400 0 "
           "10\r\n",
       TPreviewShapeKind::PickedLine,
       2,
       -400,
       "角度 90°"},
      {"a picked line",
       {.Pick = TPick::Line},
       head + "hp1ln 12 3\r\nhp2 60 30\r\nhp3 80 40\r\nhhp1ln\r\n10 -500 10 70\r\n",
       TPreviewShapeKind::PickedLine,
       1,
       -500,
       "長さ 570"},
      // A row: the fence faint, and how many of its values stand on leaders.
      {"a row",
       {.Direction = TDirection::Horizontal, .Pick = TPick::Fence},
       head + "hp1 -5 10\r\nhp2- 500 10\r\nhp3 0 -600\r\n0 0 0 20\r\n300 0 300 20\r\n303 0 303 20\r\n",
       TPreviewShapeKind::PickedLine,
       1,
       -600,
       "寸法 2個（引出し 1個）　全体 寸法値 303"},
      // A move: its selection faint, the value at its new place, how far it goes.
      {"a move",
       {.Kind = TKind::Move},
       head + "hn -10 -10 1100 200\r\nhp1 300 -900\r\nz3\r\n0 0 1000 0\r\nz3\r\ncs 450 20 10 0 \"1000\r\n",
       TPreviewShapeKind::PickedLine,
       1,
       -900,
       "寸法値 1000　移動距離 932.1481"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("q748-preview");
    WriteFile(dir.path() / kExchangeFileName, c.host);
    TForm1 f(dir.path(), nullptr, c.mode);
    f.FormShow();
    f.ComboBox3.SetItemIndex(1);
    const TPreview p = BuildPreview(f);
    ASSERT_TRUE(p.Drawable) << SjisToUtf8(p.Status);
    ASSERT_GE(p.Picture.Shapes.size(), c.count);
    for (std::size_t i = 0; i < c.count; ++i) EXPECT_EQ(p.Picture.Shapes[i].Kind, c.kind) << i;
    EXPECT_EQ(OfKind(p.Picture, c.kind).size(), c.count);
    EXPECT_LE(p.Picture.MinY, c.minY);
    EXPECT_EQ(Count(PictureToSvg(p.Picture, kPreviewWidth, kPreviewHeight), "class=\"picked\""), c.count);
    EXPECT_THAT(SjisToUtf8(p.Info), HasSubstr(c.info));
    EXPECT_THAT(SjisToUtf8(p.Info),
                ExactlyWhen(c.mode.Kind != TKind::Angle && c.mode.Kind != TKind::Move, HasSubstr("長さ")));
  }
}

TEST(Preview, AChainDrawnRunByRun) {
  TempDir dir("q748-preview");
  const std::vector<std::vector<std::string>> runs = {
      {"hp1 0 0", "hp2 0 1800", "hp3 900 300", "hp4 1300 700"},
      {"hp1 0 2700", "hp2 1300 2000"},
      {"hp1 0 3300", "hp2 1300 3100"},
      {"hp1 0 5100", "hp2 1300 4000"}};
  JwwState all;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    WriteFile(dir.path() / kExchangeFileName, HostFile(0, 50, runs[k]));
    TForm1 f(dir.path(), nullptr, {TKind::Linear, TDirection::Vertical, k == 0 ? TNext::None : TNext::Chain});
    f.FormShow();
    f.ComboBox3.SetItemIndex(1);
    f.Button1Click();
    ASSERT_TRUE(f.CloseRequested) << k;
    for (const TJwwOutputSlot& slot : f.Jww.OutputLines) JwwAddOutputLine(all, slot.Text, slot.JoinNext);
    ASSERT_TRUE(f.FormClose());
  }
  const TPreviewPicture picture = PictureFromOutput(all, 50);
  const double ends[] = {0, 1800, 2700, 3300, 5100};
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(HasLine(picture, 900, ends[i], 900, ends[i + 1])) << i;
  EXPECT_EQ(OfKind(picture, TPreviewShapeKind::Text).size(), 4u);
  if (std::getenv("Q748_UPDATE_SCREENSHOT") != nullptr) {
    WriteFile(fs::path(Q748_TEST_DATA) / ".." / ".." / "docs" / "chain.svg", PictureToSvg(picture, 360, 480));
  }
}

// A value of Jw_cad's own dimension moved out on a leader, drawn as the host draws before and
// after the run: the same entities but for the value, which stands at its new place with a base
// line and a leader (the README's pictures, rewritten with Q748_UPDATE_SCREENSHOT set).
TEST(Preview, AMovedValueBeforeAndAfter) {
  // A wall of 150 between dimensions of 1200 and 1950 at 1/50: its value stands over its extension lines.
  const std::vector<std::string> selection = {"z3", "0 -100 0 -560",   "z3", "150 -100 150 -560",
                                              "z3", "0 -500 150 -500", "z3", "cs 0 -480 10 0 \"150"};
  const std::vector<std::string> around = {"z3",
                                           "-1200 -100 -1200 -560",
                                           "z3",
                                           "-1200 -500 0 -500",
                                           "z3",
                                           "cs -675 -480 10 0 \"1200",
                                           "z3",
                                           "2100 -100 2100 -560",
                                           "z3",
                                           "150 -500 2100 -500",
                                           "z3",
                                           "cs 990 -480 10 0 \"1950",
                                           "-1300 -100 2200 -100",
                                           "-1300 0 2200 0"};
  TempDir dir("q748-preview");
  std::string host = HostFile(0, 50, {"hn -20 -600 170 -50", "hp1 420 -820"});
  for (const std::string& l : selection) host += l + "\r\n";
  WriteFile(dir.path() / kExchangeFileName, host);
  TForm1 f(dir.path(), nullptr, {.Kind = TKind::Move});
  f.FormShow();
  f.Button1Click();
  ASSERT_TRUE(f.CloseRequested) << SjisToUtf8(f.LabelA1.Caption);

  // The host's drawing: what was around the selection, then the selection, or what replaces it.
  JwwState before, after;
  // A text's head and its string are two slots, as the command writes them.
  const auto add = [](JwwState& st, const std::string& l) {
    const std::size_t quote = l.find('"');
    if (quote == std::string::npos) return JwwAddOutputLine(st, l);
    JwwAddOutputLine(st, l.substr(0, quote + 1), true);
    JwwAddOutputLine(st, l.substr(quote + 1));
  };
  for (const std::string& l : around) add(before, l), add(after, l);
  for (const std::string& l : selection) add(before, l);
  bool deleted = false;
  for (const TJwwOutputSlot& slot : f.Jww.OutputLines) {
    if (slot.Text == "hd") {
      deleted = true;
      continue;
    }
    JwwAddOutputLine(after, slot.Text, slot.JoinNext);
  }
  ASSERT_TRUE(deleted);
  const TPreviewPicture a = PictureFromOutput(before, 50), b = PictureFromOutput(after, 50);
  const auto lines = [](const TPreviewPicture& p) { return OfKind(p, TPreviewShapeKind::Line).size(); };
  EXPECT_EQ(lines(b), lines(a) + 2);  // the base line and the leader
  EXPECT_EQ(OfKind(b, TPreviewShapeKind::Text).size(), OfKind(a, TPreviewShapeKind::Text).size());
  for (double x : {0.0, 150.0}) EXPECT_TRUE(HasLine(b, x, -100, x, -560)) << x;
  EXPECT_TRUE(HasLine(b, 0, -500, 150, -500));
  if (std::getenv("Q748_UPDATE_SCREENSHOT") != nullptr) {
    const fs::path docs = fs::path(Q748_TEST_DATA) / ".." / ".." / "docs";
    // One frame for both pictures: the one of the drawing after the move.
    TPreviewPicture framed = a;
    framed.MinX = std::min(a.MinX, b.MinX), framed.MaxX = std::max(a.MaxX, b.MaxX);
    framed.MinY = std::min(a.MinY, b.MinY), framed.MaxY = std::max(a.MaxY, b.MaxY);
    WriteFile(docs / "move-before.svg", PictureToSvg(framed, 360, 240));
    TPreviewPicture framedAfter = b;
    framedAfter.MinX = framed.MinX, framedAfter.MaxX = framed.MaxX;
    framedAfter.MinY = framed.MinY, framedAfter.MaxY = framed.MaxY;
    WriteFile(docs / "move-after.svg", PictureToSvg(framedAfter, 360, 240));
  }
}

TEST(Preview, CommandLine) {
  TempDir dir("q748-preview-cli");
  const std::string host = HostFile(0, 1, kCompleteRun);
  WriteFile(dir.path() / kExchangeFileName, host);
  const fs::path svg = dir.path() / "p.svg";
  const auto run = [&](std::vector<std::string> args, std::string& err) {
    std::ostringstream out, e;
    const int status = RunCommandLine(args, dir.path(), out, e);
    err = e.str();
    return status;
  };
  std::string err;

  // Alone: the SVG is written, JWC_TEMP.TXT stays as the host wrote it.
  ASSERT_EQ(run({"--preview", svg.string(), "--set", "ComboBox3=1"}, err), 0) << err;
  const std::string drawn = ReadFile(svg);
  EXPECT_EQ(Count(drawn, "<line "), 9u);
  EXPECT_THAT(drawn, HasSubstr(">100</text>"));
  EXPECT_EQ(ReadFile(dir.path() / kExchangeFileName), host);
  EXPECT_FALSE(fs::exists(dir.path() / kSettingsFileName));

  // Refused: exit 1, the reason on standard error, an empty picture.
  EXPECT_EQ(run({"--preview", svg.string(), "--set", "ComboBox3=1", "--set", "Edit1=0"}, err), 1);
  EXPECT_THAT(err, HasSubstr("「端点倍率」の値では作図出来ません"));
  EXPECT_EQ(Count(ReadFile(svg), "<line"), 0u);
  EXPECT_EQ(ReadFile(dir.path() / kExchangeFileName), host);

  // With --ok: the preview, then the dimension written as OK writes it.
  ASSERT_EQ(run({"--ok", "--preview", svg.string(), "--set", "ComboBox3=1"}, err), 0) << err;
  EXPECT_EQ(ReadFile(svg), drawn);
  EXPECT_THAT(ReadFile(dir.path() / kExchangeFileName), HasSjisSubstr("z3\r\n50 0 50 100\r\n"));

  // Not with --dump; a file name is required.
  EXPECT_EQ(run({"--dump", "--preview", svg.string()}, err), 2);
  EXPECT_EQ(run({"--preview"}, err), 2);
}

// Each item of the marker lists shows the shape the preview draws for it at the end of a piece of
// dimension line; the preview draws the host's markers 1 and 11, and 3 and 4, alike (the list
// tells those apart by their codes), every other item differently.
TEST(Preview, MarkerPicturesShowEachItemsShape) {
  std::map<std::string, int> seen;
  for (int item = 0; item < 12; ++item) {
    SCOPED_TRACE(item);
    const TPreviewPicture picture = MarkerPicture(item);
    ASSERT_GE(picture.Shapes.size(), 2u);
    // The marker sits at the line's left end, the line runs right of it.
    EXPECT_LT(picture.MinX, 1e-9);
    EXPECT_GE(picture.MaxX, 6.0 - 1e-9);
    const auto [at, fresh] = seen.emplace(PictureToSvg(picture, 40, 20), item);
    if (!fresh) {
      EXPECT_TRUE((at->second == 1 && item == 11) || (at->second == 3 && item == 4))
          << "the same picture as item " << at->second;
    }
  }
  EXPECT_EQ(seen.size(), 10u);
}
