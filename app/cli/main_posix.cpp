// The Linux entry: the headless command line, with the executable's folder as the default DIR.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "CommandLine.h"

int main(int argc, char** argv) {
  // Arguments arrive as the bytes the shell gave, UTF-8 on any current system.
  std::vector<std::string> args(argv + 1, argv + argc);
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec && argc > 0) exe = std::filesystem::absolute(argv[0], ec);
  return RunCommandLine(args, exe.parent_path(), std::cout, std::cerr);
}
