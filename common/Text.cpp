#include "Text.h"

namespace common {

Text Text::Verbatim(std::string text)
{
    Text t;
    t.source_ = std::move(text);
    return t;
}

Text& Text::Arg(std::string value)
{
    values_.push_back({std::move(value), {}});
    return *this;
}

Text& Text::Arg(const Text& value)
{
    values_.push_back({value.Plain(), {value}});
    return *this;
}

std::string Text::Plain() const
{
    if (values_.empty())
        return source_;
    std::vector<std::string> plain;
    plain.reserve(values_.size());
    for (const Value& v : values_)
        plain.push_back(v.plain);
    return FillPlaceholders(source_, plain);
}

std::string FillPlaceholders(std::string_view pattern, const std::vector<std::string>& values)
{
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const auto digit = [&](std::size_t at) {
            return at < pattern.size() && pattern[at] >= '0' && pattern[at] <= '9';
        };
        if (pattern[i] == '%' && digit(i + 1)) {
            std::size_t length = digit(i + 2) ? 2 : 1;
            std::size_t number = std::stoul(std::string(pattern.substr(i + 1, length)));
            if (number >= 1 && number <= values.size()) {
                out += values[number - 1];
                i += length;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

} // namespace common
