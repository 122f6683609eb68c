#include "Language.h"

#include <cstdlib>

namespace i18n {

const char* LanguageCode(Language language) { return language == Language::Japanese ? "ja" : "en"; }

Language LanguageFromEnvironment(const std::function<const char*(const char*)>& variable)
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = variable(name);
        if (value && *value)
            return std::string(value).starts_with("ja") ? Language::Japanese : Language::English;
    }
    return Language::English;
}

std::optional<Language> LanguageFromArguments(const std::vector<std::string>& arguments,
                                              std::optional<std::string>* badValue)
{
    std::optional<Language> chosen;
    std::optional<std::string> bad;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::optional<std::string> value;
        if (arguments[i] == "--lang")
            value = i + 1 < arguments.size() ? arguments[++i] : std::string();
        else if (arguments[i].starts_with("--lang="))
            value = arguments[i].substr(7);
        else if (arguments[i] == "--")
            break;
        if (!value)
            continue;
        if (*value == "ja") {
            chosen = Language::Japanese;
            bad.reset();
        } else if (*value == "en") {
            chosen = Language::English;
            bad.reset();
        } else {
            chosen.reset();
            bad = *value;
        }
    }
    if (badValue)
        *badValue = bad;
    return chosen;
}

common::Text LanguageRefusal(const std::string& badValue)
{
    if (badValue.empty())
        return common::TrText("i18n", "--lang needs ja or en.");
    return common::TrText("i18n", "--lang takes ja or en, not '%1'.").Arg(badValue);
}

Language ChooseLanguage(const std::vector<std::string>& arguments, std::optional<std::string>* badValue)
{
    if (const auto chosen = LanguageFromArguments(arguments, badValue))
        return *chosen;
    return LanguageFromEnvironment([](const char* name) { return std::getenv(name); });
}

} // namespace i18n
