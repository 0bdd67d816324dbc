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

    check3_ = new QCheckBox(QStringLiteral("Déclencher lorsque l'interrupteur passe en position 2"),
                            this);
    check3_->setObjectName(QStringLiteral("Check3"));
    check3_->setGeometry(16, 34, 353, 17);
    check3_->setPalette(pal);

    labelg_ = new QLabel(this);
    labelg_->setObjectName(QStringLiteral("Labelg"));
    labelg_->setGeometry(0, 8, 57, 17);
    labelg_->setAlignment(Qt::AlignCenter);
    labelg_->setAutoFillBackground(true);
    QPalette white = labelg_->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    labelg_->setPalette(white);

    upDown_ = new UpDownControl(kUpDownMin, kUpDownMax, this);
    upDown_->setObjectName(QStringLiteral("UpDown1"));
    upDown_->move(0, 8);

    grid_ = new ValueGrid(this);
    grid_->move(0, kGridTop);
}

void RecordingPanel::refresh(int montage) {
    montage_ = montage;
    check3_->setVisible(montage != 2);
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
    labelg_->move(toPixel(a.currentX()), labelg_->y());
    upDown_->move(labelg_->x() + labelg_->width(), upDown_->y());
    update();
}

void RecordingPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    refresh(montage_);
}

} // namespace ohmora
