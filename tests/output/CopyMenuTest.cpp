// "Co&pier" in the main window: the pop-up menu, what each entry puts on
// the clipboard (the offscreen platform's clipboard works in-process), and
// the copy message on the help line.

#include "output/CopyMenu.h"
#include "WindowFixture.h"
#include "core/SwitchZones.h"
#include "window/HelpTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>

#include <cmath>

namespace ohmora {
namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QColor gradientAt(int y) {
    return QColor(255, int(std::lround(200 + 55.0 * y / 249)),
                  int(std::lround(155 + 100.0 * y / 249)));
}

class CopyTest : public WindowFixture {
protected:
    // A click on "Co&pier" that chooses `entry` in the menu, or nothing.
    void copy(std::optional<QString> entry) {
        prompter.queueMenuEntry(entry);
        child<QPushButton>("Command4")->click();
    }
    QImage clipboardImage() const {
        return QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    }
    QString clipboardText() const { return QApplication::clipboard()->text(); }
    void clearClipboard() { QApplication::clipboard()->setText(QStringLiteral("avant")); }
};

TEST(CopyMenu, EntriesInOrder) {
    CopyMenu menu;
    EXPECT_EQ(menu.menu().objectName(), "menucop");
    QStringList shown;
    for (const QAction* a : menu.menu().actions()) {
        shown << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + ": " + a->text());
    }
    EXPECT_EQ(shown,
              QStringList({"cop001: Copier le schéma avec le fond",
                           "cop003: Copier le schéma sans le fond", "-", "Cop002: Copier le graphe",
                           "-", "copitab: Copier le contenu du tableau",
                           "expmesures: Exporter les mesures (CSV)…", "-",
                           "imggraphe: Enregistrer le graphe en image…",
                           "imgschema: Enregistrer le schéma en image…"}));
}

TEST_F(CopyTest, MenuShowsAtThePointerAndClosingWithoutChoiceShowsTheMessage) {
    clearClipboard();
    // A click leaves the pointer over the button.
    const QPoint pointer = child<QPushButton>("Command4")->mapToGlobal(QPoint(21, 12));
    QCursor::setPos(pointer);
    copy(std::nullopt);
    ASSERT_EQ(prompter.menuRequests().size(), 1u);
    EXPECT_EQ(prompter.menuRequests()[0].menu, "menucop");
    EXPECT_EQ(prompter.menuRequests()[0].entries,
              QStringList({"cop001", "cop003", "-", "Cop002", "-", "copitab", "expmesures", "-",
                           "imggraphe", "imgschema"}));
    EXPECT_EQ(prompter.menuRequests()[0].position, pointer);
    EXPECT_EQ(info(), qs(kMessageCopie));
    EXPECT_EQ(clipboardText(), "avant"); // nothing copied
}

