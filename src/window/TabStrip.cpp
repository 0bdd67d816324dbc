#include "window/TabStrip.h"

#include "window/Appearance.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace ohmora {

namespace {

int roundHalfEven(double v) {
    return int(std::nearbyint(v));
}

} // namespace

const std::array<QString, 3>& TabStrip::nomsOnglets() {
    static const std::array<QString, 3> names = {
        QStringLiteral("Montage"), QStringLiteral("Graphe"), QStringLiteral("Enregistrement")};
    return names;
}

TabStrip::TabStrip(QWidget* parent)
    : QWidget(parent), area_(std::make_unique<PictureArea>(kWidth, kHeight, kStripColour)) {
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Screen readers see the three tabs, each selected as a click does.
    accessibleRole = QAccessible::PageTabList;
    accessibleParts = [this] {
        std::vector<AccessiblePart> tabs;
        for (int i = 1; i <= 3; ++i) {
            tabs.push_back(
                {nomsOnglets()[size_t(i - 1)], QStringLiteral("Onglet %1 sur 3").arg(i),
                 QRect(QPoint(bordsOnglets_[i - 1] + 1, 0), QPoint(bordsOnglets_[i] - 1, h_ + 1)),
                 QAccessible::PageTab, i == ongletActif_, [this, i] { select(i); }});
        }
        return tabs;
    };
}

void TabStrip::setPanels(QWidget* montage, QWidget* quantities, QWidget* recording) {
    panels_ = {montage, quantities, recording};
}

int TabStrip::captionWidth(int tab) {
    area_->setFontBold(tab == ongletActif_);
    const int w = area_->textWidth(nomsOnglets()[tab - 1]);
    area_->setFontBold(false);
    return w;
}

QRect TabStrip::panelRect() const {
    const int sw = kWidth, sh = kHeight;
    return QRect(4, h_ + 5, sw - 4 - 4, sh - 4 - (h_ + 5));
}

void TabStrip::paintStrip() {
    if (area_->scale() != devicePixelRatioF()) {
        area_ = std::make_unique<PictureArea>(kWidth, kHeight, kStripColour, devicePixelRatioF());
    }
    PictureArea& a = *area_;
    const int sw = kWidth, sh = kHeight;
    const QColor white = Qt::white;
    if (ongletActif_ == 0) {
        ongletActif_ = 1;
    }
    a.cls();
    a.setFont(QStringLiteral("Arial"), 8, false, false);
    a.setForeColor(Qt::black);
    h_ = a.textHeight(QStringLiteral("W"));

    int total = 0;
    for (int i = 1; i <= 3; ++i) {
        total = roundHalfEven(total + captionWidth(i));
    }
    gap_ = (sw - total) / 6.0;
    bordsOnglets_ = {};
    bordsOnglets_[0] = -1;
    for (int i = 1; i <= 2; ++i) {
        bordsOnglets_[i] = roundHalfEven(bordsOnglets_[i - 1] + captionWidth(i) + 2 * gap_);
    }
    bordsOnglets_[3] = sw;

    a.box(0, 0, sw - 1, sh - 1, kDarkGrey);
    a.line(0, 0, 0, sh - 1, white);
    for (int i = 0; i <= 3; ++i) {
        const int e = bordsOnglets_[i];
        a.line(e - 1, 1, e - 1, h_ + 1, kDarkGrey);
        a.line(e, 0, e, h_, white);
    }
    for (int i = 0; i <= 2; ++i) {
        a.line(bordsOnglets_[i] + 1, 0, bordsOnglets_[i + 1] - 1, 0, white);
    }
    const int t = ongletActif_;
    a.line(0, h_ + 1, bordsOnglets_[t - 1] + 2, h_ + 1, white);
    a.line(bordsOnglets_[t], h_ + 1, sw, h_ + 1, white);

    for (int i = 1; i <= 3; ++i) {
        const bool selected = i == t;
        a.setFontBold(selected);
        a.setCurrentPosition(bordsOnglets_[i - 1] + gap_, selected ? 2 : 1);
        a.print(nomsOnglets()[i - 1]);
    }
    a.setFontBold(false);

    for (int i = 0; i < 3; ++i) {
        if (QWidget* panel = panels_[i]) {
            if (i == t - 1) {
                panel->setGeometry(panelRect());
                panel->show();
            } else {
                panel->hide();
            }
        }
    }

    a.box(1, h_ + 2, sw - 2, sh - 2, kStripColour);
    a.box(2, h_ + 3, sw - 3, sh - 3, kStripColour);
    a.box(3, h_ + 4, sw - 4, sh - 4, kDarkGrey);
    a.box(4, h_ + 5, sw - 4, sh - 4, white);
    ++paintCount_;
    update();
}

void TabStrip::release(int x, int y) {
    if (y < 0 || y > 15) {
        return;
    }
    int chosen = 0;
    for (int i = 1; i <= 5; ++i) {
        if (bordsOnglets_[i - 1] < x && x <= bordsOnglets_[i]) {
            chosen = i;
            break;
        }
    }
    // A release beyond the last tab (possible when the button was pressed on
    // the strip and released outside it) chooses nothing.
    if (chosen != 0 && chosen <= 3) {
        select(chosen);
    }
}

void TabStrip::select(int tab) {
    if (tab >= 1 && tab <= 3 && tab != ongletActif_) {
        ongletActif_ = tab;
        paintStrip();
    }
}

void TabStrip::keyPressEvent(QKeyEvent* event) {
    const int current = ongletActif_ == 0 ? 1 : ongletActif_;
    switch (event->key()) {
    case Qt::Key_Left:
        select(current - 1);
        break;
    case Qt::Key_Right:
        select(current + 1);
        break;
    case Qt::Key_Home:
        select(1);
        break;
    case Qt::Key_End:
        select(3);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TabStrip::paintEvent(QPaintEvent* event) {
    if (area_->scale() != devicePixelRatioF()) {
        paintStrip();
    }
    QPainter painter(this);
    if (area_->scale() == 1) {
        painter.drawImage(event->rect(), area_->image(), event->rect());
    } else {
        QImage image = area_->image();
        image.setDevicePixelRatio(area_->scale());
        painter.drawImage(QPointF(0, 0), image);
    }
    if (hasFocus() && ongletActif_ >= 1) {
        // Round the selected tab's caption.
        const int t = ongletActif_;
        paintFocusFrame(painter, QRect(QPoint(bordsOnglets_[t - 1] + 1, 0),
                                       QPoint(bordsOnglets_[t] - 2, h_ + 1)));
    }
}

void TabStrip::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    release(p.x(), p.y());
}

} // namespace ohmora
