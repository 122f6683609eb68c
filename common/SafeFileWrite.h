#pragma once
// Writes whole files so that a failure never costs the user the files that were there before:
// the bytes go to new files in the targets' folders, which then take the targets' names.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "WriteErrors.h"

namespace common {

struct WriteOptions {
    // An existing target without write permission is replaced only when someone agreed to it
    // (the user, asked; --force on the command line). Otherwise ReadOnlyTargetError.
    bool replaceReadOnly = false;
    // Runs after the new bytes of output `index` are written and synced, before any target is
    // touched: lets a test stop the writer there or change the folder under it.
    std::function<void(std::size_t index)> afterTemporary;
};

struct OutputFile {
    std::string path;
    std::span<const std::uint8_t> bytes;
};

// Creates or replaces `path` with `bytes`. A link is written through: the file it points to gets
// the bytes and the link stays. A replaced file keeps its permission bits. On any failure the
// previous file is left as it was, nothing new stays behind, and a common::FileWriteError names
// the path and the cause.
void WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes, const WriteOptions& options = {});

// Writes a set of files that belong together (a table, its plot and its summary) so that they
// end all new or all as they were; see the .cpp for what holds when the process dies part-way.
void WriteFilesSafely(std::span<const OutputFile> files, const WriteOptions& options = {});

// True when `path` (links followed) is an existing file that may not be written: no write
// permission bit at all, or none for this process. Asked before replacing it.
bool IsReadOnlyTarget(const std::string& path);

} // namespace common
