#pragma once
// The error model: every failure is an exception carrying the text the user sees, as a Text the
// front end shows in the user's language (what() is its source form, Text::Plain()).
// An error stops the handler that raised it and every handler that started it; the outermost
// handler shows the message. Nothing is rolled back.
#include <stdexcept>
#include <string>
#include <string_view>

#include "Text.h"

namespace common {

class AppError : public std::runtime_error {
public:
    explicit AppError(Text text) : std::runtime_error(text.Plain()), text_(std::move(text)) {}
    // A message that is shown as it is, untranslated (a library's own words).
    explicit AppError(const std::string& text) : AppError(Text::Verbatim(text)) {}
    explicit AppError(const char* text) : AppError(Text::Verbatim(text)) {}

    const Text& Message() const { return text_; }

private:
    Text text_;
};

// A text that does not convert to a number.
class ConversionError : public AppError {
public:
    using AppError::AppError;
};

// Division by zero, log of zero, square root of a negative and their kin, checked explicitly.
class FloatError : public AppError {
public:
    using AppError::AppError;
};

class FileError : public AppError {
public:
    using AppError::AppError;
};

// A file that cannot be opened or read.
class FileReadError : public FileError {
public:
    using FileError::FileError;
};

// A file that cannot be created or written completely.
class FileWriteError : public FileError {
public:
    using FileError::FileError;
};

class ListIndexError : public AppError {
public:
    using AppError::AppError;
};

class OutOfMemoryError : public AppError {
public:
    using AppError::AppError;
};

// A request the program refuses with its own clear message (bad sizes, a ROI outside the image).
class InputError : public AppError {
public:
    using AppError::AppError;
};

[[noreturn]] void ThrowNotInteger(std::string_view text);
[[noreturn]] void ThrowNotReal(std::string_view text);
[[noreturn]] void ThrowDivideByZero();
[[noreturn]] void ThrowInvalidFloatOp();
[[noreturn]] void ThrowCannotOpen(std::string_view path);
[[noreturn]] void ThrowCannotCreate(std::string_view path);
[[noreturn]] void ThrowListIndex(long long index);
[[noreturn]] void ThrowOutOfMemory();

// Message texts, as Japanese users see them (the source texts of their translations).
inline constexpr const char* kErrorContext = "common";
Text NotIntegerMessage(std::string_view text);
Text NotRealMessage(std::string_view text);
inline constexpr const char* kDivideByZeroMessage = TR_NOOP("common", "0 による浮動小数点数除算");
inline constexpr const char* kInvalidFloatOpMessage = TR_NOOP("common", "浮動小数点数の無効な演算");
inline constexpr const char* kOutOfMemoryMessage =
    TR_NOOP("common", "メモリストリームの拡大中にメモリが足りなくなりました");

// Division that fails the way the arithmetic unit reports it instead of producing an infinity
// or a NaN: 0 / 0 is an invalid operation, anything else over 0 a division by zero.
template <typename T>
T CheckedQuotient(T numerator, T denominator)
{
    if (denominator == T(0)) {
        if (numerator == T(0) || numerator != numerator)
            ThrowInvalidFloatOp();
        ThrowDivideByZero();
    }
    return numerator / denominator;
}
inline double CheckedDivide(double numerator, double denominator) { return CheckedQuotient(numerator, denominator); }
inline long double CheckedDivide(long double numerator, long double denominator)
{
    return CheckedQuotient(numerator, denominator);
}

} // namespace common
