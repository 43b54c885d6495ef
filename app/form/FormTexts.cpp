// The fixed texts of the dialog, held as UTF-8 in the source and handed out as Shift-JIS.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "MyFunc.h"
#include "Unit1.h"

namespace {

// The direction whose settings the notes name as kept apart from those of `d`.
const char* OtherWord(TDirection d) {
  switch (d) {
    case TDirection::Vertical: return "水平";
    case TDirection::Horizontal: return "垂直";
    case TDirection::Aligned: return "他の";
  }
  return "";
}

// "{D}" stands for the direction the dialog draws, "{O}" for the one whose settings are apart.
std::string WithWords(std::string_view line, TDirection d) {
  const char* other = OtherWord(d);
  std::string s(line);
  for (const auto& [key, word] : {std::pair{std::string_view("{D}"), DirectionEntry(d).Word},
                                  std::pair{std::string_view("{O}"), other}}) {
    for (std::size_t at = s.find(key); at != std::string::npos; at = s.find(key))
      s.replace(at, key.size(), word);
  }
  return s;
}

std::vector<std::string> NoteLines(TDirection d) {
  const char* const utf8[] = {
      "◇{D}寸法線の設定は",      "　{O}寸法線の設定とは",    "　別に呼出・登録しており",
      "　{O}寸法線の設定を",     "　共有利用していません",   "",
      "◇寸法値が離れた",         "　{D}寸法線を作図します",  "　寸法値への引出線が",
      "　作図されます",          "◇寸法値の前後には",        "　寸法値と水平線との距離",
      "　と同じ長さの余白を",    "　取るものとします",       "",
      "◆ブロック図形内のものは", "　処理出来ませんので",     "　御注意下さい。",
      "　ブロック編集内で行う",  "　場合には、本ソフトを",   "　Jw_cadのインストール・",
      "　フォルダに配置して",    "　実行を行って下さい。",   "◆ウイルス／セキュリティ",
      "　ソフト／セキュリティ",  "　設定の画面が表示",       "　され、許可／遮断を",
      "　問い合わせてきた場合",  "　には「許可」を選択して", "　下さい。",
  };
  std::vector<std::string> v;
  for (const char* line : utf8) v.push_back(SjisText(WithWords(line, d)));
  return v;
}

}  // namespace

std::vector<std::string> Memo1Lines(TDirection d) { return NoteLines(d); }
