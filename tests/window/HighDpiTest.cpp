// The window on a screen of 1,5 or 2 device pixels to a pixel (a projector's
// zoom, a high-density screen): run by window.high_dpi_1_5 and
// window.high_dpi_2 under OHMORA_TEST_SCALE_FACTOR. Every picture drawn anew at the
// screen's resolution, the layout of scale 1, and the hit zones where the
// eye sees them.

#include "WindowFixture.h"
#include "graph/TableHeader.h"
#include "window/Appearance.h"
#include "window/ParameterPanel.h"
#include "window/RecordingPanel.h"
#include "window/ValueGrid.h"

#include <QLabel>
#include <QMouseEvent>

#include <cmath>

namespace ohmora {
namespace {

class HighDpi : public WindowFixture {
protected:
    void SetUp() override {
        if (qApp->devicePixelRatio() == 1) {
            GTEST_SKIP() << "run under OHMORA_TEST_SCALE_FACTOR by window.high_dpi_1_5 and _2";
        }
        WindowFixture::SetUp();
    }
    double scale() const { return window->devicePixelRatioF(); }
    // A move of the pointer to `at` in the widget's pixels, as the platform
    // delivers it once it has turned the screen's device pixels into them
    // (QTest's round trip through device pixels loses moves at 2 and
    // rounds at 1,5).
    static void move(QWidget* widget, QPoint at) {
        QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    QSize device(QSize size) const {
        return {int(std::ceil(size.width() * scale())), int(std::ceil(size.height() * scale()))};
    }
};

TEST_F(HighDpi, EveryPictureIsDrawnAtTheScreensResolution) {
    showWindow();
    const double s = scale();
    // The layout is the one of scale 1, in the pictures' pixels.
    EXPECT_EQ(child("graphik")->geometry(), QRect(264, 48, 529, 249));
    EXPECT_EQ(window->session().pictures().graph().size(), device(QSize(529, 249)));
    EXPECT_EQ(window->session().pictures().schematic().size(), device(child("schema")->size()));
    EXPECT_EQ(window->tabStrip()->image().size(),
              device(QSize(TabStrip::kWidth, TabStrip::kHeight)));
    EXPECT_EQ(window->parameterPanel()->drawing().size(), device(window->parameterPanel()->size()));
    selectTab(3);
    EXPECT_EQ(window->recordingPanel()->drawing().size(), device(window->recordingPanel()->size()));
    const QImage header = window->valueGrid()->headerPicture(1);
    EXPECT_EQ(header.size(), device(QSize(kHeaderCellWidth, kHeaderCellHeight)));
    EXPECT_EQ(header.devicePixelRatio(), s);

    if (s != std::floor(s)) {
        return;
    }
    const int k = int(s);
    // What the schematic's view shows is that drawing itself.
    EXPECT_EQ(child("schema")->grab().toImage().convertToFormat(QImage::Format_RGB32),
              window->session().pictures().schematic());
    // The frame of the panels (dark grey from x = 3, white from x = 4):
    // whole device columns, not the blur of an enlarged picture.
    const QImage strip = window->tabStrip()->image();
    const int y = (window->tabStrip()->tabRowHeight() + 60) * k;
    for (int x = 3 * k; x < 4 * k; ++x) {
        EXPECT_EQ(QColor(strip.pixel(x, y)), kDarkGrey) << "column " << x;
    }
    EXPECT_EQ(QColor(strip.pixel(4 * k, y)), Qt::white);
    EXPECT_NE(QColor(strip.pixel(3 * k - 1, y)), kDarkGrey);
}

TEST_F(HighDpi, HitZonesAreWhereThePicturesShowThem) {
    showWindow();
    // The readout reads the graph's scale under the pointer, as at scale 1.
    move(child("graphik"), QPoint(260, 125));
    EXPECT_EQ(child<QLabel>("Labeli_0")->text(), " 50 ms ");
    EXPECT_EQ(child<QLabel>("Labeli_1")->text(), " 3,0 V ");
    // Contact 1 of K where the schematic draws it.
    QWidget* schema = child("schema");
    move(schema, QPoint(105, 20));
    EXPECT_EQ(schema->toolTip(), "Basculer K en position 1");
    QTest::mouseClick(schema, Qt::LeftButton, {}, QPoint(105, 20));
    EXPECT_EQ(state().run.position, 1);
    // The tabs where their captions are.
    for (int tab : {3, 2, 1}) {
        selectTab(tab);
        EXPECT_EQ(window->tabStrip()->ongletActif(), tab);
    }
}

} // namespace
} // namespace ohmora
