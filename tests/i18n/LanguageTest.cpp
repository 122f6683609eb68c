// The run's language and how a text is shown in it.
#include <gtest/gtest.h>

#include <map>

#include "Errors.h"
#include "Language.h"
#include "Translation.h"

using i18n::Language;

TEST(Language, ArgumentsBeatTheLocaleAndLcAllBeatsLang)
{
    const struct {
        const char* what;
        std::vector<std::string> args;
        std::map<std::string, std::string> env;
        Language expected;
        std::optional<std::string> bad;
    } cases[] = {
        {"nothing set", {}, {}, Language::English, {}},
        {"LANG ja_JP.UTF-8", {}, {{"LANG", "ja_JP.UTF-8"}}, Language::Japanese, {}},
        {"LANG ja", {}, {{"LANG", "ja"}}, Language::Japanese, {}},
        {"LANG de_DE", {}, {{"LANG", "de_DE.UTF-8"}}, Language::English, {}},
        {"LC_ALL C beats LANG ja", {}, {{"LC_ALL", "C"}, {"LANG", "ja_JP.UTF-8"}}, Language::English, {}},
        {"LC_MESSAGES ja beats LANG en", {}, {{"LC_MESSAGES", "ja_JP"}, {"LANG", "en_GB"}}, Language::Japanese, {}},
        {"empty LC_ALL is unset", {}, {{"LC_ALL", ""}, {"LANG", "ja_JP"}}, Language::Japanese, {}},
        {"--lang en beats the locale", {"prog", "--lang", "en"}, {{"LC_ALL", "ja_JP.UTF-8"}}, Language::English, {}},
        {"--lang=ja", {"prog", "--lang=ja"}, {}, Language::Japanese, {}},
        {"the last --lang wins", {"prog", "--lang", "ja", "nps", "--lang=en"}, {}, Language::English, {}},
        {"after -- it is a file name", {"prog", "--", "--lang", "ja"}, {}, Language::English, {}},
        {"a bad value is reported", {"prog", "--lang", "fr"}, {{"LANG", "ja_JP"}}, Language::Japanese, "fr"},
        {"no value", {"prog", "--lang"}, {}, Language::English, ""},
    };
    for (const auto& c : cases) {
        const auto variable = [&](const char* name) -> const char* {
            const auto it = c.env.find(name);
            return it == c.env.end() ? nullptr : it->second.c_str();
        };
        std::optional<std::string> bad;
        const auto fromArgs = i18n::LanguageFromArguments(c.args, &bad);
        EXPECT_EQ(fromArgs.value_or(i18n::LanguageFromEnvironment(variable)), c.expected) << c.what;
        EXPECT_EQ(bad, c.bad) << c.what;
    }
}

TEST(Text, PlaceholdersAreFilledOnceInTheirOwnOrder)
{
    const struct {
        const char* what;
        const char* pattern;
        std::vector<std::string> values;
        const char* expected;
    } cases[] = {
        {"in order", "%1 of %2", {"a", "b"}, "a of b"},
        {"reordered by a translation", "%2 の %1", {"a", "b"}, "b の a"},
        {"used twice", "%1-%1", {"x"}, "x-x"},
        {"a value holding a placeholder is not filled again", "%1 %2", {"%2", "b"}, "%2 b"},
        {"two digits", "%10/%1", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "ten"}, "ten/1"},
        {"two digits beyond the values fall back to none", "%12", {"a"}, "%12"},
        {"a missing value stays", "%1 %3", {"a"}, "a %3"},
        {"a percent sign without a digit", "50% of %1", {"a"}, "50% of a"},
        {"percent at the end", "%1%", {"9"}, "9%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::FillPlaceholders(c.pattern, c.values), c.expected) << c.what;
}

TEST(ShownIn, EachLanguageWithValuesAndNestedTexts)
{
    const common::Text notInteger = common::NotIntegerMessage("12a");
    common::Text cannotOpen = common::TrText("common", "ファイル %1 は開けません").Arg("/tmp/a b.raw");
    common::Text nested = common::Text::Verbatim("%1 / %2").Arg(notInteger).Arg("plain");
    const struct {
        Language language;
        const common::Text& text;
        const char* expected;
    } cases[] = {
        {Language::Japanese, notInteger, "'12a' は整数ではありません"},
        {Language::English, notInteger, "'12a' is not an integer"},
        {Language::English, cannotOpen, "Cannot open file /tmp/a b.raw"},
        {Language::English, nested, "'12a' is not an integer / plain"},
        {Language::Japanese, nested, "'12a' は整数ではありません / plain"},
    };
    for (const auto& c : cases) {
        const i18n::LanguageScope scope(c.language);
        EXPECT_EQ(i18n::ShownStd(c.text), c.expected) << i18n::LanguageCode(c.language) << ": " << c.text.Plain();
    }
    // The source form is the same whatever the language: it is what files and logs keep.
    EXPECT_EQ(nested.Plain(), "'12a' は整数ではありません / plain");
}

TEST(ShownIn, ErrorsShowTheirTextAndOtherExceptionsTheirWhat)
{
    const i18n::LanguageScope scope(Language::English);
    try {
        common::ThrowDivideByZero();
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "0 による浮動小数点数除算");
        EXPECT_EQ(i18n::ShownErrorStd(e), "Floating point division by zero");
    }
    EXPECT_EQ(i18n::ShownErrorStd(std::runtime_error("library words")), "library words");
    EXPECT_EQ(i18n::ShownErrorStd(common::InputError("said as it is")), "said as it is");
    // A text nobody translated (an unknown context) shows its source.
    EXPECT_EQ(i18n::ShownStd(common::Text("no such context", "%1 left").Arg(3)), "3 left");
}
