#pragma once
// Text to number, locale-independent. A text that is empty or not entirely a number raises the
// conversion error with the offending text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Text.h"

namespace common {

// Signed decimal integer in the 32-bit range; leading blanks are allowed, anything else is not.
std::int32_t StrToInt(std::string_view text);

// Decimal real with "." as separator and an optional exponent; blanks around it are allowed.
double StrToFloat(std::string_view text);

std::string IntToStr(long long value);

// "a,b,c" split at commas (an empty text is one empty part).
std::vector<std::string> SplitAtCommas(const std::string& text);

// Exactly `count` integers separated by commas; anything else raises InputError naming `what`
// (an option's name as it is, or words of the caller's to be translated with the message).
std::vector<std::int32_t> IntList(const std::string& text, std::size_t count, const std::string& what);
std::vector<std::int32_t> IntList(const std::string& text, std::size_t count, const Text& what);

} // namespace common
