#include "Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "Errors.h"

// The catalogues are compiled into this library; a static library's resources are registered by
// name before their first use.
static void RegisterCatalogues() { Q_INIT_RESOURCE(catalogues); }

namespace i18n {

namespace {

struct Catalogue {
    std::unique_ptr<QTranslator> translator;
    // Qt's own words (the buttons of message boxes, the file dialog) from the system's Qt
    // translations, when installed; without them those stay English.
    std::unique_ptr<QTranslator> qt;
    Language language = Language::English;
    bool installed = false;
};

std::unique_ptr<QTranslator> QtCatalogue(Language language)
{
    if (language == Language::English)
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_%1").arg(QLatin1String(LanguageCode(language))),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return translator;
}

Catalogue& Current()
{
    static Catalogue catalogue;
    return catalogue;
}

} // namespace

void UseLanguage(Language language)
{
    Catalogue& c = Current();
    if (!c.translator || c.language != language) {
        RegisterCatalogues();
        if (c.translator && c.installed) {
            QCoreApplication::removeTranslator(c.translator.get());
            if (c.qt)
                QCoreApplication::removeTranslator(c.qt.get());
        }
        c.installed = false;
        auto translator = std::make_unique<QTranslator>();
        const QString file = QStringLiteral(":/i18n/spectrum_%1.qm").arg(QLatin1String(LanguageCode(language)));
        // Built into the program: a catalogue that does not load is a broken build.
        if (!translator->load(file))
            qFatal("The %s catalogue is missing from the program", LanguageCode(language));
        c.translator = std::move(translator);
        c.qt = QtCatalogue(language);
        c.language = language;
    }
    if (!c.installed && QCoreApplication::instance()) {
        if (c.qt)
            QCoreApplication::installTranslator(c.qt.get());
        c.installed = QCoreApplication::installTranslator(c.translator.get());
    }
}

Language CurrentLanguage() { return Current().translator ? Current().language : Language::English; }

QString Translate(const char* context, const char* source)
{
    const Catalogue& c = Current();
    if (c.translator) {
        const QString translated = c.translator->translate(context, source);
        if (!translated.isNull())
            return translated;
    }
    return QString::fromUtf8(source);
}

std::string TranslateStd(const char* context, const char* source) { return Translate(context, source).toStdString(); }

QString Shown(const common::Text& text)
{
    const QString pattern =
        text.Context() ? Translate(text.Context(), text.Source().c_str()) : QString::fromStdString(text.Source());
    if (text.Values().empty())
        return pattern;
    std::vector<std::string> values;
    values.reserve(text.Values().size());
    for (const common::Text::Value& v : text.Values())
        values.push_back(v.nested.empty() ? v.plain : Shown(v.nested.front()).toStdString());
    return QString::fromStdString(common::FillPlaceholders(pattern.toStdString(), values));
}

std::string ShownStd(const common::Text& text) { return Shown(text).toStdString(); }

QString ShownError(const std::exception& error)
{
    if (const auto* app = dynamic_cast<const common::AppError*>(&error))
        return Shown(app->Message());
    return QString::fromUtf8(error.what());
}

std::string ShownErrorStd(const std::exception& error) { return ShownError(error).toStdString(); }

} // namespace i18n
