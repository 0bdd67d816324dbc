#pragma once
// `UpDown1`, the up-down counter of the recording panel (the duration) and
// of the print options (the number of copies): two arrows, one above the
// other, that step an integer within its range without wrapping. Held down,
// an arrow repeats; with the focus, the Up and Down keys step too.

#include <QTimer>
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
    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

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
    int pressedHalf_ = 0; // +1 the upper arrow, -1 the lower one
    QTimer repeat_;
};

} // namespace ohmora
