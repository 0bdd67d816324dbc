// The exercises through the main window: the exercise menu built from the
// session's table and its entries carrying their actions, the browser
// previewing and opening an exercise, and the text box showing what the
// session holds. The shipped pack, copied into a program directory of the
// test's own. (What the actions themselves do is tested without a window,
// in tests/session.)

#include "ScriptedPrompter.h"
#include "core/ProgramState.h"
#include "dialogs/Menus.h"
#include "exercises/ExerciseBrowser.h"
#include "exercises/NewExerciseDialog.h"
#include "richtext/RichText.h"
#include "session/ExerciseText.h"
#include "window/MainWindow.h"
#include "window/ReadingWindow.h"
#include "window/SharedText.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace ohmora {
namespace {

namespace fs = std::filesystem;
using exercises::ExerciseBrowser;
using session::ExerciseAction;

const char* const kFirst = "rc-01-charge-constante-de-temps";

class Exercises : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ohmora-exercises-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& entry : fs::directory_iterator(OHMORA_PROGRAM_DIR)) {
            const std::string ext = entry.path().extension().string();
            if (ext == ".E34" || ext == ".rtf" || ext == ".P16" || ext == ".PEM") {
                fs::copy_file(entry.path(), dir / entry.path().filename());
            }
        }
        program.programDirectory = dir.string() + "/";
        window = std::make_unique<MainWindow>(program, &prompter, MainWindow::Options{false});
    }
    void TearDown() override {
        window.reset();
        fs::remove_all(dir);
    }

    QTextEdit& text() { return *window->textArea(); }
    QString fich() { return window->findChild<QLineEdit*>("fich")->text(); }
    QString path(const std::string& name) const {
        return QString::fromStdString((dir / name).string());
    }
    QString plain() { return rtf::plainText(*text().document()); }
    // A click on the exercise button that chooses `entry` in the menu.
    void choose(const char* entry) {
        prompter.queueMenuEntry(QString::fromUtf8(entry));
        QTest::mouseClick(window->findChild<QPushButton*>("btexo"), Qt::LeftButton);
    }
    // "Ouvrir un exercice", then `act` on the browser, the first exercise
    // previewed.
    void browse(const std::function<void(ExerciseBrowser&)>& act) {
        prompter.queueModal([&](QDialog& d) {
            auto& browser = dynamic_cast<ExerciseBrowser&>(d);
            browser.activate();
            act(browser);
        });
        choose("openexo");
    }

    fs::path dir;
    ProgramState program;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;
};

TEST_F(Exercises, TheMenuPopsUpUnderTheButtonWithItsRules) {
    std::unique_ptr<QMenu> menu = window->exerciseMenu();
    QStringList entries;
    for (const QAction* a : menu->actions()) {
        entries << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    }
    EXPECT_EQ(entries,
              (QStringList{"PRISENMAIN", "-", "openexo", "opencor", "-", "savetexte", "opentexte",
                           "imprimetexte", "agrandirtexte", "-", "Closexo", "-", "creeexo"}));
    EXPECT_EQ(menu->actions()[2]->text(), "Ouvrir un exercice (énoncé + configuration)");
    EXPECT_FALSE(menuEntry(*menu, int(ExerciseAction::ViewCorrection))->isEnabled());
    EXPECT_FALSE(menuEntry(*menu, int(ExerciseAction::CloseExercise))->isEnabled());
    EXPECT_TRUE(text().isReadOnly()); // the welcome text

    choose("PRISENMAIN");
    auto* btexo = window->findChild<QPushButton*>("btexo");
    ASSERT_EQ(prompter.menuRequests().size(), 1u);
    EXPECT_EQ(prompter.menuRequests()[0].position, btexo->mapToGlobal(QPoint(0, btexo->height())));
    EXPECT_EQ(fich(), path("ohmora.PEM"));
    EXPECT_EQ(window->findChild<QLineEdit*>("fich")->toolTip(), path("ohmora.PEM"));
    EXPECT_FALSE(text().isReadOnly());
    menu = window->exerciseMenu();
    EXPECT_TRUE(menuEntry(*menu, int(ExerciseAction::CloseExercise))->isEnabled());
    // A disabled entry chosen all the same does nothing.
    choose("opencor");
    EXPECT_EQ(fich(), path("ohmora.PEM"));
    choose("Closexo");
    EXPECT_TRUE(fich().isEmpty());
    EXPECT_TRUE(text().isReadOnly());
}

