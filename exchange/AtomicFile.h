// AtomicFile.h: replacing a file's whole content so that no reader ever sees half of it.
//
// The bytes go to a temporary file of this run's own beside the target (same folder, so the
// rename stays on one volume). It is created exclusively, never through a link, flushed to the
// disk, closed and then renamed over the target. While another program holds the target (Windows
// refuses the rename then), the rename is retried for a few seconds. On failure only the run's own
// temporary file goes: the target keeps what it held, whoever put it there. Nothing throws.
//
// The replaced file keeps its permission bits. A symbolic link in the target's place stays, and
// the file at the end of its chain is replaced, only when that is a regular file in the target's
// own folder: a link planted in a folder others may write to must not lead the command to
// overwrite or create a file elsewhere. Any other link (to another folder, to nothing, a loop, to
// a folder) fails with nothing written, and every link stays as it was.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string_view>

// Why a file could not be written, in the terms a user can act on.
enum class TWriteError {
  None,
  InUse,         // another program holds the file
  NoPermission,  // the folder or the file may not be written
  DiskFull,
  LinkLeavesFolder,  // a link in the file's place leads to no regular file of the same folder
  Other,             // anything else (a missing folder, a folder in the file's place, ...)
};

struct TReplaceOptions {
  // How long a target held by another program is waited for before the replace counts as failed.
  std::chrono::milliseconds InUseWait{5000};
  // Called before each pause while another program holds the target, so that a window can say
  // it is waiting (and keep painting); empty for none.
  std::function<void()> WhileHeld;
};

// Makes `target` hold exactly `bytes`; TWriteError::None when it does.
TWriteError ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                                const TReplaceOptions& options = {});

// Whether `name` is the name of a temporary file that ReplaceFileContents makes for a target named
// `targetName` (a file name without folder).
bool IsTemporaryNameFor(const std::filesystem::path& name, const std::filesystem::path& targetName);

// Deletes `file` when it is anything but a directory. Errors are ignored: there is no one to tell.
void RemoveFileIfPresent(const std::filesystem::path& file) noexcept;
