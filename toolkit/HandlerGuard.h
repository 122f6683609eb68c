#pragma once
// Errors and Qt: no exception may cross Qt code, yet an error must stop the handler that raised
// it and every handler that started it.
//
// Every connected slot runs through RunSlot. When Qt called the slot from the event loop, an
// error is shown in the top-level message box. When the slot ran because a handler changed a
// control from code (SetText, SetChecked, SetItemIndex below), the error is parked and rethrown as
// soon as the Qt call returns, so it keeps stopping the outer handler.
#include <QString>
#include <exception>
#include <functional>
#include <string>

class QAbstractButton;
class QLineEdit;

namespace toolkit {

class RadioGroup;

void RunSlot(const std::function<void()>& body);

// A slot functor that drops the signal's arguments and runs `handler` guarded.
template <typename F>
auto Guarded(F handler)
{
    return [handler]() { RunSlot(handler); };
}

// Shows an error as the application's top-level handler does.
void ShowError(const std::exception_ptr& error);

// Control changes made by handlers: the control's own handler runs when the state changes, and
// an error it raises continues here.
void SetText(QLineEdit* edit, const QString& text);
void SetText(QLineEdit* edit, const std::string& text);
void SetChecked(QAbstractButton* box, bool checked);
void SetItemIndex(RadioGroup* group, int index);

// Runs a Qt call that may fire guarded slots and rethrows what they parked.
void RunNested(const std::function<void()>& qtCall);

} // namespace toolkit
