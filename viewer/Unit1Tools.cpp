// Zoom, pan, the tool selector, the ROI by mouse and by its size edits, and the window drag with
// the right mouse button.
#include <QAction>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "HandlerGuard.h"
#include "ParameterText.h"
#include "RoiDrag.h"
#include "Unit1.h"
#include "ZoomPan.h"

using toolkit::Guarded;
using toolkit::SetChecked;
using toolkit::SetItemIndex;
using toolkit::SetText;

namespace {

enum ToolItem { kToolRoi = 0, kToolMove = 1, kToolOff = 2, kToolHome = 3 };

// Runs a handler when the user moves into its control (Tab, a click, a shortcut, or focus set
// from code). Focus that comes back because the window is active again (after a message box,
// a dialog or a popup closed) is no entry: a handler whose error box returned the focus would
// otherwise run again on every close, and the user could never leave the loop.
class FocusEnterHook : public QObject {
public:
    FocusEnterHook(QObject* parent, std::function<void()> handler) : QObject(parent), handler_(std::move(handler)) {}

    static bool IsEntry(Qt::FocusReason reason)
    {
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && IsEntry(static_cast<QFocusEvent*>(event)->reason()))
            toolkit::RunSlot(handler_);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

// Runs a handler when the user is done with an edit: Return or Enter in it, or the focus leaving
// it for another control. The focus leaving because another window came up (the error box of this
// very handler, a dialog, a popup) is no exit, for the same reason as above.
class FinishEditHook : public QObject {
public:
    FinishEditHook(QObject* parent, std::function<void()> handler) : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut && FocusEnterHook::IsEntry(static_cast<QFocusEvent*>(event)->reason()))
            toolkit::RunSlot(handler_);
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                toolkit::RunSlot(handler_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

} // namespace

void TForm1::ConnectToolHandlers()
{
    connect(ui.Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
    connect(ui.Button2, &QPushButton::clicked, this, Guarded([this] { Button2Click(); }));
    connect(ui.RadioGroupTool, &toolkit::RadioGroup::itemIndexChanged, this, Guarded([this] { RadioGroupToolClick(); }));
    ui.Image1->setMouseTracking(true);  // moves arrive with or without a button held
    connect(ui.Image1, &toolkit::ImageBox::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
                toolkit::RunSlot([&] { Image1MouseDown(b, m, x, y); });
            });
    connect(ui.Image1, &toolkit::ImageBox::mouseMove, this, [this](Qt::MouseButtons, Qt::KeyboardModifiers m, int x, int y) {
        toolkit::RunSlot([&] { Image1MouseMove(m, x, y); });
    });
    connect(ui.Image1, &toolkit::ImageBox::mouseUp, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
        toolkit::RunSlot([&] { Image1MouseUp(b, m, x, y); });
    });
    ui.EditROISizeX->installEventFilter(new FocusEnterHook(this, [this] { EditROISizeXEnter(); }));
    for (QLineEdit* edit : {ui.EditROIPosX, ui.EditROIPosY, ui.EditROISizeX, ui.EditROISizeY})
        edit->installEventFilter(new FinishEditHook(this, [this] { EditROIPosXExit(); }));
    CreatePopupMenu1();
    ConnectStatsHandlers();
    ConnectFlipHandlers();
    ConnectFileListHandlers();
    // The menu reports its change once while the window is created.
    toolkit::RunSlot([this] { PopupMenu1Change(); });
}

void TForm1::CreatePopupMenu1()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    const struct {
        QAction** item;
        const char* name;
        const char* caption;
        void (TForm1::*click)();
    } items[] = {{&N641, "N641", "64", &TForm1::N641Click},         {&N1281, "N1281", "128", &TForm1::N1281Click},
                 {&N2561, "N2561", "256", &TForm1::N2561Click},     {&N5121, "N5121", "512", &TForm1::N5121Click},
                 {&N10241, "N10241", "1024", &TForm1::N10241Click}, {&N20481, "N20481", "2048", &TForm1::N20481Click}};
    for (const auto& it : items) {
        *it.item = PopupMenu1->addAction(it.caption);
        (*it.item)->setObjectName(it.name);
        connect(*it.item, &QAction::triggered, this, Guarded([this, click = it.click] { (this->*click)(); }));
    }
    for (QLineEdit* edit : {ui.EditROISizeX, ui.EditROISizeY}) {
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QWidget::customContextMenuRequested, this,
                [this, edit](const QPoint& at) { PopupMenu1->popup(edit->mapToGlobal(at)); });
    }
}

