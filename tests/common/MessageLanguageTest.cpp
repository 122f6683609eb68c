// The file writer's messages: composed from the program's words, the path and the system's words,
// they read as before in their source form and show in either language with every value filled,
// the system's words left as the system gave them.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <unistd.h>

#include "Conversions.h"
#include "FileIdentity.h"
#include "SafeFileWrite.h"
#include "ShownIn.h"

namespace {

namespace fs = std::filesystem;

TEST(MessageLanguage, WriteMessagesReadAsBeforeAndShowInBothLanguages)
{
    const fs::path folder = fs::temp_directory_path() / ("message-language-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string link = (folder / "out.csv").string(), away = (folder / "missing" / "out.csv").string();
    fs::create_symlink(away, link);
    const std::string input = (folder / "ct.dcm").string();
    {
        const std::uint8_t byte = 1;
        common::WriteFileSafely(input, {&byte, 1});
    }
    const std::string outputs[] = {input}, inputs[] = {input};

    const struct {
        const char* what;
        common::Text text;
        std::string plain, english, japanese;
    } cases[] = {
        {"the program's cause", common::CannotCreateMessage("/x/a.csv", common::ReadOnlyCause()),
         "ファイル /x/a.csv を作成できません: the file is read-only",
         "Cannot create file /x/a.csv: the file is read-only",
         "ファイル /x/a.csv を作成できません: ファイルは読み取り専用です"},
        {"the system's cause stays its own", common::CannotCreateMessage("/x/a.csv", common::CauseOf(ENOSPC)),
         "ファイル /x/a.csv を作成できません: No space left on device",
         "Cannot create file /x/a.csv: No space left on device",
         "ファイル /x/a.csv を作成できません: No space left on device"},
        {"through a link", Raised([&] { common::WriteFileSafely(link, {}); }),
         "ファイル " + link + " を作成できません: No such file or directory (writing through the link to " + away + ")",
         "Cannot create file " + link + ": No such file or directory (writing through the link to " + away + ")",
         "ファイル " + link + " を作成できません: No such file or directory (リンク先 " + away + " への書き込み)"},
        {"an output over its input", Raised([&] { common::RefuseOutputsOverInputs(outputs, inputs); }),
         "Refusing to write " + input + ": it is the input file " + input +
             ", which would be lost. Choose another output.",
         "Refusing to write " + input + ": it is the input file " + input +
             ", which would be lost. Choose another output.",
         input + " には書き込みません: 入力ファイル " + input +
             " であり、失われてしまいます。別の出力先を選んでください。"},
        {"a list of integers", Raised([] { common::IntList("1,2", 3, "--roi"); }),
         "--roi needs 3 integers separated by commas, not '1,2'.",
         "--roi needs 3 integers separated by commas, not '1,2'.",
         "--roi にはコンマで区切った 3 個の整数が必要です ('1,2' は使えません)。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text.Plain(), c.plain) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::English, c.text), c.english) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::Japanese, c.text), c.japanese) << c.what;
    }
    fs::remove_all(folder);
}

}  // namespace
