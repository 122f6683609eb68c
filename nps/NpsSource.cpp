#include "NpsSource.h"

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
    return h;
}

} // namespace nps
