#pragma once
// The viewer window: loads one image file, shows it through a window level and width, and holds
// every viewer parameter as the texts and states of its controls.
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "GreyBitmap.h"
#include "PixelRule.h"
#include "RoiFrame.h"
#include "ViewGeometry.h"
#include "ui_Form1.h"

class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    Ui::TForm1 ui;

    // Shared viewer state, read by the tools and the analysis windows.
    std::vector<std::uint8_t> ImageStream;  // the whole file as read, header included
    QString CurrentFileName;
    std::int32_t ImageWidth = 0;
    std::int32_t ImageHeight = 0;
    std::int32_t LoadState = 0;             // 0 nothing loaded, 1 loaded, 2 a file-list step is loading
    viewer::Rect RoiFrame;                  // ROI on DisplayBitmap, bitmap pixels
    viewer::Rect RoiBounds;                 // ROI in image columns and rows, inclusive
    viewer::ViewBounds ViewBounds;
    QString DragButton;                     // "Left", "Right" or empty
    std::int32_t LastMouseX = 0;
    std::int32_t LastMouseY = 0;
    bool RoiDragTopLeft = false;
    bool RoiDragBottomRight = false;
    bool RoiDragMove = false;

    // The picture bitmap of Image1 itself.
    common::GreyBitmap& DisplayBitmap() { return ui.Image1->Bitmap(); }

    // Handlers and operations, callable directly: an error raised inside stops the caller too.
    void BitBtnLoadClick();
    void RenderView();
    void DrawRoiFrame();
    void ReadDicomHeader();
    void ButtonAutoWLClick();
    void ButtonFileListClick();

    // Hand-off to the analysis windows.
    void ButtonToTableClick();
    void ButtonToForm2Click();
    void ButtonToForm3Click();
    void ConnectHandOffHandlers();

    // The loaded file and its matrix as the parameters describe them now.
    viewer::PixelSource Source();
    int BytesPerPixel() const;

private:
    void FormCreate();
    void ConnectHandlers();
    void TakeSizesFromAnswer(const QString& answer);
    QString StartFolder() const;
};

extern TForm1* Form1;
