#include "output/CopyCountArrows.h"

#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

namespace ohmora {

namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

CopyCountArrows::CopyCountArrows(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), value_(minimum),
      up_(arrowButton(Qt::UpArrow, this)), down_(arrowButton(Qt::DownArrow, this)) {
    setFocusPolicy(Qt::TabFocus);
    connect(up_, &QToolButton::clicked, this, [this] { stepUp(); });
    connect(down_, &QToolButton::clicked, this, [this] { stepDown(); });
}

void CopyCountArrows::step(int delta) {
    const int next = std::clamp(value_ + delta, minimum_, maximum_);
    if (next == value_) {
        return;
    }
    value_ = next;
    if (onChange) {
        onChange(value_);
    }
}

void CopyCountArrows::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = (height() + 1) / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void CopyCountArrows::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        stepUp();
    } else if (event->key() == Qt::Key_Down) {
        stepDown();
    } else {
        QWidget::keyPressEvent(event);
    }
}

} // namespace ohmora
