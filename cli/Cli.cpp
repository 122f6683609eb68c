#include "Cli.h"

#include <unistd.h>

#include <CLI/CLI.hpp>

#include "CommandContext.h"
#include "Conversions.h"
#include "Errors.h"
#include "ExitCodes.h"
#include "HelpFormatter.h"
#include "ParseErrors.h"
#include "Translation.h"
#include "Version.h"

namespace cli {

namespace {

constexpr int kMaxThreads = 256;

std::string MoreInformation()
{
    return Tr(common::TrText("cli", "Run with --help for more information.")) + "\n";
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> badLanguage;
    const std::vector<std::string> options(args.empty() ? args.begin() : args.begin() + 1, args.end());
    // The language a run asks for with --lang holds from before its options are registered (their
    // descriptions are translated as they are) until it ends; then the caller's comes back, so a
    // run in-process leaves the language as it found it.
    std::optional<i18n::LanguageScope> language;
    if (const auto asked = i18n::LanguageFromArguments(options, &badLanguage))
        language.emplace(*asked);
    if (badLanguage) {
        err << Tr(i18n::LanguageRefusal(*badLanguage)) << '\n' << MoreInformation();
        return kExitUsage;
    }

    // What every subcommand inherits (its formatter, groups, help flag and footer) is set before
    // the subcommands are added.
    CLI::App app(Tr(common::TrText("cli", "Spectrum and noise power spectrum of medical images, without a window.")),
                 "spectrum_cli");
    app.formatter(std::make_shared<HelpFormatter>());
    app.option_defaults()->group(Tr(common::TrText("cli", "Options")));
    app.group(Tr(common::TrText("cli", "Subcommands")));
    app.footer(Tr(common::Text("cli", kExitCodeTable)));
    app.set_help_flag("-h,--help", Tr(common::TrText("cli", "Print this help message and exit")));
    app.require_subcommand(1);
    // The run's own options are also taken after the subcommand's name ("nps --threads 2 ...").
    app.fallthrough();
    CommandContext context{out, err};
    std::string threads = "0", languageCode;
    bool quiet = false;
    app.add_option("--threads", threads, Tr(common::TrText("cli", "Worker threads (0: one per hardware thread)")))
        ->capture_default_str();
    app.add_flag("--quiet", quiet, Tr(common::TrText("cli", "No progress bar on standard error")));
    app.set_help_all_flag("--help-all", Tr(common::TrText("cli", "Print this help with every subcommand's options and exit")));
    app.set_version_flag("--version", std::string("spectrum_cli ") + common::kVersion,
                         Tr(common::TrText("cli", "The version, then exit")));
    // Read before the parser runs (above); registered so that the parser takes it and --help names it.
    app.add_option("--lang", languageCode,
                   Tr(common::TrText(
                       "cli", "Language of the messages and this help: ja or en (default: from LC_ALL, LC_MESSAGES or LANG)")))
        ->type_name("ja|en");
    app.parse_complete_callback([&] {
        context.threads = IntOption(threads, "--threads");
        if (context.threads < 0 || context.threads > kMaxThreads)
            throw UsageError(common::TrText("cli", "--threads must be 0 to %1.").Arg(kMaxThreads));
        context.progress = !quiet && isatty(STDERR_FILENO);
    });
    AddNpsCommand(app, context);
    AddSpectrumCommand(app, context);
    AddFilterCommand(app, context);
    AddMtfCommand(app, context);
    AddDqeCommand(app, context);
    // A subcommand makes its help flags before it takes its parent's option defaults: they join
    // the translated group here.
    for (CLI::App* command : app.get_subcommands({}))
        for (const char* name : {"--help", "--help-all"})
            if (CLI::Option* flag = command->get_option_no_throw(name))
                flag->group(app.option_defaults()->get_group());

    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
        return kExitDone;
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return ExitCodeFor(std::current_exception());
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitDone;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return kExitDone;
    } catch (const CLI::ParseError& e) {
        err << Tr(ParseErrorText(e)) << '\n' << MoreInformation();
        return ExitCodeFor(std::current_exception());
    } catch (const std::exception& e) {
        err << i18n::ShownErrorStd(e) << '\n';
        return ExitCodeFor(std::current_exception());
    } catch (...) {
        err << Tr(common::TrText("cli", "Unexpected failure.")) << '\n';
        return kExitUnexpected;
    }
}

} // namespace cli
