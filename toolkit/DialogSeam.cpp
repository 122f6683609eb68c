#include "DialogSeam.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace toolkit {

namespace {
QtDialogs qtDialogs;
DialogSeam* installed = nullptr;
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

QString QtDialogs::InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                            const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : defaultText;
}

void QtDialogs::MessageBox(QWidget* parent, const QString& text)
{
    QWidget* owner = parent ? parent : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner);
    box.exec();
}

void QtDialogs::InformationBox(QWidget* parent, const QString& text)
{
    QWidget* owner = parent ? parent : QApplication::activeWindow();
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok, owner);
    box.exec();
}

} // namespace toolkit
