#pragma once
// Up-down (spin) buttons bound to a buddy text field: the upper arrow adds Increment, the lower one
// takes it away, the value stops at Min and Max (no wrap-around) and the buddy always shows it.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace lumetra::platform {

class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void setBuddy(QLineEdit* buddy);
    void setRange(int min, int max);
    void setIncrement(int increment) { increment_ = increment; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    void setValue(int value);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void valueChanged(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int direction);

    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* buddy_ = nullptr;
    int min_ = 0;
    int max_ = 10;
    int value_ = 0;
    int increment_ = 1;
};

} // namespace lumetra::platform
