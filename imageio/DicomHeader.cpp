#include "DicomHeader.h"

#include <algorithm>
#include <cstdio>

#include "DicomTagActions.h"
#include "Errors.h"

namespace imageio {

namespace {

// Reached the end of the stream: the walk ends with what it has listed.
struct OutOfData {};

enum class SequenceState { Off, On, End };

class HeaderWalk {
public:
    HeaderWalk(std::span<const std::uint8_t> stream, const DicomDictionary& dictionary, DicomHeaderResult& result,
               std::size_t listedRows)
        : s_(stream), dictionary_(dictionary), result_(result), listedRows_(listedRows)
    {
    }

    // Lists the elements from `start` while the position lies before `limit`.
    void Run(std::size_t start, std::size_t limit, DicomTagState& state);

private:
    std::span<const std::uint8_t> s_;
    const DicomDictionary& dictionary_;
    DicomHeaderResult& result_;
    std::size_t listedRows_;
    DicomRow unlisted_;  // where the rows past the limit are written, each over the last
    std::size_t p_ = 0;
    std::size_t row_ = 1;
    SequenceState sequence_ = SequenceState::Off;
    std::string summary_;

    bool Has(std::size_t n) const { return p_ <= s_.size() && s_.size() - p_ >= n; }
    std::uint16_t Word()
    {
        if (!Has(2))
            throw OutOfData{};
        const std::uint16_t w = static_cast<std::uint16_t>(s_[p_] | (s_[p_ + 1] << 8));
        p_ += 2;
        return w;
    }
    void Skip(std::size_t n) { p_ += n; }  // a later read past the end stops the walk
    // True, past them, when the next four bytes are `bytes`; the position stays otherwise.
    bool NextIs(const std::uint8_t (&bytes)[4])
    {
        if (!Has(4) || !std::equal(bytes, bytes + 4, s_.begin() + static_cast<std::ptrdiff_t>(p_)))
            return false;
        p_ += 4;
        return true;
    }
    DicomRow& Row(std::size_t r)
    {
        if (r > listedRows_)
            return unlisted_;
        if (result_.rows.size() < r)
            result_.rows.resize(r);
        return result_.rows[r - 1];
    }
    // Moves on from the element row just written; an element past the limit is only counted.
    void CountRow()
    {
        if (row_ > listedRows_)
            ++result_.unlistedElements;
        ++row_;
    }
    void ReadElement(DicomTagState& state);
    void ReadDelimiters();
};

bool IsUpperLetter(std::uint8_t c) { return c >= 'A' && c <= 'Z'; }

std::string SignedText(const std::string& value)
{
    const auto low = static_cast<std::uint8_t>(value[0]);
    const auto high = value.size() > 1 ? static_cast<std::uint8_t>(value[1]) : std::uint8_t{0};
    const auto word = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
    return std::to_string(word);
}

void HeaderWalk::ReadDelimiters()
{
    static const std::uint8_t itemEnd[4] = {0xFE, 0xFF, 0x0D, 0xE0};
    static const std::uint8_t sequenceEnd[4] = {0xFE, 0xFF, 0xDD, 0xE0};
    static const std::uint8_t item[4] = {0xFE, 0xFF, 0x00, 0xE0};
    // Near the end of the stream there is no delimiter to find; the value just read stays listed.
    if (!NextIs(itemEnd))
        return;
    Skip(4);  // its length
    if (NextIs(sequenceEnd)) {
        sequence_ = SequenceState::End;
        Skip(4);
    } else if (NextIs(item)) {
        Skip(4);  // the next item's length
    } else {
        Skip(4);  // whatever stood there stays consumed
    }
}

void HeaderWalk::ReadElement(DicomTagState& state)
{
    DicomRow& row = Row(row_);
    std::fill(row.begin() + 1, row.end(), std::string());
    while (Has(1) && s_[p_] == 0)
        ++p_;
    const std::uint16_t group = Word();
    row[1] = Hex4(group);
    const std::uint16_t element = Word();

    std::string_view vr;  // empty: implicit encoding
    if (!Has(2))
        throw OutOfData{};
    if (IsUpperLetter(s_[p_]) && IsUpperLetter(s_[p_ + 1])) {
        vr = std::string_view(reinterpret_cast<const char*>(&s_[p_]), 2);
        p_ += 2;
        row[3] = std::string(vr);
    }
    std::uint32_t length = Word();
    std::uint16_t stated = static_cast<std::uint16_t>(length);
    if (vr == "OB" || vr == "OW") {
        stated = Word();
        // The value then starts with the upper half of the four-byte length.
        length = static_cast<std::uint32_t>(stated) + 2;
    } else if (vr.empty()) {
        Skip(2);
    } else if (vr == "UN" && length == 0) {
        stated = Word();
        length = stated;
        Skip(2);
    } else if (vr == "SQ") {
        Skip(12);
        sequence_ = SequenceState::On;
        row = DicomRow{};
        row[1] = Hex4(group);
        row[2] = Hex4(element);
        row[3] = "SQ";
        CountRow();
        return;
    }
    if (length == 0)
        return;  // no row: the next element reuses it

    if (!Has(length))
        throw OutOfData{};
    std::string value(reinterpret_cast<const char*>(&s_[p_]), length);
    p_ += length;

    if (sequence_ == SequenceState::On)
        ReadDelimiters();

    const bool slope = group == 0x0028 && element == 0x1053;
    if (!slope && (vr == "US" || (vr.empty() && length == 2 && group > 0x0020)))
        value = SignedText(value);
    const std::string trimmed = TrimControls(value);
    ApplyTagAction(group, element, value, trimmed, state);

    char number[16];
    std::snprintf(number, sizeof number, "%3zu", row_);
    row = DicomRow{number, Hex4(group), Hex4(element), std::string(vr), Hex4(stated), dictionary_.NameOf(group, element), trimmed};
    CountRow();
    if (sequence_ == SequenceState::End) {
        Row(row_)[3] = "SQ";
        ++row_;
        sequence_ = SequenceState::Off;
    }
    AddSummaryLine(group, element, value, summary_);
    result_.summary = summary_;
}

void HeaderWalk::Run(std::size_t start, std::size_t limit, DicomTagState& state)
{
    p_ = start;
    try {
        while (p_ < limit)
            ReadElement(state);
    } catch (const OutOfData&) {
        result_.ranOutOfData = true;
    }
    result_.rowCount = std::min(row_, listedRows_ + 1);
    // The row being written when the walk stopped is not part of the listing.
    result_.rows.resize(std::min(result_.rows.size(), row_ - 1));
}

// First position of `pattern` at or after `from`, with the pattern wholly inside the stream.
std::optional<std::size_t> Find(std::span<const std::uint8_t> s, std::size_t from, std::span<const std::uint8_t> pattern)
{
    if (from > s.size())
        return std::nullopt;
    const auto at = std::search(s.begin() + static_cast<std::ptrdiff_t>(from), s.end(), pattern.begin(), pattern.end());
    if (at == s.end())
        return std::nullopt;
    return static_cast<std::size_t>(at - s.begin());
}

} // namespace

std::optional<std::size_t> FindPixelDataTag(std::span<const std::uint8_t> stream)
{
    static const std::uint8_t tag[4] = {0xE0, 0x7F, 0x10, 0x00};
    const auto at = Find(stream, 0, tag);
    if (!at || *at >= stream.size() / 2)
        return std::nullopt;
    return at;
}

long long PixelDataOffset(std::span<const std::uint8_t> stream, std::size_t tag)
{
    const bool explicitVr = tag + 6 <= stream.size() && stream[tag + 4] == 'O' &&
                            (stream[tag + 5] == 'B' || stream[tag + 5] == 'W');
    return static_cast<long long>(tag) + (explicitVr ? 12 : 8);
}

DicomHeaderResult ReadDicomHeader(std::span<const std::uint8_t> stream, const DicomDictionary& dictionary,
                                  std::size_t listedRows)
{
    DicomHeaderResult result;
    const std::optional<std::size_t> tag = FindPixelDataTag(stream);
    if (!tag)
        return result;
    result.pixelDataFound = true;
    DicomTagState state;
    state.edits.header = std::to_string(PixelDataOffset(stream, *tag));

    // The walk starts at (0002,0002), found after the first "UL" (the meta group length's VR).
    static const std::uint8_t ul[2] = {'U', 'L'};
    static const std::uint8_t mediaClass[4] = {0x02, 0x00, 0x02, 0x00};
    const auto afterUl = Find(stream, 0, ul);
    const auto start = afterUl ? Find(stream, *afterUl + 1, mediaClass) : std::nullopt;
    if (!start) {
        result.ranOutOfData = true;
        result.edits = state.edits;
    result.spacings = state.spacings;
        return result;
    }
    HeaderWalk walk(stream, dictionary, result, listedRows);
    try {
        walk.Run(*start, *tag + 5, state);
    } catch (const common::AppError&) {
        result.failure = std::current_exception();
        result.rowCount = std::max(kDicomGridRows, result.rows.size() + 1);
    }
    result.edits = state.edits;
    result.spacings = state.spacings;
    return result;
}

} // namespace imageio