TEST_F(Exercises, TheBrowserPreviewsAndOpensAnExercise) {
    browse([&](ExerciseBrowser& b) {
        EXPECT_EQ(b.pathBox()->text(), path(std::string(kFirst) + ".E34"));
        EXPECT_EQ(b.titleLabel()->text(), "Constante de temps d'un dipôle RC");
        EXPECT_EQ(b.correctionLabel()->text(), "Exercice corrigé");
        EXPECT_TRUE(b.markShown(0) && b.markLit(0) && !b.markLit(1) && !b.markLit(2));
        EXPECT_TRUE(b.topicsBox()->toPlainText().startsWith("Programme de terminale (RC)"));
        EXPECT_TRUE(b.invitation()->isHidden());
        b.ouvreurClick();
        EXPECT_EQ(b.result(), QDialog::Accepted);
    });
    EXPECT_EQ(prompter.modalRequests(), std::vector<QString>{"Fichexo"});
    EXPECT_EQ(fich(), path(std::string(kFirst) + ".E34"));
    EXPECT_TRUE(plain().contains("Constante de temps d'un dipôle RC"));
    EXPECT_EQ(text().textCursor().position(), 0);
    EXPECT_FALSE(text().isReadOnly());
    EXPECT_TRUE(program.corrige);
    EXPECT_EQ(window->simulator().controls().textv[1], "470"); // the configuration applied
    EXPECT_EQ(window->windowTitle(), "Ohmora - " + path(std::string(kFirst) + "-enonce.P16"));
    // Typing into the text box is typed text of the session.
    QTest::keyClicks(&text(), "x");
    EXPECT_TRUE(program.textemodifie);
}

// A file the browser cannot open keeps it open, its message told.
TEST_F(Exercises, TheBrowserStaysOpenOnAFileItCannotOpen) {
    fs::copy_file(dir / (std::string(kFirst) + ".E34"), dir / "sans-enonce.E34");
    fs::remove(dir / (std::string(kFirst) + "-enonce.rtf"));
    browse([&](ExerciseBrowser& b) {
        b.selectFile(QStringLiteral("sans-enonce.E34"));
        b.ouvreurClick();
        EXPECT_NE(b.result(), QDialog::Accepted);
        EXPECT_TRUE(b.loadingPanel()->isHidden());
    });
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Fichier absent");
    EXPECT_TRUE(fich().isEmpty());
}

// In a folder without exercises the preview is emptied whole: nothing of
// the exercise previewed before stays above the invitation.
TEST_F(Exercises, AFolderWithoutExercisesInvitesToSelect) {
    fs::create_directories(dir / "vide");
    browse([&](ExerciseBrowser& b) {
        EXPECT_TRUE(b.invitation()->isHidden());
        b.folderList()->setCurrentRow(b.folderList()->count() - 1); // "vide", the only one
        b.folderList()->openHighlighted();
        EXPECT_EQ(b.fileList()->count(), 0);
        EXPECT_FALSE(b.invitation()->isHidden());
        EXPECT_TRUE(b.openButton()->isHidden());
        EXPECT_TRUE(b.pathBox()->text().isEmpty());
        EXPECT_TRUE(b.titleLabel()->text().isEmpty());
        EXPECT_TRUE(b.correctionLabel()->text().isEmpty());
        b.ouvreurClick(); // nothing to open
        EXPECT_NE(b.result(), QDialog::Accepted);
    });
    EXPECT_TRUE(fich().isEmpty());
}

// The height of the text's first line as an editor lays it out.
double firstLineHeight(const QTextEdit& editor) {
    const QTextDocument* d = editor.document();
    return d->documentLayout()->blockBoundingRect(d->firstBlock()).height();
}

