#include "DialogSeam.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QShortcut>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace toolkit {

namespace {
QtDialogs qtDialogs;
DialogSeam* installed = nullptr;

// Ctrl+C in a message box copies its text, as on other desktops: users paste messages into
// reports.
void CopyTextOnCtrlC(QMessageBox& box)
{
    auto* copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box,
                     [&box] { QGuiApplication::clipboard()->setText(box.text()); });
}

} // namespace

DialogSeam& DialogSeam::Current() { return installed ? *installed : qtDialogs; }

void DialogSeam::Install(DialogSeam* seam) { installed = seam; }

std::optional<QString> QtDialogs::OpenFile(QWidget* parent, const QString& startFolder)
{
    // Qt's own dialog rather than a platform one: the same on every desktop, and a path can be
    // typed into it.
    const QString path = QFileDialog::getOpenFileName(parent, QString(), startFolder, QString(), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::SaveFile(QWidget* parent, const QString& startFolder)
{
    // The overwrite question is the caller's: some exports write beside the chosen name.
    const QString path = QFileDialog::getSaveFileName(
        parent, QString(), startFolder, QString(), nullptr,
        QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

bool QtDialogs::Confirm(QWidget* parent, const QString& text)
{
    QWidget* owner = parent ? parent : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    CopyTextOnCtrlC(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtDialogs::InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                                           const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void QtDialogs::MessageBox(QWidget* parent, const QString& text)
{
    QWidget* owner = parent ? parent : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner);
    CopyTextOnCtrlC(box);
    box.exec();
}

void QtDialogs::InformationBox(QWidget* parent, const QString& text)
{
    QWidget* owner = parent ? parent : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner);
    CopyTextOnCtrlC(box);
    box.exec();
}

} // namespace toolkit
