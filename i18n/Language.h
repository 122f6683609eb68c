#pragma once
// Which language a run speaks: Japanese or English, one for the whole run. Chosen by
// `--lang ja|en` on the command line, otherwise by the locale the way the C library reads it
// (LC_ALL, then LC_MESSAGES, then LANG; the first one set decides): a value starting with "ja"
// gives Japanese, anything else (or nothing) English.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Text.h"

namespace i18n {

enum class Language { Japanese, English };

// "ja" or "en".
const char* LanguageCode(Language language);

// The language the environment asks for; `variable` reads one environment variable (null or
// empty when unset), so a test can hand in its own.
Language LanguageFromEnvironment(const std::function<const char*(const char*)>& variable);

// The language named by `--lang ja`, `--lang=ja` (or en) among the arguments, the last one
// winning like any repeated option; nullopt when none is given. A value other than ja or en
// sets `badValue` to it and gives nullopt; a `--lang` without a value sets it to "".
std::optional<Language> LanguageFromArguments(const std::vector<std::string>& arguments,
                                              std::optional<std::string>* badValue);

// What both programs say to a --lang value that is neither ja nor en (empty: no value given).
common::Text LanguageRefusal(const std::string& badValue);

// The run's language: the arguments' choice if any, else the environment's.
Language ChooseLanguage(const std::vector<std::string>& arguments, std::optional<std::string>* badValue);

} // namespace i18n
