// DICOM files the header scanner cannot show (compressed, deflated, big-endian, several frames,
// 8-bit or colour samples, pixels the scanner does not find) are decoded; the decoded frame goes
// into the image stream as an uncompressed little-endian file, so the header grid, the summary and
// every tool read it as they read any file. Page Down and Page Up step through the frames.
#include <QKeySequence>
#include <QShortcut>
#include <algorithm>
#include <cstring>

#include "DialogSeam.h"
#include "DicomDecode.h"
#include "ElementWalk.h"
#include "FrameStream.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "Translation.h"
#include "Unit1.h"

using toolkit::SetText;

std::shared_ptr<const imageio::DicomPixels> TForm1::ReadDicomHeaderOrDecode()
{
    std::optional<imageio::DicomPixels> decoded = imageio::DecodeIfNeeded(ImageStream);
    if (!decoded) {
        ReadDicomHeader();
        return nullptr;
    }
    // A refusal leaves the stream and every edit as they are; the load puts the previous back.
    auto pixels = std::make_shared<const imageio::DicomPixels>(std::move(*decoded));
    ImageStream = imageio::FrameStream(*pixels, 0);
    ReadDicomHeader();
    // The decoder knows the matrix: columns across, rows down, whatever the header scanner made of it.
    SetText(ui.EditHeader, IntText(static_cast<long long>(pixels->header.size())));
    SetText(ui.EditImgSizeX, IntText(pixels->columns));
    SetText(ui.EditImgSizeY, IntText(pixels->rows));
    if (!pixels->spacing.empty())
        SetText(ui.EditPxlSpc, QString::fromStdString(pixels->spacing));
    decodedSummary_ = ui.Memo1->toPlainText();
    ShowFrameSummary(*pixels, 0);
    return pixels;
}

void TForm1::WarnIfDamaged()
{
    if (!decoded_)
        return;
    if (const std::optional<common::Text> warning = imageio::DamageWarning(*decoded_))
        toolkit::DialogSeam::Current().MessageBox(this, i18n::Shown(*warning));
}

void TForm1::ShowFrameSummary(const imageio::DicomPixels& pixels, int frame)
{
    QStringList shown;
    for (const common::Text& line : imageio::DecodedSummaryLines(pixels, frame))
        shown << i18n::Shown(line);
    const QString lines = shown.join(QLatin1Char('\n'));
    ui.Memo1->setPlainText(decodedSummary_.isEmpty() ? lines : decodedSummary_ + "\n" + lines);
}

void TForm1::StepFrame(int step)
{
    if (!decoded_ || LoadState != 1)
        return;
    const int frame = std::clamp(frame_ + step, 0, decoded_->frames - 1);
    if (frame == frame_)
        return;
    const std::size_t count = static_cast<std::size_t>(decoded_->columns) * static_cast<std::size_t>(decoded_->rows);
    const std::size_t start = decoded_->header.size();
    if (ImageStream.size() < start + count * 2)
        return;  // the stream no longer holds the decoded file
    frame_ = frame;
    const std::uint16_t* words = decoded_->words.data() + static_cast<std::size_t>(frame) * count;
    for (std::size_t i = 0; i < count; ++i) {
        ImageStream[start + 2 * i] = static_cast<std::uint8_t>(words[i] & 0xFF);
        ImageStream[start + 2 * i + 1] = static_cast<std::uint8_t>(words[i] >> 8);
    }
    ShowFrameSummary(*decoded_, frame_);
    RenderView();
}

void TForm1::SetUpFrameKeys()
{
    nextFrameKey_ = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    previousFrameKey_ = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    connect(nextFrameKey_, &QShortcut::activated, this, toolkit::Guarded([this] { StepFrame(1); }));
    connect(previousFrameKey_, &QShortcut::activated, this, toolkit::Guarded([this] { StepFrame(-1); }));
    TakeDecoded(nullptr);
}

void TForm1::TakeDecoded(std::shared_ptr<const imageio::DicomPixels> decoded)
{
    decoded_ = std::move(decoded);
    frame_ = 0;
    // The keys belong to the header grid and the edits unless there are frames to step through.
    const bool frames = decoded_ && decoded_->frames > 1;
    nextFrameKey_->setEnabled(frames);
    previousFrameKey_->setEnabled(frames);
}
