#include "CalculatorWindow.h"

#include "CalculatorDisplay.h"
#include "KeySequence.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace ohmora {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct Window {
    ProgramState program;
    CalculatorWindow window{program};
    int beeps = 0;

    Window() {
        window.setBeep([this] { ++beeps; });
    }
    void press(std::string_view keys) {
        for (CalculatorKey key : testing::keySequence(keys)) {
            window.pressKey(key);
        }
    }
    QString shown() const { return window.entryLine()->text(); }
};

TEST(CalculatorWindow, IsTheFixedSizeMachine) {
    Window w;
    EXPECT_EQ(w.window.windowTitle(), QString::fromUtf8("Machine à calculer"));
    EXPECT_EQ(w.window.size(), QSize(302, 431));
    EXPECT_TRUE(w.window.entryLine()->isReadOnly());
    EXPECT_TRUE(w.shown().isEmpty());
    EXPECT_TRUE(w.window.angleButton(0)->isChecked());   // Degrés
    EXPECT_TRUE(w.window.displayButton(1)->isChecked()); // Standard
    EXPECT_EQ(w.window.angleButton(1)->text(), "Radians");
    EXPECT_EQ(w.window.displayButton(0)->text(), "Scientifique");
}

TEST(CalculatorWindow, KeysCarryTheirCaptionsAndTooltips) {
    // Control name, caption, tooltip.
    const std::array<const char*, 3> captions[] = {
        {"B0", "0", ""},
        {"Bpoint", ".", ""},
        {"BtoEXP", "EXP", "x 10"},
        {"mega", "M", "Méga"},
        {"tera", "T", "Téra"},
        {"micro", "µ", "micro"},
        {"multip", "x", ""},
        {"bsin", "&SIN", "Sinus"},
        {"Btoncommande3", "INV T&AN", "Inverse tangente"},
        {"Bln", "l&n", ""},
        {"Blog", "&Log", ""},
        {"racine", "√", "Racine carré"},
        {"Command5", "1/x", "Inverse"},
        {"pi", "π", "3.1415927"},
        {"ANS", "ANS", "Dernière réponse"},
        {"EXE", "EXE", "Calculer"},
        {"EFFACE", "←", "Effacer dernier caractère"},
        {"RAZ", "AC", "Tout effacer"},
        {"Command1", "M+", "Ajouter à la méoire"},
        {"Command2", "M-", "Soustraire à la mémoire"},
        {"Command3", "RM", "Rappel mémoire"},
        {"Command4", "CM", "Effacer la mémoire"}};
    Window w;
    for (const auto& [name, caption, tooltip] : captions) {
        const auto* key = w.window.findChild<QPushButton*>(name);
        ASSERT_NE(key, nullptr) << name;
        EXPECT_EQ(key->text(), QString::fromUtf8(caption)) << name;
        EXPECT_EQ(key->toolTip(), QString::fromUtf8(tooltip)) << name;
    }
    for (const char* picture : {"puissance", "btcarre", "Bexp", "B10x"}) {
        const auto* key = w.window.findChild<QPushButton*>(picture);
        ASSERT_NE(key, nullptr) << picture;
        EXPECT_FALSE(key->icon().isNull()) << picture;
    }
    // Every key sits inside the window, and no two overlap.
    const QList<QPushButton*> keys = w.window.findChildren<QPushButton*>();
    EXPECT_EQ(keys.size(), 49);
    QRegion covered;
    for (const QPushButton* key : keys) {
        EXPECT_TRUE(w.window.rect().contains(key->geometry())) << key->objectName().toStdString();
        EXPECT_FALSE(covered.intersects(key->geometry())) << key->objectName().toStdString();
        covered += key->geometry();
    }
}

TEST(CalculatorWindow, PaintsItsFace) {
    QImage face(302, 431, QImage::Format_RGB32);
    face.fill(Qt::magenta);
    {
        QPainter painter(&face);
        CalculatorWindow::paintFace(painter);
    }
    struct Pixel {
        int x, y;
        QColor colour;
    };
    const QColor white(255, 255, 255), black(0, 0, 0), teal(0, 128, 128);
    const QColor shade200(200, 250, 250), shade125(125, 175, 175), shade50(50, 100, 100);
    // Odd columns fall half-way: 198.5 and 197.5 both round to 198.
    const Pixel pixels[] = {{0, 0, shade200},
                            {0, 430, shade200},
                            {150, 5, shade125},
                            {300, 5, shade50},
                            {301, 430, shade50},
                            {300, 200, shade50},
                            {150, 350, shade125},
                            {3, 200, QColor(198, 248, 248)},
                            {5, 200, QColor(198, 248, 248)},
                            {7, 200, QColor(196, 246, 246)},
                            {1, 1, black},
                            {299, 1, black},
                            {1, 427, black},
                            {1, 428, white},
                            {299, 428, white},
                            {150, 428, white},
                            {299, 200, white},
                            {81, 289, teal},
                            {205, 420, teal},
                            {81, 350, teal},
                            {150, 420, teal},
                            {82, 290, white},
                            {206, 421, white},
                            {206, 350, white},
                            {150, 421, white}};
    for (const Pixel& p : pixels) {
        EXPECT_EQ(face.pixelColor(p.x, p.y), p.colour) << p.x << "," << p.y;
    }
    // The window paints the same face behind its controls.
    Window w;
    const QImage shown = w.window.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 200), QColor(200, 250, 250));
    EXPECT_EQ(shown.pixelColor(81, 289), teal);
}

