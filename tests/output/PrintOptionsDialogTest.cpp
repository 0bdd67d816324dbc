// `confimp`: its controls where the layout puts them, its first state on
// every opening, the counter, and what "&OK" does with each destination.
// The dialog is driven through its own handlers, the scripted prompter and
// fake printers, never through a modal loop. (The printer path itself is
// tested in tests/session.)

#include "output/PrintOptionsDialog.h"
#include "FakePrinters.h"
#include "PdfSupport.h"
#include "ScriptedPrompter.h"
#include "WindowFixture.h"
#include "dialogs/UpDownControl.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

namespace ohmora {
namespace {

QString textOf(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        return label->text();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        return button->text();
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        return edit->text();
    }
    if (auto* frame = qobject_cast<const QGroupBox*>(w)) {
        return frame->title();
    }
    return {};
}

struct ControlCase {
    const char* name;
    const char* parent;
    const char* text;
    QRect pixels; // the twips of the layout at 15 to a pixel
    bool shown;
    int room = 0; // how wide a caption may grow before the next control
};

// A failing row names itself.
void PrintTo(const ControlCase& row, std::ostream* os) {
    *os << row.name;
}

const ControlCase kControls[] = {
    {"Label2", "confimp", "Imprimante:", {8, 18, 65, 17}, true, 80 - 8},
    {"defaut", "confimp", nullptr, {80, 16, 177, 19}, true},
    {"Command2", "confimp", "&Imprimantes", {288, 8, 73, 57}, true},
    {"Command3", "confimp", "&Annuler", {288, 80, 73, 57}, true},
    {"Command1", "confimp", "&OK", {288, 152, 73, 57}, true},
    {"optionsFrame", "confimp", "Options", {24, 56, 233, 153}, true},
    {"Label5", "optionsFrame", "Titre de la page :", {8, 16, 80, 13}, true, 233 - 8},
    {"Text1", "optionsFrame", "Varlune - Ohmora", {8, 32, 217, 19}, true},
    {"Check1_0", "optionsFrame", "Le schéma", {24, 72, 177, 13}, true},
    {"Check1_1", "optionsFrame", "Le graphe", {24, 96, 177, 13}, true},
    {"Check1_2", "optionsFrame", "Le tableau de valeur", {8, 136, 177, 13}, false},
    {"Label3", "optionsFrame", "Nombre d'exemplaires :", {32, 128, 113, 17}, true, 152 - 32},
    {"Label4", "optionsFrame", "1", {152, 126, 41, 17}, true},
    {"UpDown1", "optionsFrame", nullptr, {192, 126, 16, 19}, true},
    {"waitFrame", "confimp", "", {16, 72, 345, 57}, false},
    {"Label1",
     "waitFrame",
     "Veuillez patienter quelques instants...",
     {56, 24, 273, 17},
     true,
     345 - 56},
};

class DialogTest : public ::testing::Test {
protected:
    DialogTest() : session(program, prompter, &printers), dialog(session) {}
    template <class T = QWidget> T* child(const char* name) {
        T* w = dialog.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    bool controlsShown() {
        return !child("Command1")->isHidden() && !child("Command2")->isHidden() &&
               !child("Command3")->isHidden() && !child("optionsFrame")->isHidden() &&
               child("waitFrame")->isHidden();
    }

    ProgramState program;
    ScriptedPrompter prompter;
    test::FakePrinters printers; // none installed
    session::Session session;
    PrintOptionsDialog dialog;
    QTemporaryDir dir;
};

class ControlTest : public DialogTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(ControlTest, PlaceCaptionAndVisibility) {
    const ControlCase& c = GetParam();
    QWidget* w = child(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parentWidget()->objectName(), c.parent);
    // A label may grow to the right to show its whole caption, up to its
    // room; every other control keeps its place exactly.
    if (c.room > 0) {
        EXPECT_EQ(w->geometry().topLeft(), c.pixels.topLeft());
        EXPECT_EQ(w->height(), c.pixels.height());
        EXPECT_GE(w->width(), c.pixels.width());
        EXPECT_LE(w->width(), c.room);
    } else {
        EXPECT_EQ(w->geometry(), c.pixels);
    }
    EXPECT_EQ(!w->isHidden(), c.shown);
    if (c.text) {
        EXPECT_EQ(textOf(w), QString::fromUtf8(c.text));
        // The whole caption fits: nothing of the French text is cut off.
        QString shown = textOf(w);
        shown.remove(QLatin1Char('&'));
        const int room = qobject_cast<QCheckBox*>(w) ? w->width() - 20 : w->width();
        EXPECT_LE(w->fontMetrics().horizontalAdvance(shown), room) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Confimp, ControlTest, ::testing::ValuesIn(kControls),
                         [](const auto& row) { return std::string(row.param.name); });

QColor pixelOf(const QImage& image, QPoint at) {
    return QColor(image.pixel(at));
}

int navyPixels(const QImage& image, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c(image.pixel(x, y));
            n += c.blue() >= 100 && c.red() < 60 && c.green() < 60;
        }
    }
    return n;
}

TEST_F(DialogTest, CaptionSizeAndColours) {
    EXPECT_EQ(dialog.objectName(), "confimp");
    EXPECT_EQ(dialog.windowTitle(), "Imprimer");
    EXPECT_EQ(dialog.size(), QSize(376, 221));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    const QImage face = dialog.grab().toImage();
    EXPECT_EQ(pixelOf(face, {4, 210}), QColor(192, 192, 192));
    EXPECT_EQ(pixelOf(face, {24 + 152 + 3, 56 + 126 + 3}), QColor(Qt::white)); // Label4
    // The frame's caption is navy; the controls in it are not.
    EXPECT_GT(navyPixels(face, QRect(24, 50, 60, 14)), 10);
    EXPECT_EQ(navyPixels(face, QRect(24 + 8, 56 + 16, 80, 13)), 0);

    auto* notice = child<QLabel>("Label1");
    EXPECT_TRUE(notice->font().bold());
    EXPECT_EQ(notice->font().pixelSize(), 13);
    EXPECT_EQ(notice->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    child("waitFrame")->show();
    EXPECT_GT(navyPixels(dialog.grab().toImage(), QRect(16 + 56, 72 + 24, 273, 17)), 100);
}

TEST_F(DialogTest, CounterRunsFromOneToForty) {
    auto* counter = child<UpDownControl>("UpDown1");
    auto* label = child<QLabel>("Label4");
    counter->stepDown();
    EXPECT_EQ(label->text(), "1");
    QTest::mouseClick(counter, Qt::LeftButton, {}, QPoint(8, 3)); // the upper arrow
    QTest::mouseClick(counter, Qt::LeftButton, {}, QPoint(8, 3));
    EXPECT_EQ(label->text(), "3");
    EXPECT_EQ(dialog.options().copies, 3);
    QTest::keyClick(counter, Qt::Key_Down);
    EXPECT_EQ(label->text(), "2");
    for (int i = 0; i < 50; ++i) {
        counter->stepUp();
    }
    EXPECT_EQ(label->text(), "40");
    EXPECT_EQ(dialog.options().copies, 40);
    QTest::mouseClick(counter, Qt::LeftButton, {}, QPoint(8, 16)); // the lower arrow
    EXPECT_EQ(label->text(), "39");
}

TEST_F(DialogTest, PositionIsTwentyPixelsBelowTheOwnersTop) {
    EXPECT_EQ(PrintOptionsDialog::position(QRect(100, 50, 806, 629), QSize(382, 250)),
              QPoint(312, 70));
}

TEST_F(DialogTest, WithoutPrinterTheDialogSaysSoAndOkAsksForAPdfFile) {
    EXPECT_EQ(child<QLabel>("defaut")->text(), "Aucune imprimante (fichier PDF)");
    child<QLineEdit>("Text1")->setText(QStringLiteral("Décharge dans R2"));
    child<UpDownControl>("UpDown1")->stepUp();
    const QString file = dir.filePath(QStringLiteral("page.pdf"));
    prompter.queueFile(file);
    child<QPushButton>("Command1")->click();

    ASSERT_EQ(prompter.fileRequests().size(), 1u);
    EXPECT_EQ(prompter.fileRequests()[0].proposedName, "Décharge dans R2.pdf");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.messages().empty());
    const QStringList texts = test::pdfPageTexts(file);
    ASSERT_EQ(texts.size(), 2);
    // The title first, then the pictures' own texts.
    EXPECT_TRUE(texts[0].startsWith("Décharge dans R2")) << texts[0].toStdString();
    EXPECT_EQ(texts[1], texts[0]);
}

TEST_F(DialogTest, CancellingThePdfFileLeavesTheDialogOpen) {
    prompter.queueFile(std::nullopt);
    child<QPushButton>("Command1")->click();
    EXPECT_EQ(prompter.fileRequests().size(), 1u);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(controlsShown());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(DialogTest, TheWaitNoticeStandsAloneWhileThePagesArePrinted) {
    printers.installed = QStringList{"Bureau"};
    prompter.queuePrinter(PrinterChoice{QStringLiteral("Bureau"), QString(), std::nullopt});
    child<QPushButton>("Command2")->click();
    EXPECT_EQ(child<QLabel>("defaut")->text(), "Bureau");
    child<QCheckBox>("Check1_0")->setChecked(false);
    bool waitNoticeAlone = false;
    printers.whilePrinting = [&] {
        waitNoticeAlone = !child("waitFrame")->isHidden() && child("Command1")->isHidden() &&
                          child("Command2")->isHidden() && child("Command3")->isHidden() &&
                          child("optionsFrame")->isHidden();
    };
    child<QPushButton>("Command1")->click();
    EXPECT_TRUE(waitNoticeAlone);
    EXPECT_EQ(printers.jobs, QStringList{"Varlune - Ohmora"});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.options().schematic);
}

TEST_F(DialogTest, AFailedPrintIsToldAndTheDialogStaysOpen) {
    prompter.queuePrinter(PrinterChoice{QStringLiteral("Bureau"), QString(), std::nullopt});
    child<QPushButton>("Command2")->click();
    child<QPushButton>("Command1")->click();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Imprimer");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(controlsShown());
}

TEST_F(DialogTest, AFileChosenAsPrinterIsShownAndKeptWhenTheNextChoiceIsCancelled) {
    const QString file = dir.filePath(QStringLiteral("a.pdf"));
    prompter.queuePrinter(PrinterChoice{QString(), file, std::nullopt});
    prompter.queuePrinter(std::nullopt);
    child<QPushButton>("Command2")->click();
    child<QPushButton>("Command2")->click();
    ASSERT_EQ(prompter.printerRequests().size(), 2u);
    EXPECT_EQ(prompter.printerRequests()[1].pdfFile, file); // opened on the current choice
    EXPECT_EQ(dialog.destination().pdfFile, file);
    EXPECT_EQ(child<QLabel>("defaut")->text(), "Fichier PDF : a.pdf");
    child<QPushButton>("Command1")->click(); // written without asking for a file
    EXPECT_TRUE(prompter.fileRequests().empty());
    EXPECT_EQ(test::pdfPageCount(file), 1);
}

TEST_F(DialogTest, CancelClosesWithoutPrinting) {
    child<QPushButton>("Command3")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(prompter.fileRequests().empty());
    EXPECT_TRUE(prompter.messages().empty());
}

// "&Imprimer" in the main window opens the dialog modally under the
// window's top; every opening starts from the same options.
class PrintButtonTest : public WindowFixture {};

TEST_F(PrintButtonTest, EachOpeningStartsAfresh) {
    struct Seen {
        QString title;
        bool schematic, graph, table;
        QString copies;
        QPoint position, expected;
        QWidget* parent;
    };
    std::vector<Seen> seen;
    const auto look = [&seen, this](QDialog& d) {
        seen.push_back(
            {d.findChild<QLineEdit*>("Text1")->text(),
             d.findChild<QCheckBox*>("Check1_0")->isChecked(),
             d.findChild<QCheckBox*>("Check1_1")->isChecked(),
             !d.findChild<QCheckBox*>("Check1_2")->isHidden(),
             d.findChild<QLabel*>("Label4")->text(), d.pos(),
             PrintOptionsDialog::position(window->frameGeometry(), d.frameGeometry().size()),
             d.parentWidget()});
        d.findChild<QLineEdit*>("Text1")->setText(QStringLiteral("Autre"));
        d.findChild<QCheckBox*>("Check1_0")->setChecked(false);
        d.findChild<QCheckBox*>("Check1_1")->setChecked(false);
        d.findChild<UpDownControl*>("UpDown1")->stepUp();
        d.findChild<QPushButton*>("Command3")->click();
    };
    prompter.queueModal(look);
    prompter.queueModal(look);
    child<QPushButton>("Command10")->click();
    child<QPushButton>("Command10")->click();
    EXPECT_EQ(prompter.modalRequests(), std::vector<QString>({"confimp", "confimp"}));
    ASSERT_EQ(seen.size(), 2u);
    for (const Seen& s : seen) {
        EXPECT_EQ(s.title, "Varlune - Ohmora");
        EXPECT_TRUE(s.schematic);
        EXPECT_TRUE(s.graph);
        EXPECT_FALSE(s.table);
        EXPECT_EQ(s.copies, "1");
        EXPECT_EQ(s.position, s.expected);
        EXPECT_EQ(s.parent, window.get());
    }
}

// The printer chosen with "&Imprimantes" stays chosen for the later
// openings; a PDF file chosen there holds for its opening only.
TEST_F(PrintButtonTest, ChosenPrinterIsKeptForLaterOpenings) {
    QStringList shown;
    const auto choose = [&shown](QDialog& d) {
        d.findChild<QPushButton*>("Command2")->click();
        shown << d.findChild<QLabel*>("defaut")->text();
        d.findChild<QPushButton*>("Command3")->click();
    };
    const auto look = [&shown](QDialog& d) {
        shown << d.findChild<QLabel*>("defaut")->text();
        d.reject();
    };
    prompter.queuePrinter(PrinterChoice{QStringLiteral("Bureau"), QString(), std::nullopt});
    prompter.queuePrinter(PrinterChoice{QString(), QStringLiteral("/tmp/x.pdf"), std::nullopt});
    prompter.queueModal(choose);
    prompter.queueModal(look);
    prompter.queueModal(choose);
    prompter.queueModal(look);
    for (int i = 0; i < 4; ++i) {
        child<QPushButton>("Command10")->click();
    }
    EXPECT_EQ(shown, QStringList({"Bureau", "Bureau", "Fichier PDF : x.pdf", "Bureau"}));
    ASSERT_EQ(prompter.printerRequests().size(), 2u);
    EXPECT_EQ(prompter.printerRequests()[1].printerName, "Bureau");
}

} // namespace
} // namespace ohmora