// "Agrandir la fenêtre exercice": the same text, laid out at its own width
// and zoom, typed into in either window under the same rule.
TEST_F(Exercises, TheReadingWindowShowsAndEditsTheSameText) {
    window->show();
    choose("PRISENMAIN");
    program.textemodifie = false;
    choose("agrandirtexte");
    ReadingWindow* reader = window->readingWindow();
    ASSERT_NE(reader, nullptr);
    QTextEdit& big = *reader->text();
    const QString shown = plain();
    EXPECT_EQ(rtf::plainText(*big.document()), shown);
    EXPECT_EQ(reader->zoom(), ReadingWindow::kStartZoom);
    // Each editor lays the text out for itself: its width, its zoom.
    reader->resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_NE(big.document()->textWidth(), text().document()->textWidth());
    const double normal = firstLineHeight(text());
    EXPECT_NEAR(firstLineHeight(big), 2 * normal, 0.2 * normal);
    // Ctrl and the wheel zoom the text; Ctrl and - makes it smaller.
    QWheelEvent wheel(QPointF(10, 10), big.viewport()->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(big.viewport(), &wheel);
    EXPECT_EQ(reader->zoom(), 2.5);
    EXPECT_NEAR(firstLineHeight(big), 2.5 * normal, 0.25 * normal);
    reader->zoomOut();
    EXPECT_EQ(reader->zoom(), 2);
    EXPECT_FALSE(program.textemodifie); // a zoom is no typed text

    // What is typed in the reading window is in the text area, and typed
    // text of the session; and the other way round.
    big.setFocus(Qt::MouseFocusReason);
    big.moveCursor(QTextCursor::Start);
    QTest::keyClicks(&big, "Lu ");
    EXPECT_TRUE(program.textemodifie);
    EXPECT_EQ(big.document(), &window->session().text().document());
    window->sharedText().refreshCopy();
    EXPECT_TRUE(plain().startsWith("Lu "));
    QApplication::setActiveWindow(window.get());
    text().setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(text().document(), &window->session().text().document());
    EXPECT_EQ(text().textCursor().position(), 0); // where it was
    QTest::keyClicks(&text(), "Vu ");
    window->sharedText().refreshCopy();
    EXPECT_TRUE(rtf::plainText(*big.document()).startsWith("Vu Lu "));

    // Escape closes it; the text area keeps the text.
    QApplication::setActiveWindow(reader);
    QTest::keyClick(&big, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->readingWindow(), nullptr);
    EXPECT_EQ(text().document(), &window->session().text().document());
    EXPECT_TRUE(plain().startsWith("Vu Lu "));
}

// The reading window goes with the main window, from its button too.
TEST_F(Exercises, TheReadingWindowClosesWithTheMainWindow) {
    window->show();
    QTest::mouseClick(window->findChild<QPushButton*>("agrandir"), Qt::LeftButton);
    QPointer<ReadingWindow> reader = window->readingWindow();
    ASSERT_TRUE(reader && reader->isVisible());
    prompter.queueAnswer(MessageAnswer::Ok); // "Quitter vraiment Ohmora ?"
    EXPECT_TRUE(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(reader.isNull());
}

// "Créer un exercice…" played through the prompt interface: the dialog
// writes the exercise from the text typed and the simulator's
// configuration, with a correction chosen in the file dialog, and the
// browser then previews it, ready to be opened.
TEST_F(Exercises, TheCreatorWritesAnExerciseThatTheBrowserThenPreviews) {
    const fs::path out = dir / "mes tp";
    fs::create_directories(out);
    const QString correction = path(std::string(kFirst) + "-corrige.rtf");
    ASSERT_TRUE(window->session().openConfiguration(path("rc-05-capacite-inconnue-enonce.P16")));
    const Controls configured = window->simulator().controls();
    ASSERT_TRUE(window->session().text().openTextFile(path(std::string(kFirst) + "-enonce.rtf")));
    text().moveCursor(QTextCursor::End);
    QTest::keyClicks(&text(), " Question bonus.");
    const QString exercise = QString::fromStdString((out / "decharge-a-etudier.E34").string());

    prompter.queueFile(correction); // the correction's "Parcourir…"
    prompter.queueModal([&](QDialog& d) {
        auto& dialog = dynamic_cast<exercises::NewExerciseDialog&>(d);
        EXPECT_TRUE(dialog.statementFromText()->isChecked());
        EXPECT_TRUE(dialog.configurationBox()->isChecked());
        ASSERT_TRUE(dialog.showFolder(QString::fromStdString(out.string())));
        dialog.titleBox()->setText(QStringLiteral("Décharge à étudier"));
        dialog.topicsBox()->setPlainText(QStringLiteral("Programme de terminale"));
        dialog.difficultyBox()->setValue(2);
        QTest::mouseClick(dialog.findChild<QPushButton*>("parcourirCorrige"), Qt::LeftButton);
        EXPECT_EQ(dialog.correctionBox()->text(), correction);
        EXPECT_EQ(dialog.namesLabel()->text(),
                  "Fichiers écrits\u00A0: decharge-a-etudier.E34, decharge-a-etudier-enonce.rtf, "
                  "decharge-a-etudier-enonce.P16, decharge-a-etudier-corrige.rtf");
        QTest::mouseClick(dialog.createButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    prompter.queueModal([&](QDialog& d) {
        auto& browser = dynamic_cast<ExerciseBrowser&>(d);
        browser.activate();
        EXPECT_EQ(browser.pathBox()->text(), exercise);
        EXPECT_EQ(browser.titleLabel()->text(), "Décharge à étudier");
        EXPECT_EQ(browser.correctionLabel()->text(), "Exercice corrigé");
        EXPECT_TRUE(browser.markLit(1) && !browser.markLit(2));
        browser.ouvreurClick();
    });
    choose("creeexo");

    EXPECT_EQ(prompter.modalRequests(), (std::vector<QString>{"creeexo", "Fichexo"}));
    // The text typed is the new exercise's statement: opening it loses
    // nothing, and nothing is asked.
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(fich(), exercise);
    EXPECT_TRUE(plain().endsWith("Question bonus."));
    EXPECT_EQ(window->simulator().controls(), configured);
    EXPECT_EQ(window->windowTitle(),
              "Ohmora - " +
                  QString::fromStdString((out / "decharge-a-etudier-enonce.P16").string()));
    EXPECT_TRUE(program.corrige);
}

// A refusal keeps the dialog open, and no browser follows.
TEST_F(Exercises, TheCreatorStaysOpenWhenItCannotWrite) {
    prompter.queueModal([&](QDialog& d) {
        auto& dialog = dynamic_cast<exercises::NewExerciseDialog&>(d);
        dialog.statementFromFile()->setChecked(true); // but no file chosen
        dialog.titleBox()->setText(QStringLiteral("Sans énoncé"));
        dialog.clickCreate();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(dialog.createdPath().isEmpty());
    });
    choose("creeexo");
    EXPECT_EQ(prompter.modalRequests(), std::vector<QString>{"creeexo"});
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_TRUE(prompter.messages()[0].text.startsWith("Il faut un énoncé"));
    EXPECT_EQ(prompter.messages()[0].title, "Créer un exercice");
}

// `ohmora FILE`: what the session opens, the window shows.
TEST_F(Exercises, AFileGivenToTheProgramShowsInTheWindow) {
    const std::string exercise = std::string(kFirst) + ".E34";
    ASSERT_TRUE(window->session().openFile(path(exercise)));
    EXPECT_EQ(fich(), path(exercise));
    EXPECT_TRUE(plain().contains("Constante de temps d'un dipôle RC"));
    EXPECT_FALSE(text().isReadOnly());
    EXPECT_EQ(window->windowTitle(), "Ohmora - " + path(std::string(kFirst) + "-enonce.P16"));
    const std::string configuration = "rlc-01-oscillations-libres-corrige.P16";
    ASSERT_TRUE(window->session().openFile(path(configuration)));
    EXPECT_EQ(window->windowTitle(), "Ohmora - " + path(configuration));
    EXPECT_EQ(window->simulator().controls().montage, 1);
    EXPECT_TRUE(prompter.messages().empty());
}

} // namespace
} // namespace ohmora
