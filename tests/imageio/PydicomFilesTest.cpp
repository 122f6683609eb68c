// pydicom's own test files, frame 1 compared with pydicom's pixel_array wherever pydicom decodes a
// file; every other file either opens or is refused with a DecodeError.
#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DicomDecode.h"
#include "DicomHeader.h"
#include "DicomTagTable.h"
#include "ElementWalk.h"
#include "ImageFile.h"
#include "PixelRule.h"

namespace {

namespace fs = std::filesystem;

const char* const kTestFiles = "/usr/lib/python3/dist-packages/pydicom/data/test_files";

struct Expected {
    std::string name;
    bool decodedByPydicom = false;
    long long rows = 0, columns = 0, frames = 0;
};

// pydicom's values, divided as the decoder divides 32-bit values wider than 16 bits.
std::vector<std::int64_t> ReadValues(const fs::path& path, int scaleBits)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::int64_t> values;
    std::int64_t v;
    while (in.read(reinterpret_cast<char*>(&v), sizeof v))
        values.push_back(v >> scaleBits);
    return values;
}

// Frame 1 as the viewer shows it, in stored values: the decoder's words plus the shift, or the
// words the scanner's path reads.
std::vector<std::int64_t> ViewerFrameOne(const std::vector<std::uint8_t>& file, const Expected& e, std::string& path,
                                         int& scaleBits)
{
    std::vector<std::int64_t> values;
    if (imageio::DecodeReason(file)) {
        path = "decoder";
        const imageio::DicomPixels p = imageio::DecodeDicomBytes(file);
        scaleBits = p.scaleBits;
        EXPECT_EQ(p.rows, e.rows) << e.name;
        EXPECT_EQ(p.columns, e.columns) << e.name;
        EXPECT_EQ(p.frames, e.frames) << e.name;
        const std::size_t count = static_cast<std::size_t>(p.rows) * static_cast<std::size_t>(p.columns);
        for (std::size_t i = 0; i < count && i < p.words.size(); ++i)
            values.push_back(static_cast<std::int16_t>(p.words[i]) + p.valueShift);
        return values;
    }
    path = "scanner";
    const imageio::DicomHeaderResult h = imageio::ReadDicomHeader(file, TestTagTable());
    EXPECT_TRUE(h.pixelDataFound) << e.name;
    const imageio::PixelSource source{file, std::stoll(h.edits.header), static_cast<std::int32_t>(e.columns),
                                     static_cast<std::int32_t>(e.rows), 2};
    for (long long i = 0; i < e.rows * e.columns; ++i)
        values.push_back(static_cast<std::int16_t>(imageio::FetchElement(source, i % e.columns, i / e.columns)));
    return values;
}

TEST(PydicomFiles, FrameOneMatchesPydicomAndTheRestOpenOrAreRefused)
{
    if (std::system("/usr/bin/python3 -c 'import numpy, pydicom' 2>/dev/null") != 0 || !fs::is_directory(kTestFiles))
        GTEST_SKIP() << "python3-pydicom is not installed";
    const fs::path out = fs::temp_directory_path() / ("pydicom-frames-" + std::to_string(::getpid()));
    fs::create_directories(out);
    const std::string command = std::string("/usr/bin/python3 '") + PYDICOM_FRAMES + "' '" + kTestFiles + "' '" +
                                out.string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    std::ifstream list(out / "list.txt");
    std::string line;
    int compared = 0;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        Expected e;
        std::string rows;
        fields >> e.name >> rows;
        const std::vector<std::uint8_t> file = imageio::ReadWholeFile(std::string(kTestFiles) + "/" + e.name);
        if (rows == "-") {
            // Not decodable by pydicom here: the decoder opens it or refuses it with a message.
            try {
                imageio::DecodeDicomBytes(file);
            } catch (const imageio::DecodeError&) {
            }
            continue;
        }
        e.rows = std::stoll(rows);
        fields >> e.columns >> e.frames;
        std::string path;
        int scaleBits = 0;
        try {
            const std::vector<std::int64_t> shown = ViewerFrameOne(file, e, path, scaleBits);
            EXPECT_TRUE(shown == ReadValues(out / (e.name + ".i64"), scaleBits)) << e.name << " through the " << path;
            ++compared;
        } catch (const imageio::DecodeError& error) {
            ADD_FAILURE() << e.name << " refused: " << error.what();
        }
    }
    fs::remove_all(out);
    EXPECT_GT(compared, 0);
}

} // namespace
