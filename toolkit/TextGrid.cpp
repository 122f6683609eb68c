#include "TextGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>
#include <unordered_map>
#include <vector>

#include "Conversions.h"
#include "Errors.h"
#include "NumberText.h"

namespace toolkit {

class TextGridModel : public QAbstractTableModel {
public:
    explicit TextGridModel(QObject* parent) : QAbstractTableModel(parent) { Resize(5, 5); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return QString::fromStdString(Text(index.column(), index.row()));
        if (role == Qt::BackgroundRole && (index.row() == 0 || index.column() == 0))
            return QApplication::palette().button();
        return {};
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::EditRole)
            return false;
        Set(index.column(), index.row(), value.toString().toStdString());
        emit dataChanged(index, index);
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (index.row() == 0 || index.column() == 0)
            return Qt::ItemIsEnabled;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editing_)
            f |= Qt::ItemIsEditable;
        return f;
    }

    bool Inside(int col, int row) const { return col >= 0 && row >= 0 && col < cols_ && row < rows_; }
    std::size_t At(int col, int row) const { return static_cast<std::size_t>(row) * cols_ + col; }

    std::string Text(int col, int row) const
    {
        if (!Inside(col, row))
            return {};
        const std::size_t i = At(col, row);
        switch (kind_[i]) {
        case kNumber:
            return common::FloatToStr(number_[i]);
        case kText:
            return text_.at(i);
        default:
            return {};
        }
    }

    double Value(int col, int row) const
    {
        if (!Inside(col, row))
            common::ThrowNotReal("");
        const std::size_t i = At(col, row);
        switch (kind_[i]) {
        case kNumber:
            return number_[i];
        case kText:
            return common::StrToFloat(text_.at(i));
        default:
            common::ThrowNotReal("");
        }
    }

    void Values(int col, int row, int width, int height, double* out) const
    {
        for (int r = 0; r < height; ++r) {
            if (col < 0 || col + width > cols_ || !Inside(col, row + r)) {
                for (int c = 0; c < width; ++c)
                    out[static_cast<std::size_t>(r) * width + c] = Value(col + c, row + r);
                continue;
            }
            const std::size_t first = At(col, row + r);
            for (int c = 0; c < width; ++c) {
                const std::size_t i = first + c;
                out[static_cast<std::size_t>(r) * width + c] =
                    kind_[i] == kNumber ? number_[i] : Value(col + c, row + r);
            }
        }
    }

    void Set(int col, int row, const std::string& text)
    {
        if (!Inside(col, row))
            return;
        ++revision_;
        const std::size_t i = At(col, row);
        text_.erase(i);
        kind_[i] = kEmpty;
        if (text.empty())
            return;
        try {
            const double v = common::StrToFloat(text);
            if (common::FloatToStr(v) == text) {
                kind_[i] = kNumber;
                number_[i] = v;
                return;
            }
        } catch (const common::ConversionError&) {
        }
        kind_[i] = kText;
        text_[i] = text;
    }

    void SetInt(int col, int row, long long value)
    {
        if (!Inside(col, row))
            return;
        ++revision_;
        // Integers below 10^15 are their own general form, so the number stands for the text.
        if (value > -1000000000000000LL && value < 1000000000000000LL) {
            const std::size_t i = At(col, row);
            text_.erase(i);
            kind_[i] = kNumber;
            number_[i] = static_cast<double>(value);
        } else {
            Set(col, row, std::to_string(value));
        }
    }

    void Swap(int c1, int r1, int c2, int r2)
    {
        const std::string a = Text(c1, r1), b = Text(c2, r2);
        Set(c1, r1, b);
        Set(c2, r2, a);
    }

    void Resize(int cols, int rows)
    {
        std::vector<double> number(static_cast<std::size_t>(cols) * rows, 0.0);
        std::vector<std::uint8_t> kind(number.size(), kEmpty);
        std::unordered_map<std::size_t, std::string> text;
        for (int r = 0; r < std::min(rows, rows_); ++r)
            for (int c = 0; c < std::min(cols, cols_); ++c) {
                const std::size_t from = At(c, r), to = static_cast<std::size_t>(r) * cols + c;
                number[to] = number_[from];
                kind[to] = kind_[from];
                if (kind_[from] == kText)
                    text[to] = text_.at(from);
            }
        beginResetModel();
        ++revision_;
        number_.swap(number);
        kind_.swap(kind);
        text_.swap(text);
        cols_ = cols;
        rows_ = rows;
        endResetModel();
    }

    std::uint64_t Revision() const { return revision_; }
    void SetEditing(bool editing) { editing_ = editing; }
    bool Editing() const { return editing_; }

    // Cells changed from code: one repaint of what is visible, whatever the number of cells.
    void Touch(QWidget* viewport)
    {
        if (repaintPending_)
            return;
        repaintPending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this, viewport] {
                repaintPending_ = false;
                viewport->update();
            },
            Qt::QueuedConnection);
    }

