#pragma once
// The files a safe write keeps beside its targets for a moment: the new bytes before they take
// the target's name, and the old file kept until a whole set of outputs is in place.
//
// Names: ".tmp-write-<pid>-<n>" for new bytes, ".tmp-keep-<pid>-<n>" for a kept old file.
// A writer that dies (killed, power lost) leaves its ".tmp-write-" files behind; the next write
// into that folder removes those that are stale: older than a minute AND written by a process
// that no longer exists on this machine. Both, because either alone can be wrong: a process id
// is reused, and on a folder shared between machines another host's live writer has an id that
// means nothing here, while a minute is far longer than any write of ours takes to touch its
// file again. ".tmp-keep-" files are never removed automatically: after a crash in the middle
// of replacing a set, one may hold the only copy of an old file.
#include <string>

namespace common {

// A new, empty file in `folder` named as a temporary of this process, created with the mode any
// new file gets (0666 under the umask). Returns its descriptor, or -1 with errno set.
int CreateTemporary(const std::string& folder, std::string& name);

// A fresh name in `folder` for keeping an old file (nothing is created).
std::string KeepName(const std::string& folder);

// True for a name of the ".tmp-write-<pid>-<n>" pattern; `pid` receives the writer's id.
bool IsTemporaryName(const std::string& name, long long& pid);

// Removes the stale temporaries in `folder` (see above). Best effort: what cannot be removed
// stays, and the write goes on.
void RemoveStaleTemporaries(const std::string& folder);

// Writes all of `bytes`; false with errno set on failure.
bool WriteAll(int fd, const void* bytes, std::size_t size);

// Flushes the folder's entries (the renames into it) to the disk. Returns 0 or an errno value;
// a file system that cannot sync a folder counts as success.
int SyncFolder(const std::string& folder);

} // namespace common
