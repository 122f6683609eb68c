// The run's language: --lang ja|en for one run, before or after the subcommand; a refusal from a
// core, one of the command line's own, one of the parser's and --help in each; a wrong --lang
// refused; and, on the executable, the locale's choice (LC_ALL, LC_MESSAGES, LANG) below --lang.
#include <gtest/gtest.h>

#include <QProcess>
#include <sstream>

#include "CliRun.h"
#include "ExitCodes.h"
#include "HelpFormatter.h"
#include "TempFolder.h"
#include "Translation.h"

namespace {

std::string FirstLines(const std::string& text, int count)
{
    std::size_t end = 0;
    for (int i = 0; i < count && end != std::string::npos; ++i)
        end = text.find('\n', end == 0 ? 0 : end + 1);
    return text.substr(0, end);
}

TEST(CliLanguage, EachKindOfTextInEitherLanguage)
{
    TempFolder folder;
    const std::string image = folder.WriteWords("flat 64 64 0p2.raw", std::vector<int>(64 * 64, 1000)).toStdString();
    const std::string out = folder.Path("result").toStdString();
    const struct {
        const char* what;
        std::vector<std::string> args;
        std::size_t langAt;  // where --lang goes among the arguments
        int code;
        std::string english, japanese;  // in the output of --help, else on standard error
    } cases[] = {
        // A core's refusal, inside the command line's own sentence; --lang after the subcommand.
        {"not a number", {"nps", image, "--roi", "abc", "--out", out}, 1, cli::kExitUsage,
         "--roi does not take 'abc': 'abc' is not an integer\n", "--roi に 'abc' は指定できません: 'abc' は整数ではありません\n"},
        {"the command line's own", {"--threads", "100000", "nps", image, "--roi", "32", "--out", out}, 0, cli::kExitUsage,
         "--threads must be 0 to 256.\n", "--threads は 0 から 256 の範囲で指定してください。\n"},
        {"the parser's", {"nps", image, "--roi", "32", "--colour"}, 5, cli::kExitUsage,
         "The following argument was not expected: --colour\nRun with --help for more information.\n",
         "想定外の引数があります: --colour\n詳しくは --help を付けて実行してください。\n"},
        {"an option without its value", {"nps", image, "--roi"}, 0, cli::kExitUsage, "--roi: 1 required TEXT missing\n",
         "--roi: TEXT の値が 1 個必要です\n"},
        {"help", {"--help"}, 1, cli::kExitDone,
         "Spectrum and noise power spectrum of medical images, without a window.\n"
         "Usage: spectrum_cli [OPTIONS] SUBCOMMAND",
         "医用画像のスペクトルとノイズパワースペクトルを、ウィンドウを開かずに求めます。\n"
         "使い方: spectrum_cli [オプション] サブコマンド"},
    };
    for (const auto& c : cases)
        for (const char* language : {"en", "ja"}) {
            std::vector<std::string> args = c.args;
            args.insert(args.begin() + static_cast<std::ptrdiff_t>(c.langAt), {"--lang", language});
            const Outcome o = RunCliWith(args);
            const std::string& expected = std::string(language) == "ja" ? c.japanese : c.english;
            EXPECT_EQ(o.code, c.code) << c.what << " " << language << ": " << o.err;
            const std::string& said = c.code == cli::kExitDone ? o.out : o.err;
            EXPECT_NE(said.find(expected), std::string::npos) << c.what << " " << language << ": " << said;
            // The language holds for that run only.
            EXPECT_EQ(i18n::CurrentLanguage(), i18n::Language::English) << c.what << " " << language;
        }

    // A label in Japanese keeps the descriptions in their column.
    const std::string help = RunCliWith({"--lang", "ja", "spectrum", "--help"}).out;
    std::istringstream lines(help);
    std::string line;
    std::vector<std::size_t> columns;
    for (const char* description : {"x,y,n: ", "power、abs"})
        while (std::getline(lines, line))
            if (const std::size_t at = line.find(description); at != std::string::npos) {
                columns.push_back(cli::DisplayWidth(line.substr(0, at)));
                break;
            }
    ASSERT_EQ(columns.size(), 2u) << help;
    EXPECT_NE(help.find("--roi TEXT 必須"), std::string::npos) << help;
    EXPECT_EQ(columns[0], columns[1]) << help;

    // A language that is neither is refused in the language already in use.
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--lang", "xx", "--help"},
                                                 {"nps", image, "--roi", "32", "--lang=xx"}}) {
        const Outcome o = RunCliWith(args);
        EXPECT_EQ(o.code, cli::kExitUsage);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(o.err, "--lang takes ja or en, not 'xx'.\nRun with --help for more information.\n");
    }
}

// The executable: the locale decides unless --lang does, LC_ALL before LANG.
TEST(CliLanguage, TheProgramFollowsTheLocaleBelowLang)
{
    const std::string english = "Spectrum and noise power spectrum", japanese = "医用画像のスペクトル";
    const struct {
        const char* what;
        std::vector<std::pair<QString, QString>> environment;
        QStringList args;
        int code;
        std::string says;  // on standard output, else on standard error
    } cases[] = {
        {"no locale", {}, {"--help"}, cli::kExitDone, english},
        {"LANG", {{"LANG", "ja_JP.UTF-8"}}, {"--help"}, cli::kExitDone, japanese},
        {"LC_ALL over LANG", {{"LANG", "ja_JP.UTF-8"}, {"LC_ALL", "en_US.UTF-8"}}, {"--help"}, cli::kExitDone, english},
        {"LC_ALL over LANG, in Japanese", {{"LANG", "C"}, {"LC_ALL", "ja_JP.UTF-8"}}, {"--help"}, cli::kExitDone,
         japanese},
        {"LC_MESSAGES over LANG", {{"LANG", "C"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, {"--help"}, cli::kExitDone, japanese},
        {"--lang over both", {{"LANG", "ja_JP.UTF-8"}, {"LC_ALL", "ja_JP.UTF-8"}}, {"--help", "--lang", "en"},
         cli::kExitDone, english},
        {"--lang over both, in Japanese", {{"LC_ALL", "en_US.UTF-8"}}, {"--lang=ja", "--help"}, cli::kExitDone, japanese},
        {"a wrong --lang in the locale's language", {{"LANG", "ja_JP.UTF-8"}}, {"--lang", "xx", "--help"},
         cli::kExitUsage, "--lang に指定できるのは ja か en です ('xx' は指定できません)。\n詳しくは --help"},
        {"the version as it is", {{"LANG", "ja_JP.UTF-8"}}, {"--version"}, cli::kExitDone, "spectrum_cli "},
    };
    for (const auto& c : cases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
            environment.remove(name);
        for (const auto& [name, value] : c.environment)
            environment.insert(name, value);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(SPECTRUM_CLI), c.args);
        ASSERT_TRUE(program.waitForFinished(30000)) << c.what;
        const std::string out = program.readAllStandardOutput().toStdString();
        const std::string err = program.readAllStandardError().toStdString();
        EXPECT_EQ(program.exitCode(), c.code) << c.what << ": " << err;
        EXPECT_EQ((c.code == cli::kExitDone ? out : err).rfind(c.says, 0), 0u) << c.what << ": " << out << err;
    }
}

} // namespace
