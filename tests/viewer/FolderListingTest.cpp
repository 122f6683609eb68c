// The folder list kept between wheel steps: read again exactly when the folder may have changed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "FileList.h"
#include "FolderListing.h"

namespace {

namespace fs = std::filesystem;

struct Folder {
    fs::path dir;
    explicit Folder(const std::string& name)
        : dir(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~Folder() { fs::remove_all(dir); }
    std::string Text() const { return dir.string() + "/"; }
    void Add(const char* name) const { std::ofstream(dir / name) << "x"; }
    // Moves the modification time back to a moment of its own (a day ago plus a count), so that
    // each change leaves the folder with a time it never had before and that is long past.
    void Age() const
    {
        static long long count = 0;
        const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 86400 + ++count, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, dir.c_str(), times, 0), 0);
    }
};

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

TEST(FolderListing, ListsAgainOnlyAfterAChange)
{
    const Folder a("listing-a"), b("listing-b");
    a.Add("s1.raw");
    a.Add("s2.raw");
    b.Add("t.raw");
    a.Age();
    b.Age();
    viewer::FolderListing listing(0);
    const struct {
        const char* what;
        void (*change)(const Folder& a);
        bool otherFolder;
        bool listed;
    } steps[] = {
        {"first look", nullptr, false, true},
        {"unchanged", nullptr, false, false},
        {"unchanged again", nullptr, false, false},
        {"file added", [](const Folder& f) { f.Add("s3.raw"), f.Age(); }, false, true},
        {"unchanged after the addition", nullptr, false, false},
        {"file removed", [](const Folder& f) { fs::remove(f.dir / "s1.raw"), f.Age(); }, false, true},
        {"another folder", nullptr, true, true},
        {"back to the first", nullptr, false, true},
    };
    for (const auto& s : steps) {
        if (s.change)
            s.change(a);
        const Folder& f = s.otherFolder ? b : a;
        bool listed = !s.listed;
        const std::vector<std::string> entries = listing.Entries(f.Text(), listed);
        EXPECT_EQ(listed, s.listed) << s.what;
        EXPECT_EQ(Sorted(entries), Sorted(viewer::ListFolderFiles(f.Text()))) << s.what;
    }
}

TEST(FolderListing, RecentChangesAndMissingFoldersAreAlwaysListed)
{
    const Folder a("listing-recent");
    a.Add("s1.raw");
    a.Age();  // the change time stays recent: within an hour of now
    viewer::FolderListing listing(3600LL * 1'000'000'000);
    for (int call = 0; call < 3; ++call) {
        bool listed = false;
        EXPECT_EQ(listing.Entries(a.Text(), listed).size(), 1u) << call;
        EXPECT_TRUE(listed) << call;
    }
    viewer::FolderListing settled(0);
    for (int call = 0; call < 2; ++call) {
        bool listed = false;
        EXPECT_TRUE(settled.Entries(a.Text() + "nowhere/", listed).empty()) << call;
        EXPECT_TRUE(listed) << call;
    }
}

} // namespace
