// Fuzz target: the DICOM header reader over any bytes, then the rest of a DICOM load with what it
// found (view fill through the window table, the ROI block, the trimmed bytes). Sanitizers report
// any read outside the input; the checks below report a reader that breaks its own promises.
#include <cstdint>
#include <cstdlib>

#include "Conversions.h"
#include "DicomHeader.h"
#include "DicomTagTable.h"
#include "Errors.h"
#include "ExportTrim.h"
#include "ImageLimits.h"
#include "RoiBlock.h"
#include "ViewFill.h"
#include "ViewGeometry.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The load after the header: the sizes become a matrix, which is rendered and read as a ROI.
void LoadImage(std::span<const std::uint8_t> stream, const imageio::DicomHeaderResult& header)
{
    const std::int32_t width = common::StrToInt(header.edits.sizeX);
    const std::int32_t height = common::StrToInt(header.edits.sizeY);
    imageio::CheckBitmapSize(width, height);
    if (static_cast<long long>(width) * height > (1LL << 20))
        return;  // a real load would render it too; the fuzzer keeps to small pictures for speed
    const viewer::ViewGeometry geometry = viewer::ComputeViewGeometry(width, height, 1.0, 0, 0);
    imageio::CheckBitmapSize(geometry.bitmapWidth, geometry.bitmapHeight);
    common::GreyBitmap bitmap(static_cast<int>(geometry.bitmapWidth), static_cast<int>(geometry.bitmapHeight));
    imageio::PixelSource source{stream, common::StrToInt(header.edits.header), width, height, 2};
    viewer::WindowParams window{40, 400, common::StrToInt(header.edits.offset), header.edits.swap.value_or(false), false};
    viewer::FillView(source, geometry.bounds, window, bitmap);
    const viewer::RoiBlock block{width / 4, height / 4, std::max(width / 2, 1), std::max(height / 2, 1)};
    if (viewer::BlockIsReadable(source, block))
        Check(viewer::TrimmedBytes(source, block).size() == static_cast<std::size_t>(block.w * block.h * 2));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> stream(data, size);
    const imageio::DicomHeaderResult header = imageio::ReadDicomHeader(stream, TestTagTable());
    if (!header.pixelDataFound) {
        Check(header.rows.empty() && !header.summary && header.edits.header.empty());
        return 0;
    }
    // Each listed row costs at least four bytes of input, and the listing has its limit.
    Check(header.rows.size() <= size / 4 + 1);
    Check(header.rows.size() <= imageio::kDicomListedRows);
    if (!header.failure)
        Check(header.rowCount == header.rows.size() + 1);
    const long long offset = std::stoll(header.edits.header);
    Check(offset >= 8 && offset <= static_cast<long long>(size / 2) + 12);
    if (header.failure)
        return 0;
    try {
        LoadImage(stream, header);
    } catch (const common::AppError&) {
        // sizes that are not numbers or too large: the load stops with a message
    }
    return 0;
}
