#include "HelpFormatter.h"

#include "Translation.h"

namespace cli {

HelpFormatter::HelpFormatter()
{
    using common::TrText;
    label("Usage", i18n::ShownStd(TrText("cli", "Usage")));
    label("OPTIONS", i18n::ShownStd(TrText("cli", "OPTIONS")));
    label("SUBCOMMAND", i18n::ShownStd(TrText("cli", "SUBCOMMAND")));
    label("SUBCOMMANDS", i18n::ShownStd(TrText("cli", "SUBCOMMANDS")));
    label("REQUIRED", i18n::ShownStd(TrText("cli", "REQUIRED")));
    label("Positionals", i18n::ShownStd(TrText("cli", "Positionals")));
}

std::size_t DisplayWidth(const std::string& text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        // Three- and four-byte characters (from U+0800) are the kana, kanji and full-width forms here.
        width += length >= 3 ? 2 : 1;
        i += length;
    }
    return width;
}

std::string HelpFormatter::make_option(const CLI::Option* option, bool isPositional) const
{
    // CLI::detail::format_help, with the name column measured in columns rather than bytes.
    const std::string name = "  " + make_option_name(option, isPositional) + make_option_opts(option);
    const std::string description = make_option_desc(option);
    const std::string indent(column_width_, ' ');
    std::string line = name;
    const std::size_t width = DisplayWidth(name);
    if (!description.empty()) {
        if (width >= column_width_)
            line += "\n" + indent;
        else
            line += std::string(column_width_ - width, ' ');
        for (const char c : description) {
            line += c;
            if (c == '\n')
                line += indent;
        }
    } else if (width < column_width_) {
        line += std::string(column_width_ - width, ' ');
    }
    return line + "\n";
}

} // namespace cli
