// The viewer's exports: the ROI block as a trimmed raw file, the picture and the DICOM header on
// the clipboard, and the header grid's size toggle.
#include <QClipboard>
#include <QGuiApplication>
#include <QTableWidget>

#include "DialogSeam.h"
#include "ExportHeaderText.h"
#include "ExportTrim.h"
#include "ImageBox.h"
#include "SaveExport.h"
#include "Translation.h"
#include "Unit1.h"

void TForm1::ButtonTrimingClick()
{
    // Everything is read and refused before the dialog: the user is asked for a file only when
    // there is something to write into it.
    const viewer::RoiBlock block = RoiBlockOfEdits();
    const std::vector<std::uint8_t> bytes = viewer::TrimmedBytes(Source(), block);
    auto& dialogs = toolkit::DialogSeam::Current();
    if (const std::optional<common::Text> note = viewer::TrimmedValuesNote(Source(), block, SampleRuleNow()))
        dialogs.MessageBox(this, i18n::Shown(*note));
    const std::optional<QString> chosen = dialogs.SaveFile(this, StartFolder());
    if (!chosen)
        return;
    // The file written carries the ROI's size and spacing beside the chosen name, so the question
    // about replacing is asked for that name, not the chosen one.
    const std::string path =
        viewer::TrimmedFileName(chosen->toStdString(), block.w, block.h, ui.EditPxlSpc->text().toStdString());
    if (!toolkit::WriteAfterAsking(this, QString::fromStdString(path), bytes))
        return;
    dialogs.InformationBox(this, tr("トリミングした画像を保存しました。"));
}

void TForm1::ButtonSaveBMPClick()
{
    QGuiApplication::clipboard()->setImage(toolkit::ToQImage(DisplayBitmap()));
}

void TForm1::ButtonCBClick()
{
    const QTableWidget* grid = ui.StringGridDICOM;
    std::vector<std::array<std::string, 7>> rows(static_cast<std::size_t>(std::max(grid->rowCount(), 0)));
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < 7; ++c)
            if (const QTableWidgetItem* item = grid->item(r, c))
                rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = item->text().toStdString();
    QGuiApplication::clipboard()->setText(QString::fromStdString(viewer::HeaderClipboardText(rows)));
}

void TForm1::StringGridDICOMDblClick()
{
    QTableWidget* grid = ui.StringGridDICOM;
    if (grid->height() < 200) {
        grid->setGeometry(grid->x(), 22, grid->width(), 618);  // over the image area
        grid->raise();
    } else if (grid->height() > 200) {
        grid->setGeometry(grid->x(), 536, grid->width(), 109);  // back under the image area
    }
}
