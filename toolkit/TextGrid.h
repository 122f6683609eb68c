#pragma once
// A text grid on Qt's model/view: cells addressed (column, row), the first column and row fixed
// (header cells). The cells live in flat arrays, not in widgets: a number whose text is its own
// general form is stored as the number and shown as that text, any other text is stored as text.
// So the grid holds 1025 x 1025 cells in about 10 MB, fills them without formatting, and gives
// the computations each cell's value without converting text, while what the user sees, edits
// and copies is still exactly the cell's text.
#include <QTableView>
#include <cstdint>
#include <string>

namespace toolkit {

class TextGridModel;

class TextGrid : public QTableView {
    Q_OBJECT

public:
    static constexpr int kMaxCount = 1025;  // columns and rows, fixed ones included

    explicit TextGrid(QWidget* parent = nullptr);

    int ColCount() const;
    int RowCount() const;
    // Keep the cells that stay inside; new cells are empty. Counts outside 1 .. 1025 are refused
    // with a clear message, the grid unchanged.
    void SetColCount(long long count);
    void SetRowCount(long long count);

    // A cell outside the grid reads as empty; a write outside it is skipped.
    QString Cell(int col, int row) const;
    std::string CellText(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    void SetCellInt(int col, int row, long long value);
    void SwapCells(int col1, int row1, int col2, int row2);
    // The real value of the cell's text; a cell that is empty or not a number raises the
    // conversion error with its text.
    double CellValue(int col, int row) const;
    // The values of a block of cells, row by row into out[r * width + c], raising the conversion
    // error at the first cell (in that order) that has none.
    void ReadValues(int col, int row, int width, int height, double* out) const;
    // A number that changes whenever a cell or the size changes (from code or by an edit), so
    // that values read earlier can be known to be still those of the cells.
    std::uint64_t Revision() const;

    // The visible selection: the rectangle of cells, inclusive.
    void SelectRange(int left, int top, int right, int bottom);
    QRect SelectedRange() const;

    // Edit mode: cells can be edited and Tab moves between them; otherwise read-only with range
    // selection.
    void SetEditMode(bool editing);
    bool EditMode() const;

signals:
    // A cell is about to become the selected one (by mouse or keyboard).
    void selectCell(int col, int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    TextGridModel* model_;
};

} // namespace toolkit