void TForm1::Button1Click()
{
    SetText(ui.EditMF, RealText(RealOf(ui.EditMF) + 0.1));
    ResetPanAtOne();
    RenderView();
}

void TForm1::Button2Click()
{
    if (const auto lower = viewer::ZoomStepDown(RealOf(ui.EditMF)))
        SetText(ui.EditMF, RealText(*lower));
    ResetPanAtOne();
    RenderView();
}

void TForm1::ResetPanAtOne()
{
    // Back at magnification 1 the whole image is in view again: the pan starts over.
    if (RealOf(ui.EditMF) == 1) {
        SetText(ui.EditMF, QStringLiteral("1.0"));
        SetText(ui.EditImgSftY, QStringLiteral("0"));
        SetText(ui.EditImgSftX, QStringLiteral("0"));
    }
}

void TForm1::RadioGroupToolClick()
{
    switch (ui.RadioGroupTool->ItemIndex()) {
    case kToolRoi:
    case kToolOff:
        RenderView();
        break;
    case kToolHome:
        SetText(ui.EditMF, QStringLiteral("1.0"));
        SetText(ui.EditImgSftX, QStringLiteral("0"));
        SetText(ui.EditImgSftY, QStringLiteral("0"));
        SetText(ui.EditROIPosX, IntText(DisplayBitmap().Width() / 2));
        SetText(ui.EditROIPosY, IntText(DisplayBitmap().Height() / 2));
        SetText(ui.EditROISizeX, QStringLiteral("256"));
        SetText(ui.EditROISizeY, QStringLiteral("256"));
        RenderView();
        SetChecked(ui.CheckBoxRoiSet, true);
        break;
    default:  // "Move": the next drag pans
        break;
    }
}

void TForm1::Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    RoiDragTopLeft = RoiDragBottomRight = RoiDragMove = false;
    const int tool = ui.RadioGroupTool->ItemIndex();
    if (button == Qt::LeftButton && tool == kToolRoi) {
        DragButton = QStringLiteral("Left");
        const double s = viewer::PointerScale(DisplayBitmap().Height());
        const bool moved = x != LastMouseX || y != LastMouseY;
        const viewer::RoiDragKind kind = viewer::ClassifyRoiPress(RoiFrame, x * s, y * s, moved);
        RoiDragTopLeft = kind.topLeft;
        RoiDragBottomRight = kind.bottomRight;
        RoiDragMove = kind.move;
    } else if (button == Qt::LeftButton && tool == kToolMove) {
        DragButton = QStringLiteral("Left");
        LastMouseX = x;
        LastMouseY = y;
    } else if (button == Qt::RightButton) {
        DragButton = QStringLiteral("Right");
        LastMouseX = x;
        LastMouseY = y;
    }
}

void TForm1::Image1MouseMove(Qt::KeyboardModifiers, int x, int y)
{
    const int tool = ui.RadioGroupTool->ItemIndex();
    const double s = viewer::PointerScale(DisplayBitmap().Height());
    if (tool == kToolRoi && DragButton == "Left")
        DragRoi(x * s, y * s);
    if (tool == kToolMove && DragButton == "Left")
        PanView(x, y);
    if (DragButton == "Right")
        DragWindow(x, y);
}

void TForm1::DragRoi(double px, double py)
{
    if (RoiDragTopLeft || RoiDragBottomRight) {
        DrawRoiFrame();
        RoiFrame = viewer::DragRoiCorner(RoiFrame, RoiDragTopLeft, px, py);
        DrawRoiFrame();
        SetText(ui.EditROISizeX, IntText(static_cast<long long>(RoiFrame.Right) - RoiFrame.Left + 1));
        SetText(ui.EditROISizeY, IntText(static_cast<long long>(RoiFrame.Bottom) - RoiFrame.Top + 1));
        // The position follows too, so that the edits name the frame on show: the statistics of
        // the release, "toFilter" and "Triming" read that block, and the next redraw keeps it.
        const viewer::RoiPosition centre = viewer::RoiPositionOfFrame(RoiFrame, ViewBounds);
        SetText(ui.EditROIPosX, IntText(centre.posX));
        SetText(ui.EditROIPosY, IntText(centre.posY));
    }
    if (RoiDragMove) {
        DrawRoiFrame();
        const viewer::RoiMove move = viewer::MoveRoiTo(RoiFrame, px, py, ViewBounds);
        RoiFrame = move.frame;
        SetText(ui.EditROIPosX, IntText(move.posX));
        SetText(ui.EditROIPosY, IntText(move.posY));
        DrawRoiFrame();
    }
}

