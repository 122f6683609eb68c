// The decoder helper: one request on standard input, one answer on standard output, then it ends.
// It is started ahead of need and waits for its request with its libraries loaded.
// It is the only process that runs the codec library. Before it reads, its address space is
// limited; after it has read the request, its CPU time is limited by the image's size and a
// system-call filter leaves it no way to open, create or run anything. An abort, a crash, a
// limit or a hang ends only this process; the program that started it refuses the file.
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <exception>
#include <new>
#include <vector>

#include "CodecRequest.h"
#include "DecoderSandbox.h"
#include "LibraryCodec.h"

namespace {

bool ReadAll(int fd, std::vector<std::uint8_t>& bytes, std::size_t limit)
{
    std::uint8_t buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0)
            return false;
        if (bytes.size() + static_cast<std::size_t>(got) > limit)
            return false;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
}

bool WriteAll(int fd, const void* data, std::size_t size)
{
    const auto* p = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const ssize_t put = ::write(fd, p, size);
        if (put <= 0)
            return false;
        p += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

// Tests make the helper misbehave on purpose, to prove that the program survives it.
void MisbehaveIfAsked(const std::string& action)
{
    if (action == "abort")
        std::abort();
    if (action == "hang")
        for (;;)
            asm volatile("" ::: "memory");  // a loop the compiler may not remove
    if (action == "run-program")
        ::execl("/bin/true", "true", static_cast<char*>(nullptr));  // ends the helper with SIGSYS
    if (action == "write-file") {
        // Must not be possible: the filter refuses to open files.
        if (imageio::TryToCreateFile("/tmp/spectrum-decoder-escape"))
            std::_Exit(7);
    }
}

} // namespace

int main()
{
    imageio::LimitAddressSpace(imageio::kDecoderAddressLimitBeforeReading);
    std::vector<std::uint8_t> input;
    if (!ReadAll(STDIN_FILENO, input, imageio::kDecoderInputLimit))
        return 3;
    const std::optional<imageio::CodecRequest> request = imageio::ParseCodecRequest(input);
    if (!request)
        return 4;
    imageio::LimitForImage(request->need, input.size());
    if (!imageio::EnterSandbox())
        return 5;
    MisbehaveIfAsked(request->testAction);

    imageio::CodecResult result;
    std::vector<char> samples;
    try {
        samples.resize(static_cast<std::size_t>(request->need));
        result = imageio::DecodeWithCodecLibrary(*request, samples.data());
    } catch (const std::bad_alloc&) {
        result = {};
        result.failure = imageio::CodecFailure::OutOfMemory;
    } catch (const std::exception& e) {
        result = {};
        result.failure = imageio::CodecFailure::Exception;
        result.detail = e.what();
    }
    const std::vector<std::uint8_t> head = imageio::SerialiseCodecResult(result);
    if (!WriteAll(STDOUT_FILENO, head.data(), head.size()))
        return 6;
    if (result.decoded && !WriteAll(STDOUT_FILENO, samples.data(), samples.size()))
        return 6;
    std::_Exit(0);  // the answer is out; tearing the libraries down would only keep the caller waiting
}
