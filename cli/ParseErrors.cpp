#include "ParseErrors.h"

#include <regex>
#include <vector>

namespace cli {

namespace {

template <typename Error>
bool Is(const CLI::ParseError& error)
{
    return dynamic_cast<const Error*>(&error) != nullptr;
}

// CLI11's English wording of one message (its values as groups, in order) and the Text it
// becomes: the groups fill %1, %2, ... in that order.
struct Wording {
    bool (*is)(const CLI::ParseError&);
    std::regex english;
    common::Text text;
};

const std::vector<Wording>& Wordings()
{
    using common::TrText;
    static const std::vector<Wording> wordings = {
        {Is<CLI::RequiredError>, std::regex("A subcommand is required"), TrText("cli", "A subcommand is required")},
        {Is<CLI::RequiredError>, std::regex("Requires at least ([0-9]+) subcommands"),
         TrText("cli", "Requires at least %1 subcommands")},
        {Is<CLI::RequiredError>, std::regex("(.+) is required"), TrText("cli", "%1 is required")},
        {Is<CLI::ExtrasError>, std::regex("The following argument was not expected: (.*)"),
         TrText("cli", "The following argument was not expected: %1")},
        {Is<CLI::ExtrasError>, std::regex("The following arguments were not expected: (.*)"),
         TrText("cli", "The following arguments were not expected: %1")},
        {Is<CLI::ArgumentMismatch>, std::regex("(.+): ([0-9]+) required (\\S+) missing"),
         TrText("cli", "%1: %2 required %3 missing")},
        {Is<CLI::ArgumentMismatch>, std::regex("Expected exactly ([0-9]+) arguments to (.+), got ([0-9]+)"),
         TrText("cli", "Expected exactly %1 arguments to %2, got %3")},
        {Is<CLI::ArgumentMismatch>, std::regex("Expected at least ([0-9]+) arguments to (.+), got ([0-9]+)"),
         TrText("cli", "Expected at least %1 arguments to %2, got %3")},
        {Is<CLI::ArgumentMismatch>, std::regex("(.+): At least ([0-9]+) required but received ([0-9]+)"),
         TrText("cli", "%1: At least %2 required but received %3")},
        {Is<CLI::ArgumentMismatch>, std::regex("(.+): At Most ([0-9]+) required but received ([0-9]+)"),
         TrText("cli", "%1: At Most %2 required but received %3")},
        {Is<CLI::ArgumentMismatch>, std::regex("(.+) was given a disallowed flag override"),
         TrText("cli", "%1 was given a disallowed flag override")},
        {Is<CLI::ConversionError>, std::regex("The value (.*) is not an allowed value for (.+)"),
         TrText("cli", "The value %1 is not an allowed value for %2")},
        {Is<CLI::ConversionError>, std::regex("Could not convert: (.+) = (.*)"), TrText("cli", "Could not convert: %1 = %2")},
        {Is<CLI::ConversionError>, std::regex("(.+): too many inputs for a flag"),
         TrText("cli", "%1: too many inputs for a flag")},
        {Is<CLI::ConversionError>, std::regex("(.+): Should be true/false or a number"),
         TrText("cli", "%1: Should be true/false or a number")},
        {Is<CLI::ExcludesError>, std::regex("(.+) excludes (.+)"), TrText("cli", "%1 excludes %2")},
        {Is<CLI::RequiresError>, std::regex("(.+) requires (.+)"), TrText("cli", "%1 requires %2")},
    };
    return wordings;
}

} // namespace

common::Text ParseErrorText(const CLI::ParseError& error)
{
    const std::string said = error.what();
    for (const Wording& w : Wordings()) {
        std::smatch values;
        if (!w.is(error) || !std::regex_match(said, values, w.english))
            continue;
        common::Text text = w.text;
        for (std::size_t i = 1; i < values.size(); ++i)
            text.Arg(values[i].str());
        return text;
    }
    return common::Text::Verbatim(said);
}

} // namespace cli
