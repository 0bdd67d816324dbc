#pragma once
// `UpDown1`: a pair of arrow buttons stepping an integer within a range,
// without wrapping. The upper arrow increases the value; with the focus,
// the Up and Down keys do the same.

#include <QWidget>

#include <functional>

namespace ohmora {

class UpDownControl : public QWidget {
public:
    UpDownControl(int minimum, int maximum, QWidget* parent = nullptr);

    int value() const { return value_; }
    // Sets the value without reporting it.
    void setValue(int value);

    // Steps as a click on an arrow does; reports a change of value.
    void stepUp();
    void stepDown();

    std::function<void(int)> onChange; // `UpDown1_Change`

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void step(int delta);

    int minimum_;
    int maximum_;
    int value_;
    int pressedHalf_ = 0; // 1 upper arrow, -1 lower arrow
};

} // namespace ohmora
