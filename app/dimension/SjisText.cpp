// The program's fixed texts are UTF-8 source literals; the host and the dialog take Shift-JIS.
#include "Dimension.h"
#include "MyFunc.h"

std::string SjisText(std::string_view utf8) { return Utf8ToSjis(utf8); }
