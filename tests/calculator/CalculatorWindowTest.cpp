#include "calculator/CalculatorWindow.h"

#include "KeySequence.h"
#include "calculator/CalculatorDisplay.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <utility>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

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

template <class Row> std::string rowName(const ::testing::TestParamInfo<Row>& row) {
    return row.param.name;
}

// "1 / 3 EXE" shows " .333333333333333"; each ANS then appends its 16
// characters, and past ten of them the line outgrows its room at every size.
std::string lineOfAnswers(int answers) {
    std::string keys = "1 / 3 EXE";
    for (int i = 0; i < answers; ++i) {
        keys += " ANS";
    }
    return keys;
}

// The window on the (offscreen) screen and active: its entry line holds the
// keyboard focus and its caret blinks.
struct ShownWindow : Window {
    bool active = false;

    ShownWindow() {
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
    }
    QLineEdit* line() const { return window.entryLine(); }
    void clickAtStart() {
        QTest::mouseClick(line(), Qt::LeftButton, {}, QPoint(2, line()->height() / 2));
    }
};

struct CaretRow {
    const char* name;
    std::function<void(ShownWindow&)> act;
};

void PrintTo(const CaretRow& row, std::ostream* os) {
    *os << row.name;
}

class EntryLineCaret : public ::testing::TestWithParam<CaretRow> {};

// After every change of its text the entry line holds the keyboard focus,
// nothing selected, the caret after the last character; it is left
// editable for the toolkit, as a read-only line draws no caret.
TEST_P(EntryLineCaret, StaysAfterTheLastCharacter) {
    ShownWindow w;
    ASSERT_TRUE(w.active);
    GetParam().act(w);
    QLineEdit* line = w.line();
    EXPECT_TRUE(line->hasFocus());
    EXPECT_FALSE(line->hasSelectedText());
    EXPECT_EQ(line->cursorPosition(), line->text().size());
    EXPECT_FALSE(line->isReadOnly());
}

const CaretRow kCaretRows[] = {
    {"EmptyLine", [](ShownWindow&) {}},
    {"ClickedKeys", [](ShownWindow& w) { w.press("2 SIN 3 0"); }},
    {"TypedKeys", [](ShownWindow& w) { QTest::keyClicks(w.line(), "7*2e1"); }},
    {"TypedBackspace",
     [](ShownWindow& w) {
         QTest::keyClicks(w.line(), "7*");
         QTest::keyClick(w.line(), Qt::Key_Backspace);
     }},
    {"BlanksAfterAnOperator", [](ShownWindow& w) { w.press("2 x"); }},
    {"Result", [](ShownWindow& w) { w.press("2 SIN 3 0 EXE"); }},
    {"TypedEnter",
     [](ShownWindow& w) {
         QTest::keyClicks(w.line(), "2+3");
         QTest::keyClick(w.line(), Qt::Key_Enter);
     }},
    {"LongMessage", [](ShownWindow& w) { w.press("2 x x EXE"); }},
    {"LongLine", [](ShownWindow& w) { w.press(lineOfAnswers(20)); }},
    {"KeyAfterAClickMovedTheCaret",
     [](ShownWindow& w) {
         w.press("1 2 3");
         w.clickAtStart();
         EXPECT_EQ(w.line()->cursorPosition(), 0);
         w.press("CM");
     }},
    {"KeyAfterSelectingAll",
     [](ShownWindow& w) {
         w.press("1 2 3");
         QTest::keyClick(w.line(), Qt::Key_A, Qt::ControlModifier);
         EXPECT_TRUE(w.line()->hasSelectedText());
         w.press("CM");
     }},
};

INSTANTIATE_TEST_SUITE_P(CalculatorWindow, EntryLineCaret, ::testing::ValuesIn(kCaretRows),
                         rowName<CaretRow>);

struct SizeRow {
    const char* name;
    std::string keys;
    double pointSize; // of the entry line's font afterwards
};

void PrintTo(const SizeRow& row, std::ostream* os) {
    *os << row.name;
}

class EntryLineSize : public ::testing::TestWithParam<SizeRow> {};

// The entry line writes big (11 points), smaller when the text would not
// fit, down to 8,25 points: whatever fits there is read whole.
TEST_P(EntryLineSize, WritesAsBigAsTheTextFits) {
    const SizeRow& row = GetParam();
    Window w;
    w.press(row.keys);
    QLineEdit* line = w.window.entryLine();
    if (row.pointSize > 0) {
        EXPECT_EQ(line->font().pointSizeF(), row.pointSize);
    }
    const int advance = QFontMetrics(line->font()).horizontalAdvance(w.shown());
    EXPECT_EQ(advance <= line->contentsRect().width(), row.pointSize != 8.25) << advance;
}

