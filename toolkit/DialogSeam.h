#pragma once
// The program's dialogs, behind one seam so that tests answer them without a modal loop.
#include <QString>
#include <optional>

class QWidget;

namespace toolkit {

class DialogSeam {
public:
    virtual ~DialogSeam() = default;

    // The chosen path, or nothing when the user cancels.
    virtual std::optional<QString> OpenFile(QWidget* parent, const QString& startFolder) = 0;
    // The text typed on OK, the default on Cancel.
    virtual QString InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                             const QString& defaultText) = 0;
    virtual void MessageBox(QWidget* parent, const QString& text) = 0;
    // A notice with the information icon and a single OK button.
    virtual void InformationBox(QWidget* parent, const QString& text) = 0;

    // The seam in use: Qt's own dialogs unless a test installed another one.
    static DialogSeam& Current();
    // Installs `seam` (not owned); nullptr returns to Qt's dialogs.
    static void Install(DialogSeam* seam);
};

// Qt's dialogs.
class QtDialogs : public DialogSeam {
public:
    std::optional<QString> OpenFile(QWidget* parent, const QString& startFolder) override;
    QString InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                     const QString& defaultText) override;
    void MessageBox(QWidget* parent, const QString& text) override;
    void InformationBox(QWidget* parent, const QString& text) override;
};

} // namespace toolkit
