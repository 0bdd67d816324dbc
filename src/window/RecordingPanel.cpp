#include "window/RecordingPanel.h"

#include "core/Circuit.h"
#include "window/Appearance.h"

#include <QPaintEvent>
#include <QPainter>

namespace ohmora {

RecordingPanel::RecordingPanel(QWidget* parent) : DrawnPanel(kPanelColour, parent) {
    setObjectName(QStringLiteral("Picture1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPanelColour);
    setPalette(pal);

    triggerOption_ = new QCheckBox(
        QStringLiteral("Déclencher lorsque l'interrupteur passe en position 2"), this);
    triggerOption_->setObjectName(QStringLiteral("Check3"));
    triggerOption_->setGeometry(16, 34, 353, 17);
    triggerOption_->setPalette(pal);

    durationLabel_ = new QLabel(this);
    durationLabel_->setObjectName(QStringLiteral("Labelg"));
    durationLabel_->setGeometry(0, 8, 57, 17);
    durationLabel_->setAlignment(Qt::AlignCenter);
    durationLabel_->setAutoFillBackground(true);
    QPalette white = durationLabel_->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    durationLabel_->setPalette(white);

    durationCounter_ = new UpDownControl(kUpDownMin, kUpDownMax, this);
    durationCounter_->setFixedSize(16, 17);
    durationCounter_->setObjectName(QStringLiteral("UpDown1"));
    durationCounter_->move(0, 8);

    grid_ = new ValueGrid(this);
    grid_->move(0, kGridTop);
}

void RecordingPanel::refresh(int montage) {
    montage_ = montage;
    triggerOption_->setVisible(montage != 2);
    grid_->setBeyondColour(kPanelColour);
    grid_->setGeometry((width() - ValueGrid::kWidth) / 2, kGridTop, ValueGrid::kWidth,
                       std::max(0, height() - kGridTop));
    if (width() <= 0 || height() <= 0) {
        return;
    }
    PictureArea& a = area();
    a.cls();
    a.setFont(QStringLiteral("Arial"), 8, false, false);
    a.setForeColor(Qt::black);
    a.setCurrentPosition(16, 10);
    a.print(QStringLiteral("Durée de l'enregistrement "));
    durationLabel_->move(toPixel(a.currentX()), durationLabel_->y());
    durationCounter_->move(durationLabel_->x() + durationLabel_->width(), durationCounter_->y());
    update();
}

void RecordingPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    refresh(montage_);
}

} // namespace ohmora
