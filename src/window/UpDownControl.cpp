#include "window/UpDownControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace ohmora {

UpDownControl::UpDownControl(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), value_(minimum) {
    setFixedSize(16, 17);
    setFocusPolicy(Qt::StrongFocus);
}

void UpDownControl::setValue(int value) {
    value = std::clamp(value, minimum_, maximum_);
    if (value != value_) {
        value_ = value;
        update();
    }
}

void UpDownControl::stepUp() {
    step(+1);
}

void UpDownControl::stepDown() {
    step(-1);
}

void UpDownControl::step(int delta) {
    const int next = std::clamp(value_ + delta, minimum_, maximum_);
    if (next == value_) {
        return;
    }
    value_ = next;
    update();
    if (onChange) {
        onChange(value_);
    }
}

void UpDownControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int half = height() / 2;
    const QRect upper(0, 0, width(), half);
    const QRect lower(0, half, width(), height() - half);
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = i == 0 ? upper : lower;
        const bool sunken = pressedHalf_ == (i == 0 ? 1 : -1);
        button.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = button.rect.adjusted(3, 1, -3, -1);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &arrow, &painter, this);
    }
}

void UpDownControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int half = height() / 2; // the upper arrow's rows
    pressedHalf_ = event->position().y() < half ? 1 : -1;
    update();
    step(pressedHalf_);
}

void UpDownControl::mouseReleaseEvent(QMouseEvent*) {
    pressedHalf_ = 0;
    update();
}

} // namespace ohmora

namespace ohmora {

void UpDownControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        stepUp();
    } else if (event->key() == Qt::Key_Down) {
        stepDown();
    } else {
        QWidget::keyPressEvent(event);
    }
}

} // namespace ohmora