TEST_F(CopyTest, SchematicWithItsBackground) {
    copy(QStringLiteral("cop001"));
    const QImage image = clipboardImage();
    ASSERT_EQ(image.size(), QSize(249, 249));
    EXPECT_EQ(QColor(image.pixel(3, 3)), gradientAt(3));
    EXPECT_EQ(QColor(image.pixel(3, 240)), gradientAt(240));
    EXPECT_EQ(image,
              window->session().pictures().schematic().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(info(), qs(kMessageCopie));
}

// The same drawing on white: every pixel is the screen's, except the
// gradient's, which are white; the screen keeps its gradient.
TEST_F(CopyTest, SchematicWithoutItsBackground) {
    copy(QStringLiteral("cop003"));
    const QImage bare = clipboardImage();
    const QImage screen =
        window->session().pictures().schematic().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(bare.size(), QSize(249, 249));
    int drawing = 0;
    for (int y = 0; y < 249; ++y) {
        for (int x = 0; x < 249; ++x) {
            const QColor b(bare.pixel(x, y)), s(screen.pixel(x, y));
            if (s == gradientAt(y)) {
                ASSERT_EQ(b, QColor(Qt::white)) << x << "," << y;
            } else {
                ASSERT_EQ(b, s) << x << "," << y;
                ++drawing;
            }
        }
    }
    EXPECT_GT(drawing, 1000);
    EXPECT_EQ(QColor(screen.pixel(3, 3)), gradientAt(3));
    EXPECT_EQ(info(), qs(kMessageCopie));
}

TEST_F(CopyTest, Graph) {
    window->tick();
    copy(QStringLiteral("Cop002"));
    const QImage image = clipboardImage();
    ASSERT_EQ(image.size(), QSize(529, 249));
    EXPECT_EQ(image, window->session().pictures().graph().convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(info(), qs(kMessageCopie));
}

struct TableCase {
    const char* name;
    int montage;
    QString afterReset;     // the header row and one empty row
    std::vector<int> zones; // the clicks on K that start a recording
};

// A failing row names itself.
void PrintTo(const TableCase& row, std::ostream* os) {
    *os << row.name;
}

// Montage 1 records from the discharge at position 2 unless told otherwise.
const TableCase kTableCases[] = {
    {"Montage0", 0, "\t\t\t\t\t\n\t\t\t\t\t", {1}},
    {"Montage1", 1, "\t\t\t\t\t\t\t\n\t\t\t\t\t\t\t", {1, 2}},
    {"Montage2", 2, "\t\t\t\t\n\t\t\t\t", {1}},
};

class TableCopyTest : public CopyTest, public ::testing::WithParamInterface<TableCase> {};

TEST_P(TableCopyTest, AfterAResetAndAfterARecording) {
    const TableCase& c = GetParam();
    if (c.montage != 0) {
        QComboBox* combo = child<QComboBox>("Combo1");
        combo->setCurrentIndex(c.montage);
        emit combo->activated(c.montage);
    }
    copy(QStringLiteral("copitab"));
    EXPECT_EQ(clipboardText(), c.afterReset);
    EXPECT_EQ(info(), qs(kMessageCopie));

    showWindow();
    for (int zone : c.zones) {
        const Point k = pointOnSwitch(c.montage, zone);
        QTest::mouseMove(child("schema"), QPoint(k.x, k.y));
        QTest::mouseClick(child("schema"), Qt::LeftButton, {}, QPoint(k.x, k.y));
    }
    ASSERT_TRUE(state().run.enregEnCours);
    for (int n = 0; n < 300 && state().run.enregEnCours; ++n) {
        window->tick();
    }
    ASSERT_FALSE(state().run.enregEnCours);
    copy(QStringLiteral("copitab"));
    const QString text = clipboardText();
    EXPECT_EQ(text, QString::fromStdString(state().table.text()));
    const QStringList rows = text.split(QLatin1Char('\n'));
    EXPECT_EQ(rows.size(), state().table.rowCount());
    EXPECT_GT(rows.size(), 10);
    EXPECT_FALSE(text.contains(QLatin1Char('\r')));
    EXPECT_EQ(rows[0], QString(state().table.columnCount() - 1, QLatin1Char('\t')));
    EXPECT_TRUE(rows[1].startsWith(QStringLiteral("0 ms\t"))) << rows[1].toStdString();
    for (const QString& row : rows) {
        EXPECT_EQ(row.count(QLatin1Char('\t')), state().table.columnCount() - 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Montages, TableCopyTest, ::testing::ValuesIn(kTableCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The copy message stays while the pointer is over the copy button, and
// gives way to the hint once another control has written the help line.
TEST_F(CopyTest, CopyMessageStaysOverTheButtonUntilAnotherControlSpeaks) {
    showWindow();
    QWidget* copyButton = child("Command4");
    QTest::mouseMove(copyButton, QPoint(20, 20));
    EXPECT_EQ(info(), qs(kCopyButtonHint));
    copy(std::nullopt);
    EXPECT_EQ(info(), qs(kMessageCopie));
    QTest::mouseMove(copyButton, QPoint(30, 22));
    EXPECT_EQ(info(), qs(kMessageCopie));
    QTest::mouseMove(child("Command10"), QPoint(20, 20));
    EXPECT_EQ(info(), "Pour configurer l'imprimante et imprimer l'image");
    QTest::mouseMove(copyButton, QPoint(20, 20));
    EXPECT_EQ(info(), qs(kCopyButtonHint));
}

} // namespace
} // namespace ohmora
