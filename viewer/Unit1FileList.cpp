// The folder of the loaded file as a list, and the application-wide hook that turns each turn of
// the mouse wheel into a load of the next or previous file of that list.
#include <QApplication>
#include <QWheelEvent>
#include <QWindow>

#include "Errors.h"
#include "FileList.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "Unit1.h"

using toolkit::Guarded;
using toolkit::SetText;

namespace {

// Sees every event of the application before it is delivered. A wheel event first reaches the
// top-level window and only then the widget under the pointer; the hook looks at it there, once,
// before any widget could act on it.
class WheelHook : public QObject {
public:
    explicit WheelHook(TForm1* form) : QObject(form), form_(form)
    {
        setObjectName("ApplicationEvents1");
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel || !watched->isWindowType())
            return false;
        bool handled = false;
        toolkit::RunSlot([&] { handled = form_->ApplicationEvents1Message(event); });
        if (handled)
            event->accept();
        return handled;
    }

private:
    TForm1* form_;
};

} // namespace

void TForm1::ConnectFileListHandlers()
{
    connect(ui.ButtonFileList, &QPushButton::clicked, this, Guarded([this] { ButtonFileListClick(); }));
    ApplicationEvents1 = new WheelHook(this);
}

void TForm1::ButtonFileListClick()
{
    const std::string current = ui.EditFileName->text().toStdString();
    bool listed = false;
    const std::vector<std::string>& entries = FolderEntries.Entries(viewer::FolderOf(current), listed);
    if (listed) {
        ui.ListBox1->clear();
        QStringList items;
        items.reserve(static_cast<qsizetype>(entries.size()));
        for (const std::string& entry : entries)
            items << QString::fromStdString(entry);
        ui.ListBox1->addItems(items);
    } else {
        // The same entries: leave them, in the state a refill would leave them in.
        ui.ListBox1->clearSelection();
        ui.ListBox1->setCurrentItem(nullptr);
        ui.ListBox1->scrollToTop();
    }
    SetText(ui.EditFListNo, IntText(viewer::FindListEntry(entries, current)));
}

bool TForm1::ApplicationEvents1Message(QEvent* event)
{
    const auto* wheel = static_cast<QWheelEvent*>(event);
    // Only the vertical wheel steps through the list; a sideways tilt is left to the controls.
    const int delta = wheel->angleDelta().y();
    if (delta == 0 || QApplication::activeWindow() != this || ui.StringGridDICOM->height() >= 200)
        return false;

    const std::int32_t number = IntOf(ui.EditFListNo);
    if (number < 0 || number >= ui.ListBox1->count())
        common::ThrowListIndex(number);
    const QString shown = ui.EditFileName->text();
    const std::int32_t loadState = LoadState;
    SetText(ui.EditFileName, ui.ListBox1->item(number)->text());

    LoadState = 2;
    try {
        BitBtnLoadClick();
    } catch (...) {
        // A file that cannot be loaded leaves the image on show as it was, its name included
        // (and the load button asking for a file again). The number still moves on, so that the
        // next turn steps past that file instead of failing on it again and again.
        SetText(ui.EditFileName, shown);
        LoadState = loadState;
        SetText(ui.EditFListNo, IntText(viewer::StepListNumber(number, ui.ListBox1->count(), delta)));
        throw;
    }
    LoadState = 1;

    const std::int32_t loaded = IntOf(ui.EditFListNo);
    SetText(ui.EditFListNo, IntText(viewer::StepListNumber(loaded, ui.ListBox1->count(), delta)));
    return true;
}
