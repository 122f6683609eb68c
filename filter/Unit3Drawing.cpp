// The filter window: drawing the views at the end of an operation.
//
// One button can draw the same 1024 x 1024 view several times: the new-image operation draws
// five views 22 times, each reset moves a track bar that redraws the view before the reset draws
// it again. Only the last drawing of each view can be seen, so a rendering does everything that
// can fail or that others read at once (the levels, the cells, the checks of the view, the
// stored windows and track bars) and leaves its pixels waiting. When the outermost operation
// ends, by success or by an error, the waiting drawings are drawn in the order they were asked
// for, so the work bitmap ends holding the last one, as it would have.
//
// A waiting drawing reads its matrix only when it is drawn, so whatever changes a matrix a
// drawing waits on (a filter run, a new reading of the cells) draws the waiting ones first, and
// so does anything that reads a view or the work bitmap. Profile lines inverted over a waiting
// view are kept with it and inverted after it is drawn. Of the drawings made together only the
// last one is rendered into the work bitmap; the others render just the pixels their pictures
// show.
#include <QPainter>
#include <algorithm>

#include "Canvas.h"
#include "Unit3.h"

using filter::View;

namespace {

void WriteText(common::GreyBitmap& bitmap, int x, int y, const QString& text)
{
    QImage canvas(bitmap.Pixels().data(), bitmap.Width(), bitmap.Height(), bitmap.Width(), QImage::Format_Grayscale8);
    QPainter painter(&canvas);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(font);
    painter.drawText(x, y + metrics.ascent(), text);
}

void InvertProfileLine(toolkit::ImageBox* image, int dx, int dy)
{
    const int c = image->width() / 2;
    common::InvertLine(image->Bitmap(), c - dx + 1, c - dy + 1, c + dx, c + dy);
    image->update();
}

} // namespace

void TForm3::InOneOperation(const std::function<void()>& operation)
{
    ++operationDepth_;
    try {
        operation();
    } catch (...) {
        EndOperation();
        throw;
    }
    EndOperation();
}

void TForm3::EndOperation()
{
    if (--operationDepth_ > 0)
        return;
    rawValuesHeld_ = false;
    DrawPending();
}

bool TForm3::DrawingWaits(std::initializer_list<View> views) const
{
    return std::any_of(views.begin(), views.end(),
                       [&](View v) { return pendingDrawings_[static_cast<std::size_t>(v)].waiting; });
}

void TForm3::QueueDrawing(View view, const filter::ViewSource& source, const filter::RenderWindow& window)
{
    PendingDrawing& d = pendingDrawings_[static_cast<std::size_t>(view)];
    // A later drawing of the same view covers the whole image, and its own profile lines with it.
    d.waiting = true;
    d.order = ++drawingCount_;
    d.source = source;
    d.n = FilterMatrixSize;
    d.window = window;
    d.log = ui.CheckBoxLog->isChecked();
    d.invert = ui.CheckBoxInvrt->isChecked();
    d.profileLines.clear();
    // The texts as the edits read now.
    const QString levels = ui.EditLL->text() + " " + ui.EditUL->text();
    d.zoomTexts.assign({ZoomText{501, levels}});
    d.viewTexts.clear();
    if (view == View::Filtered) {
        const auto type = ui.RadioGroupFilter->ItemIndex();
        const QString lcf = "LCF " + ui.EditLCOF->text() + " " + ui.EditLN->text();
        const QString hcf = "HCF " + ui.EditHCOF->text() + " " + ui.EditHN->text();
        const QString tail = " " + levels;
        if (type == 0 || type == 1) {
            const QString text = (type == 0 ? lcf : hcf) + tail;
            d.zoomTexts.push_back({501, text});
            d.viewTexts.push_back({245, text});
        } else if (type == 2) {
            d.zoomTexts.push_back({491, lcf});
            d.zoomTexts.push_back({501, hcf + tail});
            d.viewTexts.push_back({235, lcf});
            d.viewTexts.push_back({245, hcf + tail});
        }
    }
    d.zoomShown = ui.PageControl512->currentIndex() == 1;
    if (!deferDrawing_)
        DrawPending();
}

void TForm3::DrawPending()
{
    std::vector<PendingDrawing*> waiting;
    for (PendingDrawing& d : pendingDrawings_)
        if (d.waiting)
            waiting.push_back(&d);
    if (waiting.empty())
        return;
    std::sort(waiting.begin(), waiting.end(), [](const auto* a, const auto* b) { return a->order < b->order; });
    for (PendingDrawing* d : waiting)
        d->waiting = false;
    for (const PendingDrawing* d : waiting)
        FinishDrawing(*d, d == waiting.back());
}

void TForm3::FinishDrawing(const PendingDrawing& d, bool last)
{
    toolkit::ImageBox* image = ViewImage(d.source.view);
    const int width = image->width(), height = image->height();
    if (!last && static_cast<long long>(d.n) * d.n > static_cast<long long>(width) * height) {
        // A later drawing of this round overwrites the work bitmap: only the picture is made,
        // from the elements its stretch picks.
        filter::RenderViewStretched(d.source, d.n, d.window, d.log, d.invert, width, height, image->Bitmap());
    } else {
        filter::RenderViewBitmap(d.source, d.n, d.window, d.log, d.invert, *WorkBitmap, pool_);
        image->Bitmap() = common::StretchNearest(*WorkBitmap, width, height);
    }
    for (const ZoomText& line : d.viewTexts)
        WriteText(image->Bitmap(), 0, line.y, line.text);
    image->update();
    // The "Zoom" page shows the last view drawn (the page cannot change inside one operation).
    if (last) {
        zoomTexts_ = d.zoomTexts;
        zoomPending_ = !d.zoomShown;
        if (zoomPending_)
            zoomView_ = *WorkBitmap;  // a copy: the spectrum window draws into the same work bitmap
        else
            DrawZoom(*WorkBitmap);
    }
    for (const auto& [dx, dy] : d.profileLines)
        InvertProfileLine(image, dx, dy);
}

void TForm3::DrawZoom(const common::GreyBitmap& view)
{
    const int side = std::max(view.Width(), 512);
    ui.Image512->resize(side, side);
    ui.Image512->parentWidget()->resize(side, side);
    common::GreyBitmap& zoom = ui.Image512->Bitmap();
    zoom = common::StretchNearest(view, side, side);
    for (const ZoomText& line : zoomTexts_)
        WriteText(zoom, 0, line.y, line.text);
    ui.Image512->update();
}

void TForm3::PageControl512Change()
{
    DrawPending();
    if (ui.PageControl512->currentIndex() == 1 && zoomPending_) {
        zoomPending_ = false;
        DrawZoom(zoomView_);
    }
}

void TForm3::ToggleProfileLine(toolkit::ImageBox* image)
{
    for (View view : {View::Power, View::Convolution}) {
        PendingDrawing& d = pendingDrawings_[static_cast<std::size_t>(view)];
        if (ViewImage(view) == image && d.waiting) {
            d.profileLines.emplace_back(ProfileDX, ProfileDY);
            return;
        }
    }
    InvertProfileLine(image, ProfileDX, ProfileDY);
}