void TForm1::PanView(int x, int y)
{
    viewer::PanInput in;
    in.x = x;
    in.y = y;
    in.lastX = LastMouseX;
    in.lastY = LastMouseY;
    in.scale = viewer::PointerScale(DisplayBitmap().Height());
    in.view = ViewBounds;
    in.imageWidth = ImageWidth;
    in.imageHeight = ImageHeight;
    in.shiftX = IntOf(ui.EditImgSftX);
    in.shiftY = IntOf(ui.EditImgSftY);
    const viewer::PanStep step = viewer::ComputePanStep(in);
    if (step.shiftX)
        SetText(ui.EditImgSftX, IntText(*step.shiftX));
    if (step.shiftY)
        SetText(ui.EditImgSftY, IntText(*step.shiftY));
    RenderView();
    LastMouseX = x;
    LastMouseY = y;
}

void TForm1::DragWindow(int x, int y)
{
    const int factor = viewer::RangeFactor(ui.RadioGroupRange->ItemIndex());
    const std::int32_t width = IntOf(ui.EditWindowWidth);
    const std::int32_t level = IntOf(ui.EditWindowLevel);
    const viewer::WindowDragStep step = viewer::ComputeWindowDrag(width, level, x - LastMouseX, y - LastMouseY, factor);
    if (step.width)
        SetText(ui.EditWindowWidth, IntText(*step.width));
    SetText(ui.EditWindowLevel, IntText(step.level));
    RenderView();
    LastMouseX = x;
    LastMouseY = y;
}

void TForm1::Image1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int, int)
{
    const int tool = ui.RadioGroupTool->ItemIndex();
    if (button == Qt::LeftButton && tool == kToolRoi) {
        RoiDragTopLeft = RoiDragBottomRight = RoiDragMove = false;
        DragButton.clear();
        ButtonStatClick();
    } else if (button == Qt::LeftButton && tool == kToolMove) {
        RoiDragTopLeft = RoiDragBottomRight = RoiDragMove = false;
        DragButton.clear();
    } else if (button == Qt::RightButton) {
        DragButton.clear();
    }
}

void TForm1::PlaceRoiFromEdits()
{
    RoiBounds = RoiBoundsOfEdits();
    RoiFrame = viewer::RoiFrameFromBounds(RoiBounds, ViewBounds);
}

void TForm1::EditROISizeXEnter()
{
    PlaceRoiFromEdits();
    RenderView();
}

void TForm1::EditROIPosXExit()
{
    // What the user typed is the ROI from now on: placed and shown at once, as entering the size
    // edit does, not only at the next entry into it.
    EditROISizeXEnter();
}

void TForm1::RoiSizePreset(const QString& size)
{
    SetText(ui.EditROISizeX, size);
    SetText(ui.EditROISizeY, size);
    SetItemIndex(ui.RadioGroupTool, kToolOff);
    SetItemIndex(ui.RadioGroupTool, kToolRoi);
}

void TForm1::N641Click() { RoiSizePreset(QStringLiteral("64")); }
void TForm1::N1281Click() { RoiSizePreset(QStringLiteral("128")); }
void TForm1::N2561Click() { RoiSizePreset(QStringLiteral("256")); }
void TForm1::N5121Click() { RoiSizePreset(QStringLiteral("512")); }
void TForm1::N10241Click() { RoiSizePreset(QStringLiteral("1024")); }
void TForm1::N20481Click() { RoiSizePreset(QStringLiteral("2048")); }

void TForm1::PopupMenu1Change()
{
    RenderView();
    PlaceRoiFromEdits();
    Button1Click();
    Button2Click();
}
