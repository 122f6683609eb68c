#include "NpsSource.h"

#include <algorithm>

#include "Errors.h"
#include "Unit1.h"

namespace nps {

ViewerHandOff ViewerNpsSource::HandOff()
{
    const auto& ui = viewer_.ui;
    ViewerHandOff h;
    h.loadedFile = viewer_.LoadState > 0 ? ui.EditFileName->text().toStdString() : std::string();
    for (int i = 0; i < ui.ListBox1->count(); ++i)
        h.folderFiles.push_back(ui.ListBox1->item(i)->text().toStdString());
    h.roiSize = ui.EditROISizeX->text().toStdString();
    h.pixelSpacing = ui.EditPxlSpc->text().toStdString();
    const int mode = ui.RadioGroupMode->ItemIndex();
    h.mode = mode == 0 ? imageio::FileMode::Bits8 : mode == 1 ? imageio::FileMode::Bits16 : imageio::FileMode::Dicom;
    if (viewer_.LoadState > 0) {
        try {
            const viewer::Rect r = viewer_.RoiBoundsOfEdits();
            const long long left = std::max<long long>(r.Left, 0), top = std::max<long long>(r.Top, 0);
            const long long right = std::min<long long>(r.Right, viewer_.ImageWidth - 1LL);
            const long long bottom = std::min<long long>(r.Bottom, viewer_.ImageHeight - 1LL);
            if (right >= left && bottom >= top)
                h.roiRect = std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right - left + 1) +
                            "," + std::to_string(bottom - top + 1);
        } catch (const common::ConversionError&) {
            // Edits that are not numbers give no ROI; the edge measurement then asks for one.
        }
    }
    return h;
}

} // namespace nps
