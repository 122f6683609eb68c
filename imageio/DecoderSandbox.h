#pragma once
// The confinement of the decoder helper process: resource limits and a system-call filter.
#include <cstddef>
#include <cstdint>

namespace imageio {

// The largest request the helper reads (the compressed frames of one file).
inline constexpr std::size_t kDecoderInputLimit = std::size_t{1} << 30;
// Room for the libraries and a request of any size, before the request says how big its image is.
inline constexpr std::uint64_t kDecoderAddressLimitBeforeReading = std::uint64_t{3} << 30;

// RLIMIT_AS; nothing under AddressSanitizer, whose shadow memory needs terabytes of address space.
void LimitAddressSpace(std::uint64_t bytes);

// The limits for one image: address space for the input, two copies of the decoded frames (the
// codec's own buffer and ours) and the libraries; CPU seconds growing with the decoded size.
void LimitForImage(std::uint64_t decodedBytes, std::uint64_t inputBytes);
// The CPU seconds LimitForImage allows; the parent waits a little longer before it kills. Codecs
// decode tens of megabytes a second; a hundredfold margin over that still ends a hang.
inline unsigned CpuSecondsFor(std::uint64_t decodedBytes)
{
    return static_cast<unsigned>(10 + decodedBytes / (std::uint64_t{1} << 20));
}

// Installs the filter: memory, threads, reading and writing descriptors already open, and the
// signals an abort needs are allowed; opening files fails with EACCES; anything else (running a
// program, sockets, ...) ends the process with SIGSYS. False when the filter could not be loaded.
bool EnterSandbox();

// For the test that proves the filter holds: true when a file could be created.
bool TryToCreateFile(const char* path);

} // namespace imageio
