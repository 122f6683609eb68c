// The folder listing behind the wheel steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "Errors.h"
#include "FileList.h"
#include "NaturalOrder.h"

namespace {

namespace fs = std::filesystem;

TEST(FileList, FolderOfAPath)
{
    EXPECT_EQ(viewer::FolderOf("/data/knee 256 256 0p39.raw"), "/data/");
    EXPECT_EQ(viewer::FolderOf("/a.b/c"), "/a.b/");
    EXPECT_EQ(viewer::FolderOf("FileName"), "");
}

TEST(FileList, ListsFilesWithHiddenOnesButNoFolders)
{
    const fs::path dir = fs::temp_directory_path() / ("filelist-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "sub");
    for (const char* name : {"a.raw", ".hidden", "b c.raw"})
        std::ofstream(dir / name) << "x";
    const std::string folder = dir.string() + "/";
    std::vector<std::string> entries = viewer::ListFolderFiles(folder);
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{folder + ".hidden", folder + "a.raw", folder + "b c.raw"}));
    fs::remove_all(dir);
    EXPECT_TRUE(viewer::ListFolderFiles(folder).empty());  // gone: nothing, and no error
}

TEST(FileList, NaturalOrderOfNames)
{
    // Each row must sort strictly before the next.
    const std::vector<std::string> ordered = {
        "",         "1",         "2",      "10",      "s",   "s0",     "s01",    "s1",   "s2", "s08",
        "s10",      "s18",       "s40",    "s100",    "s0100x", "S101", "s101",  "s101a", "slice 2.dcm",
        "slice 10.dcm", "slice10", "t",    "t99999999999999999999998", "t99999999999999999999999", "é",
    };
    for (std::size_t i = 0; i < ordered.size(); ++i)
        for (std::size_t j = 0; j < ordered.size(); ++j)
            EXPECT_EQ(viewer::NaturalLess(ordered[i], ordered[j]), i < j) << ordered[i] << " < " << ordered[j];
}

TEST(FileList, ListsASliceSeriesInItsOwnOrder)
{
    const fs::path dir = fs::temp_directory_path() / ("filelist-order-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* name : {"s40", "s08", "s1", "s18", "s00", "s2", "s10"})
        std::ofstream(dir / name) << "x";
    const std::string f = dir.string() + "/";
    EXPECT_EQ(viewer::ListFolderFiles(f),
              (std::vector<std::string>{f + "s00", f + "s1", f + "s2", f + "s08", f + "s10", f + "s18", f + "s40"}));
    fs::remove_all(dir);
}

TEST(FileList, FindingTheLoadedFile)
{
    const std::vector<std::string> entries = {"/d/a", "/d/b", "/d/c", "/d/b"};
    EXPECT_EQ(viewer::FindListEntry(entries, "/d/b"), 1);
    for (const char* missing : {"/d/B", "b", "/d/bb"}) {
        try {
            viewer::FindListEntry(entries, missing);
            ADD_FAILURE() << missing;
        } catch (const common::ListIndexError& e) {
            EXPECT_STREQ(e.what(), "リストのインデックスが範囲を超えています (4)");
        }
    }
    EXPECT_THROW(viewer::FindListEntry({}, "/d/a"), common::ListIndexError);
}

TEST(FileList, WheelStepsStopAtTheEnds)
{
    const struct {
        long long number, count;
        int delta;
        long long next;
    } cases[] = {{1, 3, 120, 2}, {2, 3, 120, 2}, {2, 3, -120, 1}, {0, 3, -120, 0},
                 {0, 3, 240, 1}, {2, 3, -240, 1}, {0, 1, 120, 0}, {1, 3, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(viewer::StepListNumber(c.number, c.count, c.delta), c.next) << c.number << " " << c.delta;
}

} // namespace
