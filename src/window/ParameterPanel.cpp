#include "window/ParameterPanel.h"

#include "window/Appearance.h"

#include <QPaintEvent>
#include <QPainter>

namespace ohmora {

std::vector<ParameterPlace> parameterPlaces(int montage) {
    static const char* const ohm = " \u03A9";
    switch (montage) {
    case 0:
        // Tops follow 30 × index + 52.
        return {
            {0, 170, 52, "Générateur :", "U = ", nullptr, " V"},
            {1, 170, 82, "Conducteur ohmique 1 :", "R", "1", ohm},
            {2, 170, 112, "Condensateur :", "C = ", nullptr, " µF"},
            {3, 170, 142, "Conducteur ohmique 2 :", "R", "2", ohm},
        };
    case 1:
        return {
            {4, 170, 45, "Générateur :", "U = ", nullptr, " V"},
            {5, 170, 66, "Conducteur ohmique 1 :", "R", "1", ohm},
            {6, 170, 87, "Condensateur :", "C = ", nullptr, " µF"},
            {7, 170, 108, "Conducteur ohmique 2 :", "R", "2", ohm},
            {8, 170, 129, "Bobine :", "L = ", nullptr, " mH"},
            {9, 300, 129, nullptr, "r = ", nullptr, ohm},
        };
    case 2:
        return {
            {10, 170, 60, "Générateur :", "U = ", nullptr, " V"},
            {11, 170, 95, "Bobine :", "L = ", nullptr, " mH"},
            {12, 300, 95, nullptr, "r = ", nullptr, ohm},
            {13, 170, 130, "Conducteur ohmique :", "R = ", nullptr, ohm},
        };
    default:
        return {};
    }
}

ParameterPanel::ParameterPanel(QWidget* parent) : DrawnPanel(kPanelColour, parent) {
    setObjectName(QStringLiteral("Picture3"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    montageList_ = new QComboBox(this);
    montageList_->setObjectName(QStringLiteral("Combo1"));
    montageList_->setGeometry(12, 20, 385, 22);
    sustainedOption_ = new QCheckBox(QStringLiteral("Entretien des oscillations"), this);
    sustainedOption_->setObjectName(QStringLiteral("CheckRn"));
    sustainedOption_->setGeometry(16, 152, 297, 17);
    for (int i = 0; i < 14; ++i) {
        auto* box = new ParameterBox(i, this);
        box->setGeometry(0, 0, kBoxWidth, kBoxHeight);
        QPalette boxPalette = box->palette();
        boxPalette.setColor(QPalette::Base, Qt::white);
        boxPalette.setColor(QPalette::Text, Qt::black);
        box->setPalette(boxPalette);
        box->hide();
        boxes_[size_t(i)] = box;
    }
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPanelColour);
    setPalette(pal);
    sustainedOption_->setPalette(pal);
}

void ParameterPanel::refresh(int montage) {
    montage_ = montage;
    for (ParameterBox* box : boxes_) {
        box->hide();
        box->resize(kBoxWidth, kBoxHeight);
    }
    sustainedOption_->setVisible(montage == 1);
    for (const ParameterPlace& place : parameterPlaces(montage)) {
        ParameterBox* box = boxes_[size_t(place.box)];
        box->move(place.left, place.top);
        box->show();
    }
    draw();
}

void ParameterPanel::draw() {
    if (width() <= 0 || height() <= 0) {
        return;
    }
    PictureArea& a = area();
    a.cls();
    a.setFont(QStringLiteral("Arial"), 8, true, false);
    a.setForeColor(Qt::black);
    a.setCurrentPosition(montageList_->x(), montageList_->y() - 16);
    a.print(QStringLiteral("Montage utilisé :"));

    const std::vector<ParameterPlace> places = parameterPlaces(montage_);
    a.setFontBold(false);
    for (const ParameterPlace& place : places) {
        if (place.name) {
            a.setCurrentPosition(14, place.top + 3);
            a.print(QString::fromUtf8(place.name));
        }
    }
    for (const ParameterPlace& place : places) {
        const QString symbol = QString::fromUtf8(place.symbol);
        const QString subscript = place.subscript ? QString::fromUtf8(place.subscript) : QString();
        a.setFontItalic(true);
        // The measured text ends with a blank and the drawn one does not, so
        // " =" stops one blank short of the box.
        const QString measured = subscript.isEmpty() ? symbol : symbol + subscript + " = ";
        a.setCurrentPosition(place.left - a.textWidth(measured), place.top + 3);
        a.print(symbol);
        if (!subscript.isEmpty()) {
            a.setFontItalic(false);
            a.setCurrentY(a.currentY() + 4);
            a.print(subscript);
            a.setCurrentY(a.currentY() - 4);
            a.print(QStringLiteral(" ="));
        }
        a.setFontItalic(false);
        a.setCurrentX(place.left + kBoxWidth);
        a.print(QString::fromUtf8(place.unit));
    }
    update();
}

void ParameterPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    draw();
}

} // namespace ohmora
