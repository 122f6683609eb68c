#include "CodecMessages.h"

#include <cstdio>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace imageio {

namespace {

// GDCM tries its 8-bit JPEG codec first and then the 12- or 16-bit one; the first one's refusal is
// printed though the second one decodes the file.
bool IsCodecChoiceNoise(std::string_view line)
{
    return line.rfind("Unsupported JPEG data precision", 0) == 0;
}

} // namespace

CodecMessages::CodecMessages()
{
    // Memory, not a file: the decoder helper may not open files.
    capture_ = ::memfd_create("codec-messages", MFD_CLOEXEC);
    std::fflush(stderr);
    saved_ = capture_ >= 0 ? ::dup(STDERR_FILENO) : -1;
    if (saved_ < 0 || ::dup2(capture_, STDERR_FILENO) < 0) {
        if (saved_ >= 0)
            ::close(saved_);
        if (capture_ >= 0)
            ::close(capture_);
        saved_ = capture_ = -1;
    }
}

CodecMessages::~CodecMessages() { Finish(); }

std::vector<std::string> CodecMessages::Finish()
{
    std::vector<std::string> lines;
    if (saved_ < 0)
        return lines;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    saved_ = -1;
    std::string text;
    char buffer[4096];
    ::lseek(capture_, 0, SEEK_SET);
    for (ssize_t got; (got = ::read(capture_, buffer, sizeof buffer)) > 0 && text.size() < 65536;)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(capture_);
    capture_ = -1;
    std::size_t start = 0;
    while (start < text.size() && lines.size() < 20) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty() && !IsCodecChoiceNoise(line))
            lines.push_back(line.substr(0, 200));
        start = end + 1;
    }
    return lines;
}

} // namespace imageio