private:
    enum : std::uint8_t { kEmpty, kNumber, kText };
    int cols_ = 0;
    int rows_ = 0;
    std::vector<double> number_;
    std::vector<std::uint8_t> kind_;
    std::unordered_map<std::size_t, std::string> text_;
    bool editing_ = false;
    bool repaintPending_ = false;
    std::uint64_t revision_ = 0;
};

TextGrid::TextGrid(QWidget* parent) : QTableView(parent), model_(new TextGridModel(this))
{
    setModel(model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(40);
    verticalHeader()->setMinimumSectionSize(14);
    verticalHeader()->setDefaultSectionSize(14);
    setWordWrap(false);
    SetEditMode(false);
}

int TextGrid::ColCount() const { return model_->columnCount(); }
int TextGrid::RowCount() const { return model_->rowCount(); }

namespace {
void CheckCount(long long count)
{
    if (count < 1 || count > TextGrid::kMaxCount)
        throw common::InputError(
            common::TrText("toolkit", "The table holds 0 to %1 data columns and rows.").Arg(TextGrid::kMaxCount - 1));
}
} // namespace

void TextGrid::SetColCount(long long count)
{
    CheckCount(count);
    if (count != ColCount())
        model_->Resize(static_cast<int>(count), RowCount());
}

void TextGrid::SetRowCount(long long count)
{
    CheckCount(count);
    if (count != RowCount())
        model_->Resize(ColCount(), static_cast<int>(count));
}

QString TextGrid::Cell(int col, int row) const { return QString::fromStdString(model_->Text(col, row)); }
std::string TextGrid::CellText(int col, int row) const { return model_->Text(col, row); }

void TextGrid::SetCell(int col, int row, const QString& text)
{
    model_->Set(col, row, text.toStdString());
    model_->Touch(viewport());
}

void TextGrid::SetCellInt(int col, int row, long long value)
{
    model_->SetInt(col, row, value);
    model_->Touch(viewport());
}

void TextGrid::SwapCells(int col1, int row1, int col2, int row2)
{
    model_->Swap(col1, row1, col2, row2);
    model_->Touch(viewport());
}

double TextGrid::CellValue(int col, int row) const { return model_->Value(col, row); }

void TextGrid::ReadValues(int col, int row, int width, int height, double* out) const
{
    model_->Values(col, row, width, height, out);
}

std::uint64_t TextGrid::Revision() const { return model_->Revision(); }

void TextGrid::SelectRange(int left, int top, int right, int bottom)
{
    const QItemSelection range(model_->index(top, left), model_->index(bottom, right));
    selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
}

QRect TextGrid::SelectedRange() const
{
    const QItemSelection s = selectionModel()->selection();
    if (s.isEmpty())
        return {};
    return QRect(QPoint(s.first().left(), s.first().top()), QPoint(s.first().right(), s.first().bottom()));
}

void TextGrid::SetEditMode(bool editing)
{
    model_->SetEditing(editing);
    if (editing) {
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setTabKeyNavigation(true);
    } else {
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setSelectionMode(QAbstractItemView::ContiguousSelection);
        setTabKeyNavigation(false);
    }
}

bool TextGrid::EditMode() const { return model_->Editing(); }

void TextGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && (model_->flags(index) & Qt::ItemIsSelectable))
        emit selectCell(index.column(), index.row());
    QTableView::mousePressEvent(event);
}

QModelIndex TextGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && next != currentIndex())
        emit selectCell(next.column(), next.row());
    return next;
}

} // namespace toolkit
