#pragma once
// What the spectrum window does to the filter window: runs its new-image operation, brings it up,
// reads its histogram bin count and draws the raw-data histogram into its chart.
#include <QPointF>
#include <QString>
#include <vector>

namespace links {

class FilterLink {
public:
    virtual ~FilterLink() = default;

    // The filter window's new-image operation; its error stops the caller.
    virtual void NewImage() = 0;
    virtual void ShowAndRaise() = 0;
    // The text of the histogram bin-count edit.
    virtual QString HistogramBins() = 0;
    virtual void ShowRawHistogram(const std::vector<QPointF>& points) = 0;
};

} // namespace links
