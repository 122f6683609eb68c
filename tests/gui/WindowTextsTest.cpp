// The messages the three windows' cores compose from pieces: the source form keeps the words
// the English messages had, and each shows with its values (and its nested names) in Japanese
// and in English.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Errors.h"
#include "ExportTrim.h"
#include "Fft.h"
#include "RadialFilter.h"
#include "ResultFreshness.h"
#include "RoiStatistics.h"
#include "ShownIn.h"

namespace {

TEST(WindowTexts, ComposedMessagesKeepTheirWordsAndShowInBothLanguages)
{
    // Swapped words: 0x0100 reads 1, plus the Offset 32767.
    const std::vector<std::uint8_t> bytes = {0x00, 0x01, 0, 0, 0, 0, 0, 0};
    const imageio::PixelSource source{bytes, 0, 2, 2, 2};
    const struct {
        const char* what;
        std::function<common::Text()> make;
        const char* plain;  // the source with its values: also what English users read
        const char* japanese;
    } cases[] = {
        {"trimmed values beyond a signed word, swapped",
         [&] { return *viewer::TrimmedValuesNote(source, {0, 0, 2, 2}, {true, 32767}); },
         "The ROI's values run from 32767 to 32768, beyond what a signed 16-bit word holds. The file keeps the words "
         "as stored; to get these values back, open it in 16bit with Offset 32767 and Swap checked (other programs: "
         "16-bit signed raw, plus 32767).",
         "ROI の値は 32767 から 32768 までで、符号付き 16 ビットワードの範囲を超えています。ファイルには格納されたままの"
         "ワードを書き込みます。これらの値に戻すには 16bit、Offset 32767、Swap をチェックして開いてください（他のプログラム"
         "では 16 ビット符号付き raw として読み、32767 を加えてください）。"},
        {"statistics of part of the ROI",
         [] { return *viewer::PartCounted({0, 0, 0, 0, 228, 204}, {0, 0, 256, 256}); },
         "228 x 204 inside the image", "画像内の 228 x 204"},
        {"a matrix size that is no power of two, its shape a nested text",
         [] { return Raised([] { spectrum::CheckMatrixSize(100); }); },
         "The spectrum needs a square ROI of 2, 4, 8, 16, 32, 64, 128, 256, 512 or 1024 pixels per side; the ROI is "
         "100 wide.",
         "スペクトルには 1 辺が 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024 画素のいずれかの正方形の ROI が必要です。ROI は "
         "幅 100 です。"},
        {"a stale copy, the result's name from the filter window",
         [] {
             return spectrum::StaleResultMessage(spectrum::Freshness::Interrupted, spectrum::ExportKind::Clipboard,
                                                 {common::TrText("filter", "filter window's result"), "*"});
         },
         "Nothing to copy: the last run stopped before the filter window's result was complete. Correct the setting "
         "that stopped it and press \"*\" again.",
         "コピーできません。前回の実行はフィルタ処理の結果ができあがる前に止まりました。止まった原因の設定を直して \"*\" "
         "をもう一度押してください。"},
        {"a high cut-off at or below 0",
         [] { return Raised([] { filter::CheckHighCutOff(-0.125); }); },
         "The high cut-off must be above 0 cycles per pixel; it is -0.125.",
         "高域カットオフは 0 cycles/pixel より大きくしてください（現在 -0.125）。"},
    };
    for (const auto& c : cases) {
        const common::Text text = c.make();
        EXPECT_EQ(text.Plain(), c.plain) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::Japanese, text), c.japanese) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::English, text), c.plain) << c.what;
    }
}

} // namespace
