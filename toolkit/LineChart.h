#pragma once
// A line chart on Qt Charts: named line series, a bottom value axis and a left axis that can be
// linear or logarithmic. A logarithmic axis loses a whole line when one of its values is 0 or
// below, so on such an axis the plotted values are raised to a small positive floor; the values
// as given are kept unchanged beside them.
#include <QChartView>
#include <QColor>
#include <QLineSeries>
#include <QPointF>
#include <vector>

namespace toolkit {

class LineChart : public QChartView {
    Q_OBJECT

public:
    static constexpr double kLogFloor = 1e-30;

    explicit LineChart(QWidget* parent = nullptr);

    // A new series with that objectName and colour.
    QLineSeries* AddSeries(const QString& name, const QColor& color);

    // Replaces the series' points.
    void SetPoints(QLineSeries* series, const std::vector<QPointF>& points);
    void Clear(QLineSeries* series) { SetPoints(series, {}); }
    // The points as given, before any floor.
    std::vector<QPointF> Values(const QLineSeries* series) const;

    void SetLeftLogarithmic(bool logarithmic);
    bool LeftLogarithmic() const { return logarithmic_; }
    // A fixed lower end of the left axis (a logarithmic histogram starts at 1); NaN for none.
    void SetLeftMinimum(double minimum);
    void SetLeftLabelFormat(const QString& format);

private:
    struct Line {
        QLineSeries* series;
        std::vector<QPointF> values;
    };
    void AttachLeftAxis();
    void Replot(Line& line);
    void Rescale();

    std::vector<Line> lines_;
    bool logarithmic_ = false;
    double leftMinimum_;
    QString labelFormat_ = "%g";
    QAbstractAxis* left_ = nullptr;
    QAbstractAxis* bottom_ = nullptr;
};

} // namespace toolkit
