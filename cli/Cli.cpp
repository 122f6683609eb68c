#include "Cli.h"

#include <unistd.h>

#include <CLI/CLI.hpp>

#include "CommandContext.h"
#include "Conversions.h"
#include "Errors.h"
#include "ExitCodes.h"
#include "Version.h"

namespace cli {

namespace {

constexpr int kMaxThreads = 256;

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CLI::App app("Spectrum and noise power spectrum of medical images, without a window.", "spectrum_cli");
    app.footer(kExitCodeTable);
    app.require_subcommand(1);
    // The run's own options are also taken after the subcommand's name ("nps --threads 2 ...").
    app.fallthrough();
    CommandContext context{out, err};
    std::string threads = "0";
    bool quiet = false;
    app.add_option("--threads", threads, "Worker threads (0: one per hardware thread)")->capture_default_str();
    app.add_flag("--quiet", quiet, "No progress bar on standard error");
    app.set_help_all_flag("--help-all", "Print this help with every subcommand's options and exit");
    app.set_version_flag("--version", std::string("spectrum_cli ") + common::kVersion, "The version, then exit");
    app.parse_complete_callback([&] {
        context.threads = IntOption(threads, "--threads");
        if (context.threads < 0 || context.threads > kMaxThreads)
            throw UsageError("--threads must be 0 to " + std::to_string(kMaxThreads) + ".");
        context.progress = !quiet && isatty(STDERR_FILENO);
    });
    AddNpsCommand(app, context);
    AddSpectrumCommand(app, context);
    AddFilterCommand(app, context);
    AddMtfCommand(app, context);
    AddDqeCommand(app, context);

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
        err << e.what() << "\nRun with --help for more information.\n";
        return ExitCodeFor(std::current_exception());
    } catch (const std::exception& e) {
        err << e.what() << '\n';
        return ExitCodeFor(std::current_exception());
    } catch (...) {
        err << "Unexpected failure.\n";
        return kExitUnexpected;
    }
}

} // namespace cli
