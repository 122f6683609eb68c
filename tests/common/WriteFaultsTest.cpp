// Writes that cannot lose a file: each fault a write meets, and what is left in the folder after it.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FileIdentity.h"
#include "SafeFileWrite.h"

namespace {

namespace fs = std::filesystem;
using Listing = std::vector<std::string>;

// How a child that ran a write ended: the signal that killed it (0 for none) and the message of
// the error it raised (empty for none).
struct ChildEnd {
    int signal = 0;
    std::string message;
};

// Runs `body` in a forked child, so that a file-size limit or a kill stays there.
ChildEnd InChild(const std::function<void()>& body)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {-1, "no pipe"};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::string message;
        try {
            body();
        } catch (const std::exception& e) {
            message = e.what();
        }
        [[maybe_unused]] const ssize_t n = ::write(fds[1], message.data(), message.size());
        ::_exit(0);
    }
    ::close(fds[1]);
    ChildEnd end;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        end.message.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return end;
}

// A file-size limit in place of a full disk: the write fails with EFBIG instead of a signal.
void LimitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// The options of a write the user agreed to, read-only targets included.
common::WriteOptions Agreed()
{
    common::WriteOptions options;
    options.replaceReadOnly = true;
    return options;
}

std::span<const std::uint8_t> BytesOf(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class WriteFaults : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("write-faults-" + std::to_string(::getpid()));
    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string At(const std::string& name) const { return (dir / name).string(); }
    void Put(const std::string& name, const std::string& text, mode_t mode = 0644) const
    {
        std::ofstream(dir / name, std::ios::binary) << text;
        ::chmod(At(name).c_str(), mode);
    }
    static std::string Read(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Every entry of the folder: "name: contents", "name -> link target", "name/" for a folder,
    // and "(temporary)" / "(kept)" for the writer's own files.
    Listing List() const
    {
        Listing entries;
        for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
            const std::string name = e.path().filename().string();
            if (name.starts_with(".tmp-write-"))
                entries.push_back("(temporary)");
            else if (name.starts_with(".tmp-keep-"))
                entries.push_back("(kept)");
            else if (e.is_symlink())
                entries.push_back(name + " -> " + fs::read_symlink(e.path()).string());
            else if (e.is_directory())
                entries.push_back(name + "/");
            else
                entries.push_back(name + ": " + Read(e.path()));
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }
    void WriteSet(const std::vector<std::pair<std::string, std::string>>& files, const common::WriteOptions& options = {})
    {
        std::vector<common::OutputFile> set;
        for (const auto& [name, text] : files)
            set.push_back({At(name), BytesOf(text)});
        common::WriteFilesSafely(set, options);
    }
    void PutOldSet() const
    {
        Put("a.csv", "old table");
        Put("a.png", "old plot");
        Put("a.json", "old summary");
    }
    const Listing oldSet{"a.csv: old table", "a.json: old summary", "a.png: old plot"};
};

TEST_F(WriteFaults, EachFaultLeavesTheFolderAsItWasOrWhole)
{
    const std::string big(4096, 'x');
    const struct {
        const char* what;
        std::function<void()> before;
        std::function<void()> write;  // runs in a child process
        int signal;
        std::vector<std::string> messageHas;  // empty: the write succeeds
        Listing after;
    } cases[] = {
        {"a full disk part-way through a set", [&] { PutOldSet(); },
         [&] {
             LimitFileSize(64);
             WriteSet({{"a.csv", "new table"}, {"a.png", big}, {"a.json", "new summary"}});
         },
         0, {"ファイル " + At("a.png") + " を作成できません: File too large"}, oldSet},
        {"a full disk for one file", [&] { Put("a.raw", "old"); },
         [&] {
             LimitFileSize(64);
             common::WriteFileSafely(At("a.raw"), BytesOf(big));
         },
         0, {At("a.raw"), "File too large"}, {"a.raw: old"}},
        {"a missing folder", [] {}, [&] { common::WriteFileSafely(At("none/a.raw"), BytesOf("new")); }, 0,
         {At("none/a.raw"), "No such file or directory"}, {}},
        {"a read-only target", [&] { Put("a.raw", "old", 0444); },
         [&] { common::WriteFileSafely(At("a.raw"), BytesOf("new")); }, 0, {At("a.raw"), "read-only"}, {"a.raw: old"}},
        {"a read-only target someone agreed to replace", [&] { Put("a.raw", "old", 0444); },
         [&] { common::WriteFileSafely(At("a.raw"), BytesOf("new"), Agreed()); }, 0, {},
         {"a.raw: new"}},
        {"a read-only member refuses the whole set",
         [&] {
             PutOldSet();
             ::chmod(At("a.json").c_str(), 0444);
         },
         [&] { WriteSet({{"a.csv", "new table"}, {"a.png", "new plot"}, {"a.json", "new summary"}}); }, 0,
         {At("a.json"), "read-only"}, oldSet},
        {"a link is written through", [&] {
             Put("real.raw", "old");
             fs::create_symlink("real.raw", dir / "link.raw");
         },
         [&] { common::WriteFileSafely(At("link.raw"), BytesOf("new")); }, 0, {},
         {"link.raw -> real.raw", "real.raw: new"}},
        {"a link to a file not there yet", [&] { fs::create_symlink("real.raw", dir / "link.raw"); },
         [&] { common::WriteFileSafely(At("link.raw"), BytesOf("new")); }, 0, {},
         {"link.raw -> real.raw", "real.raw: new"}},
        {"two outputs of a set that are one file",
         [&] {
             Put("a.csv", "old");
             fs::create_symlink("a.csv", dir / "b.csv");
         },
         [&] { WriteSet({{"a.csv", "new a"}, {"b.csv", "new b"}}); }, 0, {At("b.csv"), "same file as " + At("a.csv")},
         {"a.csv: old", "b.csv -> a.csv"}},
        {"the output is the input", [&] { Put("ct.dcm", "image"); },
         [&] {
             common::RefuseOutputsOverInputs(std::vector{At("ct.dcm")}, std::vector{At("ct.dcm")});
             common::WriteFileSafely(At("ct.dcm"), BytesOf("spectrum"));
         },
         0, {"Refusing to write " + At("ct.dcm") + ": it is the input file " + At("ct.dcm")}, {"ct.dcm: image"}},
        {"the output is the input through a link",
         [&] {
             Put("ct.dcm", "image");
             fs::create_symlink("ct.dcm", dir / "out.txt");
         },
         [&] {
             common::RefuseOutputsOverInputs(std::vector{At("out.txt")}, std::vector{At("ct.dcm")});
             common::WriteFileSafely(At("out.txt"), BytesOf("spectrum"));
         },
         0, {At("out.txt"), At("ct.dcm")}, {"ct.dcm: image", "out.txt -> ct.dcm"}},
        {"the output is a hard link of the input",
         [&] {
             Put("ct.dcm", "image");
             fs::create_hard_link(dir / "ct.dcm", dir / "out.txt");
         },
         [&] {
             common::RefuseOutputsOverInputs(std::vector{At("out.txt")}, std::vector{At("ct.dcm")});
             common::WriteFileSafely(At("out.txt"), BytesOf("spectrum"));
         },
         0, {At("out.txt"), At("ct.dcm")}, {"ct.dcm: image", "out.txt: image"}},
        {"killed while writing a set", [&] { PutOldSet(); },
         [&] {
             WriteSet({{"a.csv", "new table"}, {"a.png", "new plot"}, {"a.json", "new summary"}},
                      {.afterTemporary = [](std::size_t i) {
                          if (i == 1)
                              ::raise(SIGKILL);
                      }});
         },
         SIGKILL, {}, {"(temporary)", "(temporary)", "a.csv: old table", "a.json: old summary", "a.png: old plot"}},
        {"a rename that fails part-way puts the set back",
         [&] {
             Put("a.png", "old plot");
             Put("a.json", "old summary");
         },
         [&] {
             // The last target turns into a folder after the new files are written: the table
             // (new) and the plot (replaced) are already in place when its rename fails.
             WriteSet({{"a.csv", "new table"}, {"a.png", "new plot"}, {"a.json", "new summary"}},
                      {.afterTemporary = [&](std::size_t i) {
                          if (i == 2) {
                              fs::remove(dir / "a.json");
                              fs::create_directory(dir / "a.json");
                              Put("a.json/inside", "");
                          }
                      }});
         },
         0, {At("a.json"), "Is a directory"}, {"a.json/", "a.png: old plot"}},
        {"a whole set", [&] { PutOldSet(); },
         [&] { WriteSet({{"a.csv", "new table"}, {"a.png", "new plot"}, {"a.json", "new summary"}}); }, 0, {},
         {"a.csv: new table", "a.json: new summary", "a.png: new plot"}},
    };
    for (const auto& c : cases) {
        SetUp();
        c.before();
        const ChildEnd end = InChild(c.write);
        EXPECT_EQ(end.signal, c.signal) << c.what;
        if (c.messageHas.empty()) {
            EXPECT_EQ(end.message, "") << c.what;
        }
        for (const std::string& part : c.messageHas)
            EXPECT_NE(end.message.find(part), std::string::npos) << c.what << ": " << end.message;
        EXPECT_EQ(List(), c.after) << c.what;
    }
}

TEST_F(WriteFaults, AgreedReadOnlyAndReplacedFilesKeepTheirPermissions)
{
    Put("a.csv", "old table", 0444);
    Put("a.png", "old plot", 0640);
    WriteSet({{"a.csv", "new table"}, {"a.png", "new plot"}}, Agreed());
    EXPECT_EQ(fs::status(dir / "a.csv").permissions(), fs::perms(0444));
    EXPECT_EQ(fs::status(dir / "a.png").permissions(), fs::perms(0640));
    EXPECT_TRUE(common::IsReadOnlyTarget(At("a.csv")));
    EXPECT_FALSE(common::IsReadOnlyTarget(At("a.png")));
}

TEST_F(WriteFaults, AKilledWritersTemporaryGoesAtTheNextWrite)
{
    PutOldSet();
    const ChildEnd end = InChild([&] {
        common::WriteFileSafely(At("a.csv"), BytesOf("new table"), {.afterTemporary = [](std::size_t) { ::raise(SIGKILL); }});
    });
    ASSERT_EQ(end.signal, SIGKILL);
    Listing left = oldSet;
    left.insert(left.begin(), "(temporary)");
    ASSERT_EQ(List(), left);

    // Within its first minute a temporary may still belong to a writer that is slow, not dead.
    common::WriteFileSafely(At("b.raw"), BytesOf("b"));
    const Listing afterFreshLook = List();
    EXPECT_EQ(std::count(afterFreshLook.begin(), afterFreshLook.end(), "(temporary)"), 1);

    for (const fs::directory_entry& e : fs::directory_iterator(dir))
        fs::last_write_time(e.path(), fs::last_write_time(e.path()) - std::chrono::minutes(2));
    common::WriteFileSafely(At("b.raw"), BytesOf("b again"));
    left = oldSet;
    left.push_back("b.raw: b again");
    std::sort(left.begin(), left.end());
    EXPECT_EQ(List(), left);
}

TEST_F(WriteFaults, OnlyStaleTemporariesOfGoneWritersAreRemoved)
{
    const pid_t gone = [] {
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(0);
        ::waitpid(pid, nullptr, 0);
        return pid;
    }();
    const std::string dead = std::to_string(gone), live = "1";  // process 1 outlives every test
    const struct {
        std::string name;
        bool old;
        bool removed;
    } cases[] = {
        {".tmp-write-" + dead + "-0", true, true},
        {".tmp-write-" + dead + "-1", false, false},  // fresh: its writer's id may be another host's
        {".tmp-write-" + live + "-0", true, false},   // its writer still runs
        {".tmp-write-notes", true, false},            // not a name the writer gives
        {".tmp-write-" + dead + "-2x", true, false},
        {".tmp-keep-" + dead + "-0", true, false},    // may hold the only copy of an old file
    };
    for (const auto& c : cases) {
        Put(c.name, "x");
        if (c.old)
            fs::last_write_time(dir / c.name, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    }
    common::WriteFileSafely(At("out.raw"), BytesOf("new"));
    for (const auto& c : cases)
        EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name;
}

TEST_F(WriteFaults, SameFileByIdentityOrByAbsolutePath)
{
    Put("ct.dcm", "image");
    Put("other.dcm", "image");  // same bytes, another file
    const struct {
        const char* what;
        std::string output, input;
        bool same;
    } cases[] = {
        {"another file", At("other.dcm"), At("ct.dcm"), false},
        {"a new file", At("new.txt"), At("ct.dcm"), false},
        {"the same name spelt otherwise", (dir / "." / "ct.dcm").string(), At("ct.dcm"), true},
        {"a new file named as a missing input", (dir / "." / "gone.dcm").string(), At("gone.dcm"), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(common::SameFile(c.output, c.input), c.same) << c.what;
}

} // namespace
