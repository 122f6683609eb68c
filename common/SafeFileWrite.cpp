// How a set of outputs is replaced, and what holds when something goes wrong:
//
// 1. Every target is checked first (a folder, a device, a read-only file, two outputs naming one
//    file): a refusal writes nothing.
// 2. Every new file is written beside its target under a temporary name and synced. A failure
//    here (a full disk, a file-size limit, a missing folder) removes the temporaries: every old
//    file is untouched.
// 3. The temporaries take their targets' names, one rename each. Before an existing target is
//    replaced, it gets a second name (a hard link, or where the file system has none, it is
//    renamed aside), except for the last one, whose rename ends the set. A rename that fails
//    puts back every file already replaced (and removes those that did not exist before), so
//    the set is all old again. Putting back is itself a rename; should one of those fail too,
//    the error names the file and the name its old contents are kept under.
// 4. The folders are synced, so that the renames survive a power cut, and the second names go.
//
// A single file is a set of one: step 3 is then one rename, which the system makes atomic.
// What is not promised: if the process dies in the middle of step 3 (a few renames long), the
// set can be mixed; the old files then still exist under their ".tmp-keep-" names.
#include "SafeFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "FileIdentity.h"
#include "PathParts.h"
#include "TemporaryFiles.h"

namespace common {

namespace {

enum class Kept { None, Linked, MovedAside };

struct Pending {
    const OutputFile* file = nullptr;
    std::string target;  // the path with links followed: the file that gets the bytes
    std::string folder;
    bool existed = false;
    mode_t mode = 0;
    std::string temporary;  // empty when there is none (not made yet, renamed or removed)
    std::string keep;       // the old file's second name while the set is replaced
    Kept kept = Kept::None;
    bool renamed = false;
};

Text Described(const Pending& p, const Text& cause)
{
    if (p.target == p.file->path)
        return cause;
    return TrText("common", "%1 (writing through the link to %2)").Arg(cause).Arg(p.target);
}

[[noreturn]] void Fail(const Pending& p, const Text& cause) { ThrowCannotCreate(p.file->path, Described(p, cause)); }

// The system's words for an errno value, never translated.
Text SystemCause(int error) { return Text::Verbatim(CauseOf(error)); }

bool ReadOnly(const std::string& path, const struct stat& info)
{
    // The permission bits too, not only access(): a privileged process may write anything, yet
    // a file someone made read-only is still one they meant to keep.
    return (info.st_mode & 0222) == 0 || (::access(path.c_str(), W_OK) != 0 && errno == EACCES);
}

Pending Inspect(const OutputFile& file, const WriteOptions& options)
{
    Pending p;
    p.file = &file;
    if (file.path.empty() || file.path.back() == '/')
        ThrowCannotCreate(file.path, TrText("common", "no file name given"));
    p.target = FollowLinks(file.path);
    p.folder = FolderOf(p.target);
    struct stat info {};
    if (::stat(p.target.c_str(), &info) != 0) {
        if (errno != ENOENT)
            Fail(p, SystemCause(errno));
        return p;  // a new file; a missing folder is reported when the file is created
    }
    if (S_ISDIR(info.st_mode))
        Fail(p, SystemCause(EISDIR));
    if (!S_ISREG(info.st_mode))
        Fail(p, TrText("common", "it is not a regular file"));  // a device or a pipe is never replaced by a file
    p.existed = true;
    p.mode = info.st_mode & 07777;
    if (!options.replaceReadOnly && ReadOnly(p.target, info))
        throw ReadOnlyTargetError(CannotCreateMessage(file.path, Described(p, ReadOnlyCause())));
    return p;
}

void WriteTemporary(Pending& p)
{
    const int fd = CreateTemporary(p.folder, p.temporary);
    if (fd < 0) {
        const int error = errno;
        p.temporary.clear();
        Fail(p, SystemCause(error));
    }
    bool ok = (!p.existed || ::fchmod(fd, p.mode) == 0) && WriteAll(fd, p.file->bytes.data(), p.file->bytes.size()) &&
              ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok)
        Fail(p, SystemCause(error));
}

void RemoveTemporaries(std::vector<Pending>& set)
{
    for (Pending& p : set)
        if (!p.temporary.empty()) {
            ::unlink(p.temporary.c_str());
            p.temporary.clear();
        }
}

// Gives the old file a second name, so that it can be put back.
bool Keep(Pending& p)
{
    p.keep = KeepName(p.folder);
    if (::link(p.target.c_str(), p.keep.c_str()) == 0)
        p.kept = Kept::Linked;
    else if (std::rename(p.target.c_str(), p.keep.c_str()) == 0)
        p.kept = Kept::MovedAside;
    return p.kept != Kept::None;
}

// Puts every target back as it was and removes what the set made; returns `cause` followed by
// what could not be put back, as words for the error message.
Text PutBack(std::vector<Pending>& set, Text cause)
{
    for (Pending& p : set) {
        // A kept old file goes back when its target was replaced or moved aside.
        const bool restore = p.kept == Kept::MovedAside || (p.kept == Kept::Linked && p.renamed);
        if (restore) {
            if (std::rename(p.keep.c_str(), p.target.c_str()) != 0)
                cause = TrText("common", "%1; %2 could not be put back, its old contents are in %3")
                            .Arg(cause)
                            .Arg(p.target)
                            .Arg(p.keep);
        } else if (p.kept == Kept::Linked) {
            ::unlink(p.keep.c_str());
        } else if (p.renamed && !p.existed && ::unlink(p.target.c_str()) != 0) {
            cause = TrText("common", "%1; the new %2 could not be removed").Arg(cause).Arg(p.target);
        }
        p.kept = Kept::None;
        p.renamed = false;
    }
    RemoveTemporaries(set);
    return cause;
}

void PutInPlace(std::vector<Pending>& set)
{
    for (std::size_t i = 0; i < set.size(); ++i) {
        Pending& p = set[i];
        const bool last = i + 1 == set.size();
        if (p.existed && !last && !Keep(p)) {
            const int error = errno;
            Fail(p, PutBack(set, SystemCause(error)));
        }
        if (std::rename(p.temporary.c_str(), p.target.c_str()) != 0) {
            const int error = errno;
            Fail(p, PutBack(set, SystemCause(error)));
        }
        p.temporary.clear();
        p.renamed = true;
    }
}

std::set<std::string> FoldersOf(const std::vector<Pending>& set)
{
    std::set<std::string> folders;
    for (const Pending& p : set)
        folders.insert(p.folder);
    return folders;
}

std::vector<Pending> InspectAll(std::span<const OutputFile> files, const WriteOptions& options)
{
    std::vector<Pending> set;
    for (const OutputFile& file : files) {
        set.push_back(Inspect(file, options));
        for (std::size_t j = 0; j + 1 < set.size(); ++j)
            if (SameFile(set[j].target, set.back().target))
                Fail(set.back(), TrText("common", "it is the same file as %1").Arg(set[j].file->path));
    }
    return set;
}

} // namespace

