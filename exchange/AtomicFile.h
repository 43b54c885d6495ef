// AtomicFile.h: replacing a file's whole content so that no reader ever sees half of it.
//
// The bytes go to a temporary file beside the target (same folder, so the rename stays on one
// volume), which is flushed, closed and then renamed over the target. Nothing throws; the result
// says whether the target now holds exactly the given bytes.
#pragma once

#include <filesystem>
#include <string_view>

// The temporary file ReplaceFileContents writes before renaming it over `target`.
std::filesystem::path TemporaryFileFor(const std::filesystem::path& target);

// Makes `target` hold exactly `bytes`. On any failure the temporary file is removed and the result
// is false; the target then keeps its previous content, or, with removeTargetOnFailure, is deleted
// (a directory standing in its place is never touched).
bool ReplaceFileContents(const std::filesystem::path& target, std::string_view bytes,
                         bool removeTargetOnFailure);

// Deletes `file` when it is anything but a directory. Errors are ignored: there is no one to tell.
void RemoveFileIfPresent(const std::filesystem::path& file) noexcept;
