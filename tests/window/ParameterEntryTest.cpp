#include "WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>

namespace ohmora {
namespace {

class ParameterEntry : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        showWindow();
    }

    QLineEdit* box(int i) {
        return child<QLineEdit>(QStringLiteral("Textv%1").arg(i).toUtf8().constData());
    }

    // Clicks into box i, replaces its text by typing, and presses Enter.
    void typeAndEnter(int i, const char* keys) {
        QLineEdit* b = box(i);
        b->setFocus(Qt::MouseFocusReason);
        b->selectAll();
        QTest::keyClick(b, Qt::Key_Backspace);
        QTest::keyClicks(b, QString::fromUtf8(keys));
        QTest::keyClick(b, Qt::Key_Return);
    }

    std::vector<QString> texts() const {
        std::vector<QString> out;
        for (const Message& m : prompter.messages()) {
            out.push_back(m.text);
        }
        return out;
    }
};

TEST_F(ParameterEntry, KeyFilterLetsOnlyDigitsCommaAndBackspaceThrough) {
    QLineEdit* b = box(0);
    b->setFocus(Qt::MouseFocusReason);
    b->clear();
    QTest::keyClicks(b, "1.5a-e 7");
    EXPECT_EQ(b->text(), "1,57");
    QTest::keyClick(b, Qt::Key_Backspace);
    EXPECT_EQ(b->text(), "1,5");
}

// What a paste or a drop brings passes the key filter as typed text does;
// the text already in the box is left as it was.
TEST_F(ParameterEntry, PastedAndDroppedTextPassTheKeyFilter) {
    struct Case {
        const char* name;
        const char* before;
        int caret;
        const char* inserted;
        const char* after;
        int caretAfter;
    };
    const Case cases[] = {
        {"sign and point", "", 0, "-1.5", "1,5", 3},
        {"letters and blanks in the middle", "1 000", 1, "2 a3", "123 000", 3},
        {"nothing that passes", "47", 2, "abc", "47", 2},
        {"non-ASCII digits and no-break space", "", 0, " 12 ", "12", 2},
    };
    QLineEdit* b = box(1);
    b->setFocus(Qt::MouseFocusReason);
    for (const Case& c : cases) {
        b->setText(QString::fromUtf8(c.before));
        b->setCursorPosition(c.caret);
        QApplication::clipboard()->setText(QString::fromUtf8(c.inserted));
        b->paste();
        EXPECT_EQ(b->text(), QString::fromUtf8(c.after)) << c.name;
        EXPECT_EQ(b->cursorPosition(), c.caretAfter) << c.name;
        EXPECT_EQ(state().controls.textv[1], c.after) << c.name;
    }
    b->clear();
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("+2.2e3"));
    const QPoint inside(5, b->height() / 2);
    QDragEnterEvent enter(inside, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &enter);
    QDropEvent drop(inside, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &drop);
    EXPECT_EQ(b->text(), "2,23");
    delete mime;
}

TEST_F(ParameterEntry, EnterValidatesAndKeepsTheFocus) {
    typeAndEnter(0, "12,5");
    ASSERT_EQ(prompter.messages().size(), 1u);
    const Message& m = prompter.messages()[0];
    EXPECT_EQ(m.text, "U ne doit pas dépasser 12 V avec le simulateur.");
    EXPECT_EQ(m.title, "Valeur incorrecte");
    EXPECT_EQ(m.icon, MessageIcon::Stop);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    EXPECT_EQ(box(0)->text(), "12");
    EXPECT_TRUE(box(0)->hasFocus());
    EXPECT_EQ(state().controls.textv[0], "12");

    // Leaving afterwards validates again, silently for a value in range.
    box(1)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(prompter.messages().size(), 1u);
}

TEST_F(ParameterEntry, ValuesAreRoundedAndHeldWithinTheirLimits) {
    struct Case {
        int box;
        const char* typed;
        const char* shown;
        const char* message; // nullptr: none
    };
    const Case cases[] = {
        {0, "12,04", "12", nullptr},
        {0, "0,496", "0,5", nullptr},
        {0, "0,46", "0,5", "U ne doit pas être inférieure à 0,5 V avec le simulateur."},
        {1, "1234", "1 200", nullptr},
        {2, "0", "0,001",
         "La capacité de ce condensateur ne doit pas être inférieure à 1 nF (0,001 µF) avec le "
         "simulateur."},
        {0, "", "0,5", "U ne doit pas être inférieure à 0,5 V avec le simulateur."},
    };
    for (const Case& c : cases) {
        prompter.clear();
        typeAndEnter(c.box, c.typed);
        EXPECT_EQ(box(c.box)->text().toStdString(), c.shown) << c.typed;
        if (c.message) {
            EXPECT_EQ(texts(), std::vector<QString>{QString::fromUtf8(c.message)}) << c.typed;
        } else {
            EXPECT_TRUE(texts().empty()) << c.typed;
        }
    }
}

TEST_F(ParameterEntry, BranchRulesReadTheirPartner) {
    auto* combo = child<QComboBox>("Combo1");
    combo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(combo, Qt::Key_Down); // montage 1
    ASSERT_EQ(state().controls.montage, 1);

    typeAndEnter(7, "0"); // r = 5: the branch holds 5 ohms
    EXPECT_EQ(box(7)->text(), "0");
    EXPECT_TRUE(texts().empty());

    typeAndEnter(7, "10");
    typeAndEnter(9, "4,7");
    EXPECT_TRUE(texts().empty());
    typeAndEnter(7, "0");
    EXPECT_EQ(box(7)->text(), "0,3000002");
    EXPECT_EQ(texts(), std::vector<QString>{"La résistance de cette branche ne doit pas être "
                                            "inférieure à 5 ohms avec le simulateur."});

    typeAndEnter(7, "10");
    prompter.clear();
    typeAndEnter(9, "150");
    EXPECT_EQ(box(9)->text(), "100");
    EXPECT_EQ(texts(), std::vector<QString>{"La résistance de cette bobine ne doit pas dépasser "
                                            "100 ohms avec le simulateur."});

    // A partner text that cannot be read counts as 0. A configuration
    // brings one; two commas pasted into the partner stand in for it here.
    typeAndEnter(7, "2");
    QApplication::clipboard()->setText(QStringLiteral("1,2,3"));
    box(9)->selectAll();
    box(9)->paste();
    ASSERT_EQ(state().controls.textv[9], "1,2,3");
    prompter.clear();
    QTest::keyClick(box(7), Qt::Key_Return);
    EXPECT_EQ(box(7)->text(), "5");
    EXPECT_EQ(texts(), std::vector<QString>{"La résistance de cette branche ne doit pas être "
                                            "inférieure à 5 ohms avec le simulateur."});
    // The unreadable box itself reads 0 and then passes against R2 = 5.
    prompter.clear();
    box(9)->setFocus(Qt::MouseFocusReason);
    box(7)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(box(9)->text(), "0");
    EXPECT_TRUE(texts().empty());
}

TEST_F(ParameterEntry, EnteringABoxOpensTheSwitchAndStopsTheRecording) {
    QWidget* schema = child("schema");
    QTest::mouseMove(schema, QPoint(105, 20));
    QTest::mouseClick(schema, Qt::LeftButton, {}, QPoint(105, 20));
    ASSERT_TRUE(state().run.enregEnCours);
    box(2)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(state().run.position, 0);
    EXPECT_FALSE(state().run.enregEnCours);
}

} // namespace
} // namespace ohmora
