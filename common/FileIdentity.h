#pragma once
// What file a path names: the end of its chain of symbolic links, whether two paths name one
// file, and the refusal to write an output over an input.
#include <span>
#include <string>

namespace common {

// `path` with every symbolic link at its end followed, so that a write lands in the file the link
// points to and the link stays a link. A link to nothing gives the path it points to (the file a
// write creates). Folders along the way are left as they are. Raises the file-creation error
// (naming `path`) for a loop of links.
std::string FollowLinks(const std::string& path);

// True when both paths name one file: the same device and inode (also through links and hard
// links), or, when either does not exist yet, the same absolute path once links are followed.
bool SameFile(const std::string& a, const std::string& b);

// Raises common::FileWriteError naming both paths when an output is one of the inputs, before
// anything is read or written.
void RefuseOutputsOverInputs(std::span<const std::string> outputs, std::span<const std::string> inputs);

} // namespace common
