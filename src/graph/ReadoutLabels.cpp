#include "graph/ReadoutLabels.h"

#include "picture/PictureArea.h"

#include <QFontMetrics>
#include <QPainter>

namespace ohmora {

namespace {

constexpr int kTimeLabelTop = 227;   // just below the plotting area
constexpr int kValueLabelRight = 58; // just left of the vertical axis

} // namespace

QFont readoutFont() {
    return pictureFont(QStringLiteral("Arial"), 8.25);
}

QSize readoutLabelSize(const QString& text) {
    const QFontMetrics m(readoutFont());
    return QSize(m.horizontalAdvance(text) + 2 * kReadoutMarginX, m.height() + 2 * kReadoutMarginY);
}

ReadoutLabels readoutLabels(const Readout& readout, int x, int y) {
    ReadoutLabels out;
    if (!readout.visible)
        return out;
    out.visible = true;

    ReadoutLabel& time = out.labels[0];
    time.text = QString::fromStdString(readout.timeText);
    const QSize timeSize = readoutLabelSize(time.text);
    time.rect = QRect(QPoint(toPixel(x - timeSize.width() / 2.0), kTimeLabelTop), timeSize);

    ReadoutLabel& value = out.labels[1];
    value.text = QString::fromStdString(readout.valueText);
    const QSize valueSize = readoutLabelSize(value.text);
    value.rect =
        QRect(QPoint(kValueLabelRight - valueSize.width(), toPixel(y - valueSize.height() / 2.0)),
              valueSize);
    return out;
}

void paintReadoutLabel(QPainter& painter, const ReadoutLabel& label) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(label.rect, kReadoutBackground);
    const QFont font = readoutFont();
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(label.rect.left() + kReadoutMarginX,
                     label.rect.top() + kReadoutMarginY + QFontMetrics(font).ascent(), label.text);
    painter.restore();
}

void paintReadoutLabels(PictureArea& area, const ReadoutLabels& labels) {
    if (!labels.visible) {
        return;
    }
    area.setFont(QStringLiteral("Arial"), 8.25, false, false);
    area.setForeColor(Qt::black);
    for (const ReadoutLabel& label : labels.labels) {
        const QRect& r = label.rect;
        area.filledBox(r.left(), r.top(), r.right(), r.bottom(), kReadoutBackground);
        area.setCurrentPosition(r.left() + kReadoutMarginX, r.top() + kReadoutMarginY);
        area.print(label.text);
    }
}

} // namespace ohmora
