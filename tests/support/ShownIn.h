#pragma once
// A text as a run in the given language shows it; the language in use before is kept. And the
// text an action's error carries, for the tests that compare messages in both languages.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Errors.h"
#include "Text.h"
#include "Translation.h"

inline std::string ShownIn(i18n::Language language, const common::Text& text)
{
    const i18n::LanguageScope scope(language);
    return i18n::ShownStd(text);
}

// The Text of the project's error that `act` raises; a test failure when it raises none.
inline common::Text Raised(const std::function<void()>& act)
{
    try {
        act();
    } catch (const common::AppError& e) {
        return e.Message();
    }
    ADD_FAILURE() << "nothing was raised";
    return common::Text::Verbatim("");
}
