#include "RleDecode.h"

#include "DecodeError.h"

namespace imageio {

namespace {

std::uint32_t Le32(std::span<const std::uint8_t> s, std::size_t at)
{
    return static_cast<std::uint32_t>(s[at] | (s[at + 1] << 8) | (s[at + 2] << 16)) | (static_cast<std::uint32_t>(s[at + 3]) << 24);
}

// One segment into every `stride`-th byte of `out` from `first`; false when it ends early.
bool Unpack(std::span<const std::uint8_t> segment, std::uint8_t* out, std::size_t count, std::size_t stride)
{
    std::size_t in = 0, done = 0;
    while (done < count && in < segment.size()) {
        const auto n = static_cast<std::int8_t>(segment[in++]);
        if (n >= 0) {
            const std::size_t literal = static_cast<std::size_t>(n) + 1;
            if (in + literal > segment.size())
                return false;
            for (std::size_t k = 0; k < literal && done < count; ++k)
                out[stride * done++] = segment[in + k];
            in += literal;
        } else if (n != -128) {
            if (in >= segment.size())
                return false;
            const std::uint8_t value = segment[in++];
            for (int k = 0; k < 1 - n && done < count; ++k)
                out[stride * done++] = value;
        }
    }
    return done == count;
}

} // namespace

std::vector<std::uint8_t> DecodeRle(const std::vector<std::span<const std::uint8_t>>& fragments, long long columns,
                                    long long rows, long long frames, int bytesPerSample, int samplesPerPixel,
                                    const common::Text& syntaxText)
{
    const auto refuse = [&](const common::Text& why) { return CannotOpenError(syntaxText, why); };
    // The first item is the offset table; then one fragment per frame.
    if (fragments.size() < static_cast<std::size_t>(frames) + 1)
        throw refuse(common::TrText("imageio", "the pixel data hold %1 fragment(s) for %2 frame(s)")
                         .Arg(fragments.empty() ? 0 : fragments.size() - 1)
                         .Arg(frames));
    const std::size_t pixels = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    const std::size_t segments = static_cast<std::size_t>(bytesPerSample * samplesPerPixel);
    const std::size_t frameBytes = pixels * segments;
    std::vector<std::uint8_t> out(frameBytes * static_cast<std::size_t>(frames));
    for (long long f = 0; f < frames; ++f) {
        const std::span<const std::uint8_t> fragment = fragments[static_cast<std::size_t>(f) + 1];
        if (fragment.size() < 64 || Le32(fragment, 0) != segments)
            throw refuse(
                common::TrText("imageio", "frame %1 does not start with %2 RLE segments").Arg(f + 1).Arg(segments));
        for (std::size_t k = 0; k < segments; ++k) {
            const std::size_t start = Le32(fragment, 4 + 4 * k);
            const std::size_t end = k + 1 < segments ? Le32(fragment, 8 + 4 * k) : fragment.size();
            if (start < 64 || start > end || end > fragment.size())
                throw refuse(
                    common::TrText("imageio", "an RLE segment of frame %1 lies outside its fragment").Arg(f + 1));
            // Segment k holds byte (k % bytes) of sample (k / bytes), most significant first.
            const std::size_t sample = k / static_cast<std::size_t>(bytesPerSample);
            const std::size_t byte = static_cast<std::size_t>(bytesPerSample) - 1 - k % static_cast<std::size_t>(bytesPerSample);
            std::uint8_t* first = out.data() + static_cast<std::size_t>(f) * frameBytes + sample * static_cast<std::size_t>(bytesPerSample) + byte;
            if (!Unpack(fragment.subspan(start, end - start), first, pixels, segments))
                throw refuse(common::TrText("imageio", "an RLE segment of frame %1 ends before its pixels").Arg(f + 1));
        }
    }
    return out;
}

} // namespace imageio
