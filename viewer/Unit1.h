#pragma once
// The viewer window: loads one image file, shows it through a window level and width, and holds
// every viewer parameter as the texts and states of its controls.
#include <QString>
#include <QWidget>
#include <Qt>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "DicomHeader.h"
#include "GreyBitmap.h"
#include "AutoWindow.h"
#include "FlipRotate.h"
#include "FolderListing.h"
#include "PixelRule.h"
#include "RoiBlock.h"
#include "RoiFrame.h"
#include "ThreadPool.h"
#include "ViewGeometry.h"
#include "ui_Form1.h"

namespace imageio {
struct DicomPixels;
}

class QAction;
class QCloseEvent;
class QShortcut;
class QEvent;
class QMenu;

namespace links {
class HandOffTarget;
}

class TForm1 : public QWidget {
    Q_OBJECT

public:
    // `analysis`: the spectrum and filter windows as the hand-off reaches them.
    TForm1(common::ThreadPool& pool, links::HandOffTarget& analysis, QWidget* parent = nullptr);
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
    // Without fillPixels everything but the window mapping of the pixels: for a render that is
    // followed at once by another of the same geometry (which fills every pixel this one would).
    void RenderView(bool fillPixels = true);
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
    imageio::PixelSource Source();
    int BytesPerPixel() const;
    // The ROI the four ROI edits name now, in image columns and rows; what "Stat", "toFilter" and
    // "Triming" read, whatever the tool, the zoom or the pan.
    viewer::Rect RoiBoundsOfEdits();
    viewer::RoiBlock RoiBlockOfEdits();

protected:
    // Closing the viewer ends the program, whichever other windows are open.
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void ConnectHandlers();
    // A load changes the viewer only once it knows the new matrix; until then a failure or a
    // Cancel puts back what it changed.
    struct LoadSnapshot;
    LoadSnapshot TakeLoadSnapshot();
    void RestoreLoadSnapshot(LoadSnapshot& before);
    // The steps of a load up to the matrix size; false when the user cancelled a prompt.
    bool ReadChosenFile(const QString& chosen, std::shared_ptr<const imageio::DicomPixels>& decoded, bool& headerRead);
    // What the header reader of the last load set, to tell it from what the user typed since.
    struct DicomSettings {
        QString header, offset, fov;
        std::optional<bool> swap;  // when the transfer syntax set it
    };
    std::optional<DicomSettings> dicomSettings_;
    bool headerSetSwap_ = false;
    void RememberDicomSettings();
    void ForgetDicomSettings();
    void ClearRoiStatistics();
    void TakeSizesFromAnswer(const QString& answer);
    QString StartFolder() const;
    void WarnIfFileTooSmall();
    void WarnIfDamaged();
    std::optional<viewer::Rect> RoiBoundsOfEditsIfValid();

    // DICOM header reading and the viewer's exports (trimmed ROI file, clipboard copies).
public:
    void ButtonTrimingClick();
    void ButtonSaveBMPClick();
    void ButtonCBClick();
    void StringGridDICOMDblClick();

private:
    void SetUpDicomAndExports();
    const imageio::DicomDictionary& TagDictionary();
    void ShowDicomHeader(const imageio::DicomHeaderResult& header);
    void FitHeaderGridColumns();

    // Decoded DICOM files and their frames (Page Down / Page Up).
public:
    void StepFrame(int step);
    int Frame() const { return frame_; }

private:
    std::shared_ptr<const imageio::DicomPixels> ReadDicomHeaderOrDecode();
    void ShowFrameSummary(const imageio::DicomPixels& pixels, int frame);
    void SetUpFrameKeys();
    void TakeDecoded(std::shared_ptr<const imageio::DicomPixels> decoded);  // after a load, decoded or not
    std::shared_ptr<const imageio::DicomPixels> decoded_;  // the file on show, when it was decoded
    QShortcut* nextFrameKey_ = nullptr;
    QShortcut* previousFrameKey_ = nullptr;
    int frame_ = 0;
    QString decodedSummary_;  // the scanner's summary of the decoded stream
    imageio::DicomDictionary tagDictionary_;
    bool tagDictionaryStale_ = true;  // the table memo changed since the dictionary was built

    // Viewer tools: zoom, pan, ROI by mouse, window drag, automatic window, statistics, flips, file list.
public:
    QMenu* PopupMenu1 = nullptr;  // ROI size presets on the two ROI size edits
    QAction* N641 = nullptr;
    QAction* N1281 = nullptr;
    QAction* N2561 = nullptr;
    QAction* N5121 = nullptr;
    QAction* N10241 = nullptr;
    QAction* N20481 = nullptr;
    QObject* ApplicationEvents1 = nullptr;  // application-wide hook that turns the wheel into loads
    viewer::FolderListing FolderEntries;    // the folder list, read again only when it may have changed

    void Button1Click();
    void Button2Click();
    void RadioGroupToolClick();
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void EditROISizeXEnter();
    // The four ROI edits share it: Return, Tab, or the focus leaving for another control.
    void EditROIPosXExit();
    void N641Click();
    void N1281Click();
    void N2561Click();
    void N5121Click();
    void N10241Click();
    void N20481Click();
    void PopupMenu1Change();
    void ButtonStatClick();
    void ButtonDispClick();
    void CheckBoxSwpClick();
    void CheckBoxInvrtClick();
    void ButtonVertClick();
    void ButtonHorizClick();
    void ButtonCCWClick();
    void ButtonCWClick();
    void ButtonRowCulmClick();
    // True when the event was a wheel step this window took (the event is then consumed).
    bool ApplicationEvents1Message(QEvent* event);

private:
    void ConnectToolHandlers();
    void ConnectStatsHandlers();
    void ConnectFlipHandlers();
    void ConnectFileListHandlers();
    void CreatePopupMenu1();
    void RoiSizePreset(const QString& size);
    void ResetPanAtOne();
    viewer::SampleRule SampleRuleNow();  // "Swap" and the value offset as the samples use them
    void PlaceRoiFromEdits();
    void DragRoi(double px, double py);
    void PanView(int x, int y);
    void DragWindow(int x, int y);
    void RewriteMatrix(void (*operation)(const viewer::PixelMatrix&, const viewer::ViewBounds&));

    common::ThreadPool& pool_;
    links::HandOffTarget& analysis_;
};

