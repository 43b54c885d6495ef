// What the user is told when one of the run's files could not be written.
#include <string>

#include "MyFunc.h"
#include "Unit1.h"

namespace {

const char* ReasonText(TWriteError why) {
  switch (why) {
    case TWriteError::InUse: return kReasonInUse;
    case TWriteError::NoPermission: return kReasonNoPermission;
    case TWriteError::DiskFull: return kReasonDiskFull;
    case TWriteError::LinkLeavesFolder: return kReasonLinkLeavesFolder;
    case TWriteError::None:
    case TWriteError::Other: break;
  }
  return kReasonOther;
}

}  // namespace

std::string WriteFailureMessage(const char* messageUtf8, const std::filesystem::path& file, TWriteError why) {
  const std::u8string name = file.u8string();
  return SjisText(messageUtf8) + "\n" + Utf8ToSjis(std::string(name.begin(), name.end())) + "\n" +
         SjisText(ReasonText(why));
}
