// The fixed texts of the dialog, held as UTF-8 in the source and handed out as Shift-JIS.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "MyFunc.h"
#include "Unit1.h"

namespace {

// What the mode's launchers ask Jw_cad for, in the order of their prompts (three lines).
std::array<const char*, 3> PickLines(const TDimensionMode& m) {
  if (m.Next == TNext::Chain) return {"　次の計測点、寸法値を", "　書き始める点（前回の", "　寸法から連続）"};
  if (m.Next == TNext::Outside)
    return {"　次の計測点、寸法値を", "　書き始める点（前回の", "　寸法の外側に追加）"};
  if (m.Pick == TPick::Line) return {"　計測する線、寸法線を", "　通す点、寸法値を書き", "　始める点"};
  if (m.Pick == TPick::Fence)
    return {"　横切る線（フェンス）の", "　始点と終点、寸法線を", "　通す点（一括）"};
  return KindEntry(m.Kind).Asks;
}

std::string WithDirection(std::string_view line, TDirection d) {
  std::string s(line);
  const std::string_view key = "{D}";
  for (std::size_t at = s.find(key); at != std::string::npos; at = s.find(key))
    s.replace(at, key.size(), DirectionEntry(d).Word);
  return s;
}

}  // namespace

std::string SettingsLauncher(const TDimensionMode& mode) { return ModeLauncher(mode) + "set.bat"; }

std::vector<std::string> Memo1Lines(const TDimensionMode& mode) {
  std::vector<std::string> utf8;
  for (std::string_view line : KindEntry(mode.Kind).Draws)
    utf8.push_back(WithDirection(line, mode.Direction));
  utf8.push_back("◇指示するもの");
  for (std::string_view line : PickLines(mode)) utf8.emplace_back(line);
  utf8.push_back(std::string("◇設定は ") + ModeSettingsFile(mode) + " に");
  for (const char* line : {
           "　保存し、他の寸法の設定",
           "　とは共有しません",
           "◇寸法値の前後には",
           "　寸法値と水平線との距離",
           "　と同じ長さの余白を",
           "　取るものとします",
           "",
           "◆ブロック図形内のものは",
           "　処理出来ませんので",
           "　御注意下さい。",
           "　ブロック編集内で行う",
           "　場合には、本ソフトを",
           "　Jw_cadのインストール・",
           "　フォルダに配置して",
           "　実行を行って下さい。",
           "◆ウイルス／セキュリティ",
           "　ソフト／セキュリティ",
           "　設定の画面が表示",
           "　され、許可／遮断を",
           "　問い合わせてきた場合",
           "　には「許可」を選択して",
           "　下さい。",
       })
    utf8.emplace_back(line);
  std::vector<std::string> v;
  for (const std::string& line : utf8) v.push_back(SjisText(line));
  return v;
}