const SizeRow kSizeRows[] = {
    {"ShortLine", "1 2", 11},
    {"Result", "2 SIN 3 0 EXE", 11},
    {"LongestMessage", "2 x x EXE", 0},
    {"LinePastTheRoomAtEverySize", lineOfAnswers(40), 8.25},
    {"DeleteOnALongLine", lineOfAnswers(40) + " DEL", 8.25},
    {"AcAfterALongLine", lineOfAnswers(40) + " AC", 11},
    {"KeyAfterTheLongestMessage", "2 x x EXE DEL", 11},
};

INSTANTIATE_TEST_SUITE_P(CalculatorWindow, EntryLineSize, ::testing::ValuesIn(kSizeRows),
                         rowName<SizeRow>);

struct EditRow {
    const char* name;
    std::function<void(ShownWindow&)> edit;
};

void PrintTo(const EditRow& row, std::ostream* os) {
    *os << row.name;
}

class EntryLineEditing : public ::testing::TestWithParam<EditRow> {};

TEST_P(EntryLineEditing, TakesNoTextButTheKeys) {
    ShownWindow w;
    ASSERT_TRUE(w.active);
    QGuiApplication::clipboard()->setText(QStringLiteral("99"));
    w.press("1 2");
    GetParam().edit(w);
    EXPECT_EQ(w.shown(), "12");
    EXPECT_EQ(w.window.session().saisie(), "12");
}

const EditRow kEditRows[] = {
    {"Paste", [](ShownWindow& w) { QTest::keyClick(w.line(), Qt::Key_V, Qt::ControlModifier); }},
    {"PasteWithShiftInsert",
     [](ShownWindow& w) { QTest::keyClick(w.line(), Qt::Key_Insert, Qt::ShiftModifier); }},
    {"Cut",
     [](ShownWindow& w) {
         QTest::keyClick(w.line(), Qt::Key_A, Qt::ControlModifier);
         QTest::keyClick(w.line(), Qt::Key_X, Qt::ControlModifier);
     }},
    {"DeleteAfterAClick",
     [](ShownWindow& w) {
         w.clickAtStart();
         QTest::keyClick(w.line(), Qt::Key_Delete);
     }},
    {"DeleteWordAfterAClick",
     [](ShownWindow& w) {
         w.clickAtStart();
         QTest::keyClick(w.line(), Qt::Key_Delete, Qt::ControlModifier);
     }},
    {"InputMethodCommit",
     [](ShownWindow& w) {
         QInputMethodEvent commit;
         commit.setCommitString(QStringLiteral("99"));
         QCoreApplication::sendEvent(w.line(), &commit);
     }},
    {"Drop",
     [](ShownWindow& w) {
         QMimeData data;
         data.setText(QStringLiteral("99"));
         QDropEvent drop(QPointF(w.line()->rect().center()), Qt::CopyAction, &data, Qt::LeftButton,
                         Qt::NoModifier);
         QCoreApplication::sendEvent(w.line(), &drop);
     }},
};

INSTANTIATE_TEST_SUITE_P(CalculatorWindow, EntryLineEditing, ::testing::ValuesIn(kEditRows),
                         rowName<EditRow>);

TEST(CalculatorWindow, EntryLineIsCopiedWholeFromTheKeyboard) {
    ShownWindow w;
    ASSERT_TRUE(w.active);
    QGuiApplication::clipboard()->clear();
    w.press("2 SIN 3 0");
    QTest::keyClick(w.line(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.line(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2 * sin 30");
}

// The entry line's menu: its actions' captions and whether each is enabled.
QStringList entryLineMenu(ShownWindow& w, const QString& trigger = {}) {
    const QPoint at(10, 10);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, w.line()->mapToGlobal(at));
    QCoreApplication::sendEvent(w.line(), &request);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
        return {QStringLiteral("no menu")};
    }
    QStringList captions;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        captions << action->text() + (action->isEnabled() ? "" : " (off)");
        if (action->text() == trigger) {
            action->trigger();
        }
    }
    menu->close();
    return captions;
}

TEST(CalculatorWindow, EntryLineMenuCopiesAndSelectsOnly) {
    ShownWindow w;
    ASSERT_TRUE(w.active);
    QGuiApplication::clipboard()->clear();
    w.press("1 2");
    const QString copy = QString::fromUtf8("&Copier\tCtrl+C");
    const QString all = QString::fromUtf8("Tout sélectionner\tCtrl+A");
    EXPECT_EQ(entryLineMenu(w, all), QStringList({copy + " (off)", all}));
    EXPECT_EQ(w.line()->selectedText(), "12");
    EXPECT_EQ(entryLineMenu(w, copy), QStringList({copy, all + " (off)"}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "12");
    EXPECT_EQ(w.shown(), "12");
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
