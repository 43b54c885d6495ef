// The output list and the writing of the exchange file.
#include <algorithm>
#include <exception>

#include "AtomicFile.h"
#include "JwwGaibu.h"
#include "MyFunc.h"

namespace {

constexpr std::size_t kMaxSlotBytes = 255;
constexpr int32_t kGrowthStep = 1000;

}  // namespace

void JwwAddOutputLine(JwwState& st, std::string_view line, bool joinNext) {
  const int32_t count = st.OutputCount + 1;
  // Room for a thousand slots at first, then twice the room each time it runs out: a row of many
  // dimensions appends a million slots, and growing by a fixed step would copy the list over
  // and over.
  std::vector<TJwwOutputSlot>& slots = st.OutputLines;
  if (slots.size() == slots.capacity())
    slots.reserve(std::max(static_cast<std::size_t>(kGrowthStep), 2 * slots.capacity()));
  // Every slot is one line of the file: a line break inside a text would hand the host lines
  // of our caller's choosing.
  std::string text = SingleLine(CutSjis(line, kMaxSlotBytes));
  st.OutputLines.push_back(TJwwOutputSlot{std::move(text), joinNext});
  st.OutputCount = count;
}

std::string JwwOutputText(const JwwState& st) {
  static constexpr std::string_view kLineEnd = "\r\n";
  const std::vector<TJwwOutputSlot>& slots = st.OutputLines;
  if (slots.empty()) return "hq\r\n";

  std::size_t size = 0;
  for (const TJwwOutputSlot& s : slots) size += s.Text.size() + kLineEnd.size();
  std::string out;
  out.reserve(size);
  for (std::size_t i = 0; i < slots.size(); ++i) {
    out += slots[i].Text;
    // A text's head and the text itself make one line; the text keeps its own bytes whatever
    // they end with, so a text ending in a double quote cannot swallow the line after it.
    if (slots[i].JoinNext && i + 1 < slots.size()) out += slots[++i].Text;
    out += kLineEnd;
  }
  return out;
}

bool JwwWriteFile(const JwwState& st, const std::filesystem::path& fileName, TWriteError* why,
                  const TReplaceOptions& options) {
  TWriteError error = TWriteError::Other;
  try {
    error = ReplaceFileContents(fileName, JwwOutputText(st), options);
  } catch (const std::exception&) {
    // Only building the text can throw (out of memory); the file was not touched.
  }
  if (why != nullptr) *why = error;
  return error == TWriteError::None;
}
