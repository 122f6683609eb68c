// The viewer's DICOM header reader: the tag table in its memo, the header grid and the summary,
// and the parameters the header supplies.
#include <QFile>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>

#include "FitColumns.h"
#include "HandlerGuard.h"
#include "Unit1.h"

using toolkit::SetText;

namespace {

QString Latin1(const std::string& bytes) { return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())); }

// The tag-name table shipped with the program (generated from dcmtk's dictionaries).
QString TagTableText()
{
    QFile table(QStringLiteral(":/DicomTags.txt"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromLatin1(table.readAll());
    if (text.endsWith('\n'))
        text.chop(1);  // the table's last line has no break after it
    return text;
}

// The grid's first seven columns are at least as wide as the form lays them out; they widen to
// their titles and values, a long value (a UID, a private text) up to about the grid's width.
constexpr int kHeaderGridWidths[] = {32, 39, 39, 32, 36, 149, 160};
constexpr int kHeaderGridMostWidth = 480;

} // namespace

void TForm1::FitHeaderGridColumns() { toolkit::FitColumnsToTexts(*ui.StringGridDICOM, kHeaderGridWidths, kHeaderGridMostWidth); }

const imageio::DicomDictionary& TForm1::TagDictionary()
{
    if (tagDictionaryStale_) {
        tagDictionary_ = imageio::DicomDictionary(ui.Memo_DICOMTag->toPlainText().toLatin1().toStdString());
        tagDictionaryStale_ = false;
    }
    return tagDictionary_;
}

void TForm1::ReadDicomHeader()
{
    const imageio::DicomHeaderResult header = imageio::ReadDicomHeader(ImageStream, TagDictionary());
    const imageio::DicomEdits& edits = header.edits;
    SetText(ui.EditHeader, edits.header);
    SetText(ui.EditFOVSize, edits.fov);
    SetText(ui.EditImgSizeX, edits.sizeX);
    SetText(ui.EditImgSizeY, edits.sizeY);
    SetText(ui.EditOffst, edits.offset);
    if (edits.pixelSpacing)
        SetText(ui.EditPxlSpc, *edits.pixelSpacing);
    if (edits.windowLevel)
        SetText(ui.EditWindowLevel, *edits.windowLevel);
    if (edits.windowWidth)
        SetText(ui.EditWindowWidth, *edits.windowWidth);
    headerSetSwap_ = edits.swap.has_value();
    if (edits.swap) {
        // Only the box's state follows the transfer syntax; its redraw does not run here.
        const QSignalBlocker quiet(ui.CheckBoxSwp);
        ui.CheckBoxSwp->setChecked(*edits.swap);
    }
    if (header.pixelDataFound)
        ShowDicomHeader(header);
    if (header.failure)
        std::rethrow_exception(header.failure);
}

void TForm1::ShowDicomHeader(const imageio::DicomHeaderResult& header)
{
    QTableWidget* grid = ui.StringGridDICOM;
    grid->setRowCount(1);  // drops the previous header's rows
    grid->setRowCount(static_cast<int>(std::max(imageio::kDicomGridRows, header.rows.size() + 1)));
    for (std::size_t r = 0; r < header.rows.size(); ++r)
        for (int c = 0; c < 7; ++c)
            if (!header.rows[r][static_cast<std::size_t>(c)].empty())
                grid->setItem(static_cast<int>(r + 1), c, new QTableWidgetItem(Latin1(header.rows[r][static_cast<std::size_t>(c)])));
    const int rows = static_cast<int>(header.rowCount);
    grid->setRowCount(rows);
    if (header.unlistedElements > 0) {
        // The listing stopped at its limit; its last row says how much it left out.
        grid->setRowCount(rows + 1);
        grid->setItem(rows, 5, new QTableWidgetItem(tr("%1 more elements not listed").arg(header.unlistedElements)));
    }
    FitHeaderGridColumns();
    if (header.summary) {
        QString summary = Latin1(*header.summary);
        summary.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (summary.endsWith('\n'))
            summary.chop(1);  // the memo shows the last line's break as no extra empty line
        ui.Memo1->setPlainText(summary);
    }
}

void TForm1::SetUpDicomAndExports()
{
    ui.Memo_DICOMTag->setPlainText(TagTableText());
    connect(ui.Memo_DICOMTag, &QPlainTextEdit::textChanged, this, [this] { tagDictionaryStale_ = true; });
    // The header grid is a listing: a double click toggles its size instead of editing a cell.
    ui.StringGridDICOM->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(ui.StringGridDICOM, &QTableWidget::cellDoubleClicked, this, toolkit::Guarded([this] { StringGridDICOMDblClick(); }));
    connect(ui.ButtonTriming, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonTrimingClick(); }));
    connect(ui.ButtonSaveBMP, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonSaveBMPClick(); }));
    connect(ui.ButtonCB, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonCBClick(); }));
}
