#pragma once
// The forms keep a fixed pixel layout, and some values (15-digit reals in narrow edits, UIDs in the
// header grid) are wider than the control that shows them. Hovering over such a control shows the
// whole text as a tool tip; controls whose text fits, or that have a tool tip of their own, keep
// the usual behaviour.
#include <QObject>

namespace toolkit {

class CutTextTips : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs one CutTextTips on the application, for every window.
void InstallCutTextTips();

} // namespace toolkit
