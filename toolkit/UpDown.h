#pragma once
// An up-down spinner: two arrow buttons stepping a position between a minimum and a maximum by
// an increment, without wrapping. `changing` announces each press with the position before the
// step; `stepped` follows with the position after it (the same at either end).
#include <QWidget>

class QToolButton;

namespace toolkit {

class UpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int minimum READ Minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ Maximum WRITE setMaximum)
    Q_PROPERTY(int increment READ Increment WRITE setIncrement)
    Q_PROPERTY(int position READ Position WRITE setPosition)

public:
    explicit UpDown(QWidget* parent = nullptr);

    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    int Increment() const { return increment_; }
    int Position() const { return position_; }
    void setMinimum(int v) { minimum_ = v; }
    void setMaximum(int v) { maximum_ = v; }
    void setIncrement(int v) { increment_ = v; }
    void setPosition(int v);

    // What a press of the arrow does.
    void Step(bool up);
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    void changing(int oldPosition, bool up);
    void stepped(int position);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int minimum_ = 0;
    int maximum_ = 100;
    int increment_ = 1;
    int position_ = 0;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace toolkit
