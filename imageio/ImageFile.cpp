#include "ImageFile.h"

#include <cstdio>
#include <memory>
#include <new>
#include <sys/stat.h>

#include "Errors.h"

namespace imageio {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        common::ThrowCannotOpen(path);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        common::ThrowCannotOpen(path);
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        common::ThrowOutOfMemory();
    } catch (const std::length_error&) {
        common::ThrowOutOfMemory();
    }
    // The file may change size between the stat and the read; keep what was actually read.
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
    bytes.resize(got);
    return bytes;
}

} // namespace imageio
