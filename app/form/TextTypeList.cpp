// The items of ComboBox3: the host's current text type, then the host's ten text types.
#include <string>
#include <vector>

#include "MyFunc.h"
#include "Unit1.h"

std::vector<std::string> TextTypeItems(const JwwState& st) {
  std::vector<std::string> items;
  std::string first = SjisText("現在の文字種(");
  first += st.FirstTextType != 0 ? "No" + IntToText(st.FirstTextType) + ")" : std::string("Free)");
  items.push_back(std::move(first));
  for (int i = 1; i <= 10; ++i) {
    const TJwwTextType& t = st.TextTypes[i];
    items.push_back("No" + IntToText(i) + ": W" + FloatToText(t.Width) + " H" + FloatToText(t.Height) + " D" +
                    FloatToText(t.Spacing));
  }
  return items;
}
