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
    // The path to write, typed or picked, or nothing when the user cancels. The file need not
    // exist; replacing one is confirmed by the caller through Confirm, since the path written
    // can differ from the one chosen.
    virtual std::optional<QString> SaveFile(QWidget* parent, const QString& startFolder) = 0;
    // A question with Yes and No; true for Yes. No is the default button.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // The text typed on OK (the default text unless the user changed it), nothing on Cancel.
    virtual std::optional<QString> InputBox(QWidget* parent, const QString& caption, const QString& prompt,
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
    std::optional<QString> SaveFile(QWidget* parent, const QString& startFolder) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    std::optional<QString> InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                                    const QString& defaultText) override;
    void MessageBox(QWidget* parent, const QString& text) override;
    void InformationBox(QWidget* parent, const QString& text) override;
};

} // namespace toolkit
