#include "DicomDictionary.h"

#include <algorithm>

namespace imageio {

namespace {

constexpr std::size_t kKeyLength = 9;     // "GGGG<TAB>EEEE"
constexpr std::size_t kNameStart = 10;    // after the key and its tab
constexpr std::size_t kNameWindow = 256;  // characters examined for the tab that ends a name

int UpperHexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The 32-bit key of nine characters shaped "HHHH<TAB>HHHH", or nothing.
bool KeyAt(std::string_view text, std::size_t pos, std::uint32_t& key)
{
    if (text[pos + 4] != '\t')
        return false;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kKeyLength; ++i) {
        if (i == 4)
            continue;
        const int digit = UpperHexDigit(text[pos + i]);
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    key = value;
    return true;
}

} // namespace

std::string Hex4(std::uint32_t value)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out(4, '0');
    for (int i = 3; i >= 0; --i) {
        out[static_cast<std::size_t>(i)] = digits[value & 0xF];
        value >>= 4;
    }
    return out;
}

DicomDictionary::DicomDictionary(std::string text) : text_(std::move(text))
{
    if (text_.size() < kKeyLength)
        return;
    for (std::size_t pos = 0; pos + kKeyLength <= text_.size(); ++pos) {
        std::uint32_t key = 0;
        if (KeyAt(text_, pos, key))
            first_.emplace(key, pos);  // keeps the first position
    }
}

std::string DicomDictionary::NameOf(std::uint16_t group, std::uint16_t element) const
{
    const auto found = first_.find((static_cast<std::uint32_t>(group) << 16) | element);
    if (found == first_.end())
        return {};
    const std::size_t start = std::min(found->second + kNameStart, text_.size());
    const std::string_view window = std::string_view(text_).substr(start, kNameWindow);
    const std::size_t tab = window.find('\t');
    if (tab == std::string_view::npos)
        return {};
    return std::string(window.substr(0, tab));
}

} // namespace imageio
