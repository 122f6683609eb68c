#pragma once
// Column widths that follow the texts a grid holds.
#include <span>

class QTableView;

namespace toolkit {

// Widens each of the first leastWidths.size() columns to its widest text (of the rows the view
// samples, the title row among them), never below the width given for it and never past `most`
// pixels, so one very long value does not push the other columns out of sight.
void FitColumnsToTexts(QTableView& grid, std::span<const int> leastWidths, int most);

} // namespace toolkit
