#include "Errors.h"

namespace common {

Text NotIntegerMessage(std::string_view text)
{
    return TrText("common", "'%1' は整数ではありません").Arg(text);
}

Text NotRealMessage(std::string_view text)
{
    return TrText("common", "'%1' は浮動小数点数ではありません").Arg(text);
}

void ThrowNotInteger(std::string_view text) { throw ConversionError(NotIntegerMessage(text)); }
void ThrowNotReal(std::string_view text) { throw ConversionError(NotRealMessage(text)); }
void ThrowDivideByZero() { throw FloatError(Text(kErrorContext, kDivideByZeroMessage)); }
void ThrowInvalidFloatOp() { throw FloatError(Text(kErrorContext, kInvalidFloatOpMessage)); }

void ThrowCannotOpen(std::string_view path)
{
    throw FileReadError(TrText("common", "ファイル %1 は開けません").Arg(path));
}

void ThrowCannotCreate(std::string_view path)
{
    throw FileWriteError(TrText("common", "ファイル %1 を作成できません").Arg(path));
}

void ThrowListIndex(long long index)
{
    throw ListIndexError(TrText("common", "リストのインデックスが範囲を超えています (%1)").Arg(index));
}

void ThrowOutOfMemory() { throw OutOfMemoryError(Text(kErrorContext, kOutOfMemoryMessage)); }

} // namespace common
