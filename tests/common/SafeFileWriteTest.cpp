// Writing a file so that a failure never destroys the one that was there.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Errors.h"
#include "SafeFileWrite.h"

namespace {

namespace fs = std::filesystem;

class SafeFileWrite : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("safe-write-" + std::to_string(::getpid()));
    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string Read(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
    std::size_t EntryCount() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})); }
};

TEST_F(SafeFileWrite, CreatesAndReplacesKeepingThePermissions)
{
    const fs::path file = dir / "out.raw";
    common::WriteFileSafely(file.string(), Bytes("first"));
    EXPECT_EQ(Read(file), "first");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat created {};
    ASSERT_EQ(::stat(file.c_str(), &created), 0);
    EXPECT_EQ(created.st_mode & 0777, 0666u & ~mask);  // as any new file, not a private temporary
    ::chmod(file.c_str(), 0640);
    common::WriteFileSafely(file.string(), Bytes("second, longer"));
    EXPECT_EQ(Read(file), "second, longer");
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(EntryCount(), 1u);  // no temporary file left behind
}

TEST_F(SafeFileWrite, AFailedWriteKeepsThePreviousFile)
{
    const fs::path file = dir / "keep.raw";
    common::WriteFileSafely(file.string(), Bytes("precious"));
    // A file-size limit makes the write itself fail part-way, as a full disk would.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(common::WriteFileSafely(file.string(), std::vector<std::uint8_t>(4096, 7)), common::FileError);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(Read(file), "precious");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(SafeFileWrite, RefusesWhatCannotBecomeAFile)
{
    fs::create_directories(dir / "folder");
    // Each error names the path and why it cannot be written.
    const struct {
        const char* what;
        std::string path;
        const char* cause;
    } cases[] = {
        {"empty path", "", "no file name given"},
        {"a folder", (dir / "folder").string(), "Is a directory"},
        {"a name ending in a separator", (dir / "x").string() + "/", "no file name given"},
        {"a missing folder", (dir / "missing" / "x.raw").string(), "No such file or directory"},
    };
    for (const auto& c : cases) {
        try {
            common::WriteFileSafely(c.path, Bytes("x"));
            ADD_FAILURE() << c.what;
        } catch (const common::FileError& e) {
            EXPECT_EQ(std::string(e.what()), "ファイル " + c.path + " を作成できません: " + c.cause) << c.what;
        }
    }
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_EQ(EntryCount(), 1u);
}

} // namespace
