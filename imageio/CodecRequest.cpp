#include "CodecRequest.h"

#include <cstring>

namespace imageio {

namespace {

constexpr char kMagic[4] = {'S', 'V', 'D', '1'};

class Writer {
public:
    std::vector<std::uint8_t> bytes;
    void U64(std::uint64_t v)
    {
        for (int i = 0; i < 8; ++i)
            bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void Bytes(std::span<const std::uint8_t> b)
    {
        U64(b.size());
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    void Text(const std::string& s) { Bytes({reinterpret_cast<const std::uint8_t*>(s.data()), s.size()}); }
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> b) : bytes_(b) {}
    bool ok = true;
    std::uint64_t U64()
    {
        if (bytes_.size() - at_ < 8) {
            ok = false;
            return 0;
        }
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v |= static_cast<std::uint64_t>(bytes_[at_ + static_cast<std::size_t>(i)]) << (8 * i);
        at_ += 8;
        return v;
    }
    std::span<const std::uint8_t> Bytes()
    {
        const std::uint64_t length = U64();
        if (!ok || length > bytes_.size() - at_) {
            ok = false;
            return {};
        }
        const std::span<const std::uint8_t> b = bytes_.subspan(at_, static_cast<std::size_t>(length));
        at_ += static_cast<std::size_t>(length);
        return b;
    }
    std::string Text()
    {
        const auto b = Bytes();
        return {b.begin(), b.end()};
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

} // namespace

std::vector<std::uint8_t> SerialiseCodecRequest(const CodecRequest& r)
{
    Writer w;
    w.bytes.assign(kMagic, kMagic + 4);
    w.Text(r.transferSyntax);
    w.Text(r.photometric);
    w.Text(r.testAction);
    for (const std::uint64_t v : {std::uint64_t{r.columns}, std::uint64_t{r.rows}, std::uint64_t{r.frames},
                                  std::uint64_t{r.samplesPerPixel}, std::uint64_t{r.bitsAllocated},
                                  std::uint64_t{r.bitsStored}, std::uint64_t{r.pixelRepresentation},
                                  std::uint64_t{r.planar}, r.need})
        w.U64(v);
    w.U64(r.fragments.size());
    for (const auto fragment : r.fragments)
        w.Bytes(fragment);
    return std::move(w.bytes);
}

std::optional<CodecRequest> ParseCodecRequest(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 4 || std::memcmp(bytes.data(), kMagic, 4) != 0)
        return std::nullopt;
    Reader r(bytes.subspan(4));
    CodecRequest request;
    request.transferSyntax = r.Text();
    request.photometric = r.Text();
    request.testAction = r.Text();
    std::uint64_t v[9];
    for (std::uint64_t& x : v)
        x = r.U64();
    if (!r.ok || v[0] > 65535 || v[1] > 65535 || v[2] > 1000000 || v[3] > 4 || v[4] > 64 || v[5] > 64 || v[6] > 1 ||
        v[7] > 2)
        return std::nullopt;
    request.columns = static_cast<std::uint32_t>(v[0]);
    request.rows = static_cast<std::uint32_t>(v[1]);
    request.frames = static_cast<std::uint32_t>(v[2]);
    request.samplesPerPixel = static_cast<std::uint16_t>(v[3]);
    request.bitsAllocated = static_cast<std::uint16_t>(v[4]);
    request.bitsStored = static_cast<std::uint16_t>(v[5]);
    request.pixelRepresentation = static_cast<std::uint16_t>(v[6]);
    request.planar = static_cast<std::uint16_t>(v[7]);
    request.need = v[8];
    const std::uint64_t count = r.U64();
    for (std::uint64_t i = 0; r.ok && i < count; ++i)
        request.fragments.push_back(r.Bytes());
    if (!r.ok || !r.AtEnd())
        return std::nullopt;
    return request;
}

std::vector<std::uint8_t> SerialiseCodecResult(const CodecResult& result)
{
    Writer w;
    w.U64(0);  // the length, filled in below
    w.U64(result.decoded ? 1 : 0);
    w.Text(result.holds);
    w.U64(static_cast<std::uint64_t>(result.failure));
    w.U64(result.expectedBytes);
    w.U64(result.statedBytes);
    w.Text(result.detail);
    w.U64(result.notes.size());
    for (const std::string& note : result.notes)
        w.Text(note);
    const std::uint64_t length = w.bytes.size() - 8;
    for (int i = 0; i < 8; ++i)
        w.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
    return std::move(w.bytes);
}

std::optional<CodecResult> ParseCodecResult(std::span<const std::uint8_t> bytes)
{
    Reader r(bytes);
    CodecResult result;
    const std::uint64_t decoded = r.U64();
    result.holds = r.Text();
    const std::uint64_t failure = r.U64();
    result.expectedBytes = r.U64();
    result.statedBytes = r.U64();
    result.detail = r.Text();
    const std::uint64_t count = r.U64();
    for (std::uint64_t i = 0; r.ok && i < count && i < 1000; ++i)
        result.notes.push_back(r.Text());
    if (!r.ok || !r.AtEnd() || decoded > 1 || count > 1000 ||
        failure > static_cast<std::uint64_t>(CodecFailure::Exception))
        return std::nullopt;
    result.decoded = decoded == 1;
    result.failure = static_cast<CodecFailure>(failure);
    return result;
}

common::Text CodecFailureText(const CodecResult& result)
{
    switch (result.failure) {
    case CodecFailure::BufferLength:
        return common::TrText("imageio", "the decoder expects %1 bytes of pixels where the header states %2")
            .Arg(static_cast<unsigned long long>(result.expectedBytes))
            .Arg(static_cast<unsigned long long>(result.statedBytes));
    case CodecFailure::Corrupt:
        if (result.notes.empty())
            return common::TrText("imageio", "the compressed pixel data are corrupt or truncated");
        return common::TrText("imageio", "the compressed pixel data are corrupt or truncated (%1)")
            .Arg(result.notes.front());
    case CodecFailure::OutOfMemory:
        return common::TrText("imageio", "it needs more memory than the decoder may take");
    case CodecFailure::Exception:
        return DecoderFailedText(result.detail);
    case CodecFailure::None:
        break;
    }
    return common::TrText("imageio", "the decoder gave no reason");
}

common::Text DecoderFailedText(const std::string& what)
{
    return common::TrText("imageio", "the decoder failed: %1").Arg(what);
}

} // namespace imageio