void WriteFilesSafely(std::span<const OutputFile> files, const WriteOptions& options)
{
    std::vector<Pending> set = InspectAll(files, options);
    const std::set<std::string> folders = FoldersOf(set);
    for (const std::string& folder : folders)
        RemoveStaleTemporaries(folder);
    try {
        for (std::size_t i = 0; i < set.size(); ++i) {
            WriteTemporary(set[i]);
            if (options.afterTemporary)
                options.afterTemporary(i);
        }
    } catch (...) {
        RemoveTemporaries(set);
        throw;
    }
    PutInPlace(set);

    std::string unsynced;
    int syncError = 0;
    for (const std::string& folder : folders)
        if (unsynced.empty() && (syncError = SyncFolder(folder)) != 0)
            unsynced = folder;
    for (const Pending& p : set)
        if (p.kept != Kept::None)
            ::unlink(p.keep.c_str());
    for (const Pending& p : set)
        if (p.folder == unsynced)
            Fail(p,
                 TrText("common", "written, but its folder could not be flushed to the disk: %1")
                     .Arg(SystemCause(syncError)));
}

void WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes, const WriteOptions& options)
{
    const OutputFile file{path, bytes};
    WriteFilesSafely(std::span<const OutputFile>(&file, 1), options);
}

bool IsReadOnlyTarget(const std::string& path)
{
    const std::string target = FollowLinks(path);
    struct stat info {};
    return ::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ReadOnly(target, info);
}

} // namespace common
