// CommandLine.h: the headless front end, shared by every build.
//
// Arguments arrive as UTF-8 (converted from the wide command line on Windows); texts given to
// --set are converted to Shift-JIS here. Diagnostics go to `err`, output only where asked.
// Exit status: 0 done, 1 OK refused, 2 usage or I/O error.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "JwwGaibu.h"

// args: the arguments after the program name. exeDir: the executable's folder (the default DIR).
int RunCommandLine(const std::vector<std::string>& args, const std::filesystem::path& exeDir,
                   std::ostream& out, std::ostream& err);

// The whole exchange state as reading left it, as JSON (UTF-8), keys named as the state's fields.
// Written to OUT record by record; false when OUT could not take it all.
bool JwwWriteStateJson(const JwwState& st, std::ostream& out);
std::string JwwStateToJson(const JwwState& st);
