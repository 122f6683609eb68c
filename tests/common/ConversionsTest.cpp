#include <gtest/gtest.h>

#include "Conversions.h"
#include "Errors.h"

namespace {

TEST(StrToInt, AcceptsSignedDecimals)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {{"0", 0}, {"256", 256}, {"-1024", -1024}, {"+7", 7}, {" 12", 12}, {"2147483647", 2147483647},
                 {"-2147483648", -2147483647 - 1}, {"007", 7}};
    for (const auto& c : cases)
        EXPECT_EQ(common::StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RejectsWithTheOffendingText)
{
    for (const char* text : {"", "abc", "1.0", "12 ", "2147483648", "-2147483649", "1e3", "0x10", "-", " ", "12a"}) {
        try {
            common::StrToInt(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const common::ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' は整数ではありません");
        }
    }
}

TEST(StrToFloat, AcceptsDecimalsWithPoint)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {{"1.0", 1.0}, {"0.39", 0.39}, {"-2.5", -2.5}, {"1E-5", 1e-5}, {".5", 0.5}, {"3", 3}, {" 2.0 ", 2.0}};
    for (const auto& c : cases)
        EXPECT_EQ(common::StrToFloat(c.text), c.value) << c.text;
}

TEST(StrToFloat, RejectsWithTheOffendingText)
{
    for (const char* text : {"", "0,39", "abc", "inf", "nan", "1.0.0", "0x1p3", "1e999"}) {
        try {
            common::StrToFloat(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const common::ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' は浮動小数点数ではありません");
        }
    }
}

TEST(Errors, MessagesAsTheUserSeesThem)
{
    EXPECT_STREQ(common::kDivideByZeroMessage, "0 による浮動小数点数除算");
    try {
        common::ThrowCannotOpen("/tmp/x.raw");
    } catch (const common::FileError& e) {
        EXPECT_STREQ(e.what(), "ファイル /tmp/x.raw は開けません");
    }
    try {
        common::ThrowListIndex(5);
    } catch (const common::ListIndexError& e) {
        EXPECT_STREQ(e.what(), "リストのインデックスが範囲を超えています (5)");
    }
    EXPECT_THROW(common::CheckedDivide(1.0, 0.0), common::FloatError);
}

} // namespace
