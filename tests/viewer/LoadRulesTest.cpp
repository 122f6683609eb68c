#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Errors.h"
#include "FileNameConvention.h"
#include "ImageFile.h"
#include "SizeGuess.h"

namespace {

TEST(FileNameConvention, FieldsOfTheBaseName)
{
    const struct {
        const char* path;
        const char* columns;
        const char* rows;
        const char* spacingField;
        const char* spacing;
    } cases[] = {
        {"C:\\data\\knee 256 256 0p39.raw", "256", "256", "0p39", "0.39"},
        {"/data/knee 256 256 0p39.raw", "256", "256", "0p39", "0.39"},
        {"/d/a b.c d 1 2.raw", "b", "", "", ""},
        {"/d/x 512 512.raw", "512", "512", "", ""},
        {"/d/scan.raw", "", "", "", ""},
        {"/d/ct 512 256 0p5 extra p.raw", "512", "256", "0p5 extra p", "0.5 extra p"},
        {"/d/P 64 64 1P5.raw", "64", "64", "1P5", "1P5"},  // only the lowercase p is the point
        {"/old.data/img 64 32 0p35", "64", "32", "0p35", "0.35"},
    };
    for (const auto& c : cases) {
        const imageio::NameFields f = imageio::SplitFileName(c.path);
        EXPECT_EQ(f.columns, c.columns) << c.path;
        EXPECT_EQ(f.rows, c.rows) << c.path;
        EXPECT_EQ(f.spacingField, c.spacingField) << c.path;
        EXPECT_EQ(imageio::SpacingText(f.spacingField), c.spacing) << c.path;
    }
}

TEST(SizeGuess, ExactSquareOrNextPowerOfTwoAboveTheRoundedSide)
{
    const struct {
        std::uint64_t bytes;
        int bytesPerPixel;
        const char* guess;
    } cases[] = {
        {131072, 2, "256 256"},   {100000, 1, "512 512"}, {1000, 2, "64 64"},  {2097152, 2, "1024 1024"},
        {0, 2, "0 0"},            {2, 2, "1 1"},          {8192, 2, "64 64"},  {8194, 2, "128 128"},
        {20, 2, "64 64"},         {18, 2, "3 3"},         {90000, 1, "300 300"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(viewer::SizeGuessText(c.bytes, c.bytesPerPixel), c.guess) << c.bytes;
}

TEST(ReadWholeFile, ReadsBytesAndRefusesFoldersAndMissingFiles)
{
    const auto dir = std::filesystem::temp_directory_path() / "viewer_read_test";
    std::filesystem::create_directories(dir);
    const auto file = dir / "a.raw";
    std::ofstream(file, std::ios::binary) << "abc";
    EXPECT_EQ(imageio::ReadWholeFile(file.string()), (std::vector<std::uint8_t>{'a', 'b', 'c'}));
    for (const std::string& bad : {dir.string(), (dir / "missing.raw").string(), std::string()}) {
        try {
            imageio::ReadWholeFile(bad);
            ADD_FAILURE() << bad;
        } catch (const common::FileError& e) {
            EXPECT_EQ(std::string(e.what()), "ファイル " + bad + " は開けません");
        }
    }
    std::filesystem::remove_all(dir);
}

} // namespace
