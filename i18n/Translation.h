#pragma once
// The run's translation catalogue: loaded once for the chosen language from the catalogues built
// into the program, used by every window's tr() (once the application exists) and by Shown() for
// the texts composed below the windows. Without a catalogue every text shows its source.
#include <QString>
#include <exception>
#include <string>

#include "Language.h"
#include "Text.h"

namespace i18n {

// Loads the language's catalogue (replacing one loaded before) and, when the Qt application
// exists, installs it there for tr(). Call it again after creating the application when the
// language was chosen before (the --help texts need it first).
void UseLanguage(Language language);

// The language of the catalogue in use; English when none was loaded.
Language CurrentLanguage();

// Uses a language for as long as it lives, then puts back the one in use before (a command run
// with its own --lang, a test looking at one text in each language).
class LanguageScope {
public:
    explicit LanguageScope(Language language) : before_(CurrentLanguage()) { UseLanguage(language); }
    ~LanguageScope() { UseLanguage(before_); }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

private:
    Language before_;
};

// `source` of `context` in the run's language.
QString Translate(const char* context, const char* source);
std::string TranslateStd(const char* context, const char* source);

// A text in the run's language, its values filled in (a value that is itself a Text is shown in
// the run's language too).
QString Shown(const common::Text& text);
std::string ShownStd(const common::Text& text);

// What an error says in the run's language: an AppError's Text, otherwise what() as it is.
QString ShownError(const std::exception& error);
std::string ShownErrorStd(const std::exception& error);

} // namespace i18n
