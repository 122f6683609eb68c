#pragma once
// A text as a run in the given language shows it; the language in use before is kept.
#include <string>

#include "Text.h"
#include "Translation.h"

inline std::string ShownIn(i18n::Language language, const common::Text& text)
{
    const i18n::LanguageScope scope(language);
    return i18n::ShownStd(text);
}
