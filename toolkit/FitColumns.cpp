#include "FitColumns.h"

#include <QTableView>
#include <algorithm>

namespace toolkit {

void FitColumnsToTexts(QTableView& grid, std::span<const int> leastWidths, int most)
{
    for (int c = 0; c < static_cast<int>(leastWidths.size()); ++c) {
        // The view measures the first rows only (its header's resize precision), so a listing
        // of a million elements costs no more than one of a thousand.
        const int wanted = static_cast<const QAbstractItemView&>(grid).sizeHintForColumn(c);
        const int least = leastWidths[static_cast<std::size_t>(c)];
        grid.setColumnWidth(c, std::clamp(wanted, least, std::max(most, least)));
    }
}

} // namespace toolkit
