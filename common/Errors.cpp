#include "Errors.h"

namespace common {

std::string NotIntegerMessage(std::string_view text)
{
    return "'" + std::string(text) + "' は整数ではありません";
}

std::string NotRealMessage(std::string_view text)
{
    return "'" + std::string(text) + "' は浮動小数点数ではありません";
}

void ThrowNotInteger(std::string_view text) { throw ConversionError(NotIntegerMessage(text)); }
void ThrowNotReal(std::string_view text) { throw ConversionError(NotRealMessage(text)); }
void ThrowDivideByZero() { throw FloatError(kDivideByZeroMessage); }
void ThrowInvalidFloatOp() { throw FloatError(kInvalidFloatOpMessage); }

void ThrowCannotOpen(std::string_view path)
{
    throw FileReadError("ファイル " + std::string(path) + " は開けません");
}

void ThrowCannotCreate(std::string_view path)
{
    throw FileWriteError("ファイル " + std::string(path) + " を作成できません");
}

void ThrowListIndex(long long index)
{
    throw ListIndexError("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
}

void ThrowOutOfMemory() { throw OutOfMemoryError(kOutOfMemoryMessage); }

} // namespace common