TEST(CalculatorWindow, KeySequencesShowTheirResults) {
    const std::pair<const char*, const char*> cases[] = {{"2 SIN 3 0", "2 * sin 30"},
                                                         {"2 SIN 3 0 EXE", " 1"},
                                                         {"5 k EXE", " 5000"},
                                                         {"4 7 µ", "47E-6"},
                                                         {"2 + 3 EXE + 1 EXE", " 6"},
                                                         {"EXE", " 0"},
                                                         {"2 x DEL", "2"},
                                                         {"2 x SIN DEL", "2 * "},
                                                         {"SIN DEL", ""}};
    for (const auto& [keys, shown] : cases) {
        Window w;
        w.press(keys);
        EXPECT_EQ(w.shown(), QString::fromUtf8(shown)) << keys;
        EXPECT_EQ(w.beeps, 0) << keys;
    }
}

TEST(CalculatorWindow, ExeShowsTheWaitTextThenTheResult) {
    Window w;
    QSignalSpy spy(&w.window, &CalculatorWindow::entryLineShown);
    w.press("1 / 0 EXE");
    ASSERT_GE(spy.size(), 2);
    EXPECT_EQ(spy.at(spy.size() - 2).at(0).toString(), qs(kPatienceText));
    EXPECT_EQ(spy.last().at(0).toString(), "Calcul impossible");
    EXPECT_EQ(w.beeps, 1);
    EXPECT_EQ(w.window.session().saisie(), "1 / 0");
    // The whole message is readable in the entry line.
    w.press("AC 2 x x EXE");
    EXPECT_EQ(w.shown(), qs(kMessageOperateurs));
    EXPECT_LE(QFontMetrics(w.window.entryLine()->font()).horizontalAdvance(w.shown()),
              w.window.entryLine()->contentsRect().width());
    EXPECT_EQ(w.beeps, 2);
    w.press("DEL 3 EXE"); // "2 *  * " back to "2 * "
    EXPECT_EQ(w.shown(), " 6");
}

TEST(CalculatorWindow, OptionButtonsChangeAnglesAndDisplay) {
    Window w;
    w.press("1 / 3 EXE");
    w.window.displayButton(0)->click(); // Scientifique
    EXPECT_EQ(w.shown(), "3.3333333E-01");
    w.window.displayButton(1)->click();
    EXPECT_EQ(w.shown(), " .333333333333333");
    w.window.angleButton(1)->click(); // Radians
    w.press("SIN ( PI / 2 ) EXE");
    EXPECT_EQ(w.shown(), " 1");
    w.window.selectRadians(false);
    EXPECT_TRUE(w.window.angleButton(0)->isChecked());
    w.press("COS 6 0 EXE");
    EXPECT_EQ(w.shown(), " .5");
}

TEST(CalculatorWindow, ClicksAndKeyboardTypeIntoTheEntryLine) {
    Window w;
    w.window.button(CalculatorKey::Digit7)->click();
    QTest::keyClicks(w.window.entryLine(), "*2e1a");
    EXPECT_EQ(w.shown(), "7 * 2E1"); // "a" is ignored
    QTest::keyClick(w.window.entryLine(), Qt::Key_Backspace);
    QTest::keyClick(w.window.entryLine(), Qt::Key_Backspace);
    QTest::keyClicks(w.window.entryLine(), "-(1)^3");
    EXPECT_EQ(w.shown(), "7 * 2 - (1) ^ 3");
    QTest::keyClick(w.window.entryLine(), Qt::Key_Return);
    EXPECT_EQ(w.shown(), " 13");
    EXPECT_EQ(w.window.entryLine()->cursorPosition(), 3);
    QTest::keyClicks(w.window.entryLine(), "+1");
    QTest::keyClick(w.window.entryLine(), Qt::Key_Enter);
    EXPECT_EQ(w.shown(), " 14");
    QTest::keyClick(w.window.entryLine(), Qt::Key_Backspace); // refreshes: nothing typed
    EXPECT_EQ(w.shown(), "");
    EXPECT_EQ(w.beeps, 0);
}

TEST(CalculatorWindow, MemoryIsKeptAcrossOpenings) {
    ProgramState program;
    {
        CalculatorWindow first(program);
        first.setBeep([] {});
        for (CalculatorKey key : testing::keySequence("1 2 EXE M+")) {
            first.pressKey(key);
        }
    }
    EXPECT_EQ(program.memoire, 12);
    CalculatorWindow second(program);
    EXPECT_TRUE(second.entryLine()->text().isEmpty());
    second.pressKey(CalculatorKey::MemoryRecall);
    EXPECT_EQ(second.entryLine()->text(), "12");
}

} // namespace
} // namespace ohmora

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qunsetenv("QT_FONT_DPI");
    qunsetenv("QT_SCALE_FACTOR");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
