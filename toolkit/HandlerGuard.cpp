#include "HandlerGuard.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>

#include "DialogSeam.h"
#include "RadioGroup.h"
#include "Translation.h"

namespace toolkit {

namespace {

// How many control changes made from code are in progress, and the error a slot raised inside
// one of them. Both belong to the one UI thread.
int nestedChanges = 0;
std::exception_ptr parkedError;

QString MessageOf(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return i18n::ShownError(e);
    } catch (...) {
        return QCoreApplication::translate("toolkit", "Unknown error");
    }
}

} // namespace

void ShowError(const std::exception_ptr& error)
{
    DialogSeam::Current().MessageBox(nullptr, MessageOf(error));
}

void RunSlot(const std::function<void()>& body)
{
    try {
        body();
    } catch (...) {
        if (nestedChanges > 0) {
            if (!parkedError)
                parkedError = std::current_exception();
        } else {
            ShowError(std::current_exception());
        }
    }
}

void RunNested(const std::function<void()>& qtCall)
{
    ++nestedChanges;
    try {
        qtCall();
    } catch (...) {
        --nestedChanges;
        throw;
    }
    --nestedChanges;
    if (parkedError) {
        std::exception_ptr error = parkedError;
        parkedError = nullptr;
        std::rethrow_exception(error);
    }
}

void SetText(QLineEdit* edit, const QString& text)
{
    RunNested([&] {
        edit->setText(text);
        // Show a long value from its start, as a freshly written edit box does.
        edit->setCursorPosition(0);
    });
}

void SetText(QLineEdit* edit, const std::string& text) { SetText(edit, QString::fromStdString(text)); }

void SetChecked(QAbstractButton* box, bool checked)
{
    RunNested([&] { box->setChecked(checked); });
}

void SetItemIndex(RadioGroup* group, int index)
{
    RunNested([&] { group->setItemIndex(index); });
}

} // namespace toolkit
