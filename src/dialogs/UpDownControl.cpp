#include "dialogs/UpDownControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace ohmora {

namespace {

// How long an arrow is held before it repeats, and how often it then steps.
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 60;

} // namespace

UpDownControl::UpDownControl(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), value_(minimum) {
    resize(16, 17);
    setFocusPolicy(Qt::StrongFocus);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(kRepeatIntervalMs);
        step(pressedHalf_);
    });
}

void UpDownControl::setValue(int value) {
    value = std::clamp(value, minimum_, maximum_);
    if (value != value_) {
        value_ = value;
        update();
    }
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
    const int half = (height() + 1) / 2;
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
    if (hasFocus()) {
        // Keys step it: the focus shows, round both arrows.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void UpDownControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int upperRows = (height() + 1) / 2;
    pressedHalf_ = event->position().y() < upperRows ? 1 : -1;
    update();
    step(pressedHalf_);
    repeat_.start(kRepeatDelayMs);
}

void UpDownControl::mouseReleaseEvent(QMouseEvent*) {
    repeat_.stop();
    pressedHalf_ = 0;
    update();
}

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
