#include "window/PictureViews.h"

#include "window/Appearance.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace ohmora {

PictureView::PictureView(std::function<QImage()> image, QWidget* parent)
    : QWidget(parent), image_(std::move(image)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PictureView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    const QImage image = image_();
    if (image.size() == size()) {
        painter.drawImage(event->rect(), image, event->rect());
    } else {
        // A picture drawn at the screen's resolution: its device pixels
        // fall on the screen's.
        painter.drawImage(QRectF(rect()), image);
    }
    if (hasFocus()) {
        if (paintFocused) {
            paintFocused(painter);
        }
        paintFocusFrame(painter, rect());
    }
}

void PictureView::keyPressEvent(QKeyEvent* event) {
    if (onKey && onKey(*event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (onFocus) {
        onFocus(true);
    }
    update();
}

void PictureView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (onFocus) {
        onFocus(false);
    }
    update();
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (onMouseMove) {
        onMouseMove(p.x(), p.y());
    }
    if (pressed_ && onDrag && (event->buttons() & Qt::LeftButton)) {
        onDrag(p.x(), p.y());
    }
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    // A pointer that reached the spot without a move event of its own (a
    // warped or scripted pointer) still gets its hit test before the click.
    pressed_ = false;
    mouseMoveEvent(event);
    pressed_ = event->button() == Qt::LeftButton;
    if (pressed_ && onPress) {
        const QPoint p = event->position().toPoint();
        onPress(p.x(), p.y());
    }
}

void PictureView::contextMenuEvent(QContextMenuEvent* event) {
    if (!onContextMenu) {
        event->ignore();
        return;
    }
    if (event->reason() == QContextMenuEvent::Mouse) {
        onContextMenu(event->pos(), event->globalPos());
    } else {
        onContextMenu(std::nullopt, mapToGlobal(rect().center()));
    }
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && onClick) {
        onClick();
    }
}

ReadoutLabelWidget::ReadoutLabelWidget(QWidget* parent) : QLabel(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(readoutFont());
    hide();
}

void ReadoutLabelWidget::place(const ReadoutLabel& label) {
    setText(label.text);
    setGeometry(label.rect);
}

void ReadoutLabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintReadoutLabel(painter, ReadoutLabel{text(), rect()});
}

} // namespace ohmora
