#pragma once
// A text the user reads, kept as what it is made of rather than as finished words: the source
// text with %1, %2, ... where values go, the context it is translated in, and the values. Code
// below the windows composes a Text; the front end turns it into the user's language at the
// point of display (i18n::Shown). Plain() gives the source with the values filled in: what tests
// of the code below the windows compare and what a log keeps.
//
// Values are inserted as they are: numbers are formatted by the code that knows their format, so
// a value reads the same in every language.
#include <string>
#include <string_view>
#include <vector>

// Marks a source text for the translation catalogues where it is not used through TrText (a
// constant the caller wraps into a Text later). Expands to the text itself.
#define TR_NOOP(context, source) source

namespace common {

class Text {
public:
    // A text shown exactly as given, never translated (a file name, a library's own message).
    static Text Verbatim(std::string text);

    // The translatable text `source` in `context`. Both must be string literals (the catalogue
    // tools find them in the code); the pointers are kept.
    Text(const char* context, const char* source) : context_(context), source_(source) {}

    // Fills the next placeholder: the first call %1, the second %2, and so on.
    Text& Arg(std::string value);
    Text& Arg(const char* value) { return Arg(std::string(value)); }
    Text& Arg(std::string_view value) { return Arg(std::string(value)); }
    Text& Arg(const Text& value);  // its Plain() form; the front end translates it too
    Text& Arg(int value) { return Arg(std::to_string(value)); }
    Text& Arg(long value) { return Arg(std::to_string(value)); }
    Text& Arg(long long value) { return Arg(std::to_string(value)); }
    Text& Arg(unsigned value) { return Arg(std::to_string(value)); }
    Text& Arg(unsigned long value) { return Arg(std::to_string(value)); }
    Text& Arg(unsigned long long value) { return Arg(std::to_string(value)); }

    // Never translated when null: the source is the text.
    const char* Context() const { return context_; }
    const std::string& Source() const { return source_; }
    // Each value is a plain value or, for a Text given as a value, that Text.
    struct Value {
        std::string plain;
        std::vector<Text> nested;  // empty, or the one Text this value was made from
    };
    const std::vector<Value>& Values() const { return values_; }

    std::string Plain() const;

private:
    Text() = default;
    const char* context_ = nullptr;
    std::string source_;
    std::vector<Value> values_;
};

// The translatable text `source` in `context` (see Text). A function rather than the
// constructor so the catalogue tools can find every call by its name.
inline Text TrText(const char* context, const char* source) { return Text(context, source); }

// Puts values[i] where %<i+1> stands, for %1 to %99; a % not followed by a digit, or one whose
// value is missing, stays as it is. The one substitution rule for the source and every
// translation, so both read alike.
std::string FillPlaceholders(std::string_view pattern, const std::vector<std::string>& values);

} // namespace common
