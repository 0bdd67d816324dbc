#pragma once
// `UpDown1` of the print options: two arrow buttons, one above the other,
// that step the number of copies within its range without wrapping; held
// down, an arrow repeats. With the focus, the Up and Down keys step too.

#include <QWidget>

#include <functional>

class QToolButton;

namespace ohmora {

class CopyCountArrows : public QWidget {
public:
    CopyCountArrows(int minimum, int maximum, QWidget* parent = nullptr);

    int value() const { return value_; }
    // Steps as a click on an arrow does; reports a change of value.
    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

    std::function<void(int)> onChange; // `UpDown1_Change`

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void step(int delta);

    int minimum_;
    int maximum_;
    int value_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace ohmora
