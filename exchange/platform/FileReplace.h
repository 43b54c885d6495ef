// The two file-system steps of a replace that differ between Windows and POSIX, one source file
// for each (chosen by the build). Both take and return no exceptions.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "AtomicFile.h"

namespace detail {

// The file a replace of `target` writes: `target` itself, or, when a symbolic link stands in its
// place, the file at the end of the link's chain, so that the link stays. That file must be a
// regular file that exists in the target's own folder (both resolved canonically); any other link
// (leading elsewhere, nowhere, in a loop, to a folder) is LinkLeavesFolder and nothing is written.
TWriteError FinalTarget(const std::filesystem::path& target, std::filesystem::path& file);

// Creates `file`, which must not exist yet (a link in its place counts as existing and is never
// followed), writes `bytes`, flushes them to the disk and closes it. On failure a file it created
// is removed again. When `modeOf` names a regular file, the new file takes its POSIX permission
// bits (on Windows the new file takes its folder's inherited permissions).
TWriteError CreateFlushedFile(const std::filesystem::path& file, std::string_view bytes,
                              const std::filesystem::path& modeOf = {});

// Renames `from` over `to` in one step, replacing `to`. One attempt; InUse when another program
// holds `to`, which may pass.
TWriteError RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// The running process's id, for names of its own.
std::uint32_t ProcessId();

}  // namespace detail
