#include "window/QuantityPanel.h"

#include "window/Appearance.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ohmora {

namespace {

constexpr int kCheckLeft = 24;
constexpr int kSwatchLeft = 328;
// Design tops of boxes 0..6.
constexpr std::array<int, kQuantityCount> kDesignTop = {36, 56, 76, 96, 16, 116, 136};

} // namespace

Swatch::Swatch(int index, QWidget* parent) : QWidget(parent), index_(index) {
    setObjectName(QStringLiteral("Labelcol_%1").arg(index));
    setFixedSize(17, 17);
    // Tab reaches it; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

void Swatch::setColour(const QColor& colour) {
    if (colour != colour_) {
        colour_ = colour;
        update();
    }
}

void Swatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        paintFocusFrame(painter, rect());
    }
}

void Swatch::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && onClick) {
        event->accept();
        onClick(index_);
        return;
    }
    QWidget::keyPressEvent(event);
}

void Swatch::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void Swatch::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && onClick) {
        onClick(index_);
    }
}

QuantityPanel::QuantityPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frame2"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPanelColour);
    setPalette(pal);
    for (int k = 0; k < kQuantityCount; ++k) {
        auto* check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("Check4_%1").arg(k));
        check->setGeometry(kCheckLeft, kDesignTop[size_t(k)], 289, 17);
        check->setPalette(pal);
        checks_[size_t(k)] = check;
        auto* swatch = new Swatch(k, this);
        swatch->move(kSwatchLeft, kDesignTop[size_t(k)]);
        swatches_[size_t(k)] = swatch;
    }
    checks_[5]->setText(QStringLiteral("Énergie emmagasinée dans le condensateur"));
    checks_[6]->setText(QStringLiteral("Énergie emmagasinée dans la bobine"));
}

void QuantityPanel::refresh(int montage) {
    if (montage < 0 || montage > 2) {
        return; // any other montage changes nothing
    }
    for (int k = 0; k < kQuantityCount; ++k) {
        QCheckBox* check = checks_[size_t(k)];
        const std::string_view caption = quantityCaption(montage, k);
        if (!caption.empty()) {
            check->setText(QString::fromUtf8(caption.data(), qsizetype(caption.size())));
        }
        check->setVisible(!caption.empty());
    }
    // The energy boxes move up under the last voltage the montage shows.
    if (montage == 0) {
        checks_[5]->move(kCheckLeft, 96);
    } else if (montage == 1) {
        checks_[5]->move(kCheckLeft, 116);
        checks_[6]->move(kCheckLeft, 136);
    } else {
        checks_[6]->move(kCheckLeft, 76);
    }
    for (int k = 0; k < kQuantityCount; ++k) {
        const QCheckBox* check = checks_[size_t(k)];
        Swatch* swatch = swatches_[size_t(k)];
        swatch->setVisible(!check->isHidden());
        swatch->move(swatch->x(), check->y());
    }
}

} // namespace ohmora
