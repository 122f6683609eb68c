#pragma once
// What the viewer does to the analysis windows when it hands a ROI over or brings them up: fills
// the spectrum window's table, tells it the table is new, names the file in the filter window and
// resets its hand-over count, and shows either window.
#include <QString>

namespace toolkit {
class TextGrid;
}

namespace links {

class HandOffTarget {
public:
    virtual ~HandOffTarget() = default;

    // The spectrum window's table, to be filled by the viewer.
    virtual toolkit::TextGrid& Table() = 0;
    virtual void TableReplaced() = 0;
    // The filter window's file-name and hand-over-count edits (their handlers run as for any
    // text set from code).
    virtual void SetFilterFileName(const QString& name) = 0;
    virtual void ResetFilterCount() = 0;
    // The spectrum window runs its activation sequence once, when it next becomes active.
    virtual void ExpectSpectrumActivation() = 0;
    virtual void ShowSpectrumWindow() = 0;
    virtual void ShowFilterWindow() = 0;
};

} // namespace links
