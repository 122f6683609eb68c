#include "Conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "Errors.h"

namespace common {

namespace {

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

std::int32_t StrToInt(std::string_view text)
{
    std::string_view s = TrimLeft(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.front() < '0' || s.front() > '9')
        ThrowNotInteger(text);
    std::uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (ec != std::errc() || end != s.data() + s.size())
        ThrowNotInteger(text);
    const std::uint64_t limit = negative ? 2147483648ULL : 2147483647ULL;
    if (magnitude > limit)
        ThrowNotInteger(text);
    const long long value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return static_cast<std::int32_t>(value);
}

double StrToFloat(std::string_view text)
{
    std::string_view s = TrimRight(TrimLeft(text));
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // from_chars would also take "inf", "nan" and hex forms; only plain decimals are numbers here.
    if (s.empty() || !((s.front() >= '0' && s.front() <= '9') || s.front() == '.'))
        ThrowNotReal(text);
    double value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        ThrowNotReal(text);
    return negative ? -value : value;
}

std::string IntToStr(long long value) { return std::to_string(value); }

std::vector<std::string> SplitAtCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

std::vector<std::int32_t> IntList(const std::string& text, std::size_t count, const std::string& what)
{
    return IntList(text, count, Text::Verbatim(what));
}

std::vector<std::int32_t> IntList(const std::string& text, std::size_t count, const Text& what)
{
    const std::vector<std::string> parts = SplitAtCommas(text);
    if (parts.size() != count)
        throw InputError(
            TrText("common", "%1 needs %2 integers separated by commas, not '%3'.").Arg(what).Arg(count).Arg(text));
    std::vector<std::int32_t> values;
    for (const std::string& part : parts)
        values.push_back(StrToInt(part));
    return values;
}

} // namespace common
