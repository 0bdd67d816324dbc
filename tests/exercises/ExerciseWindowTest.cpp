// The exercises through the main window: the welcome text, the exercise
// menu and its rules, the browser, the statement and its correction, free
// texts, printing, the typed-text question and the suite's request. The
// shipped pack, copied into a program directory of the test's own.

#include "PdfSupport.h"
#include "ScriptedPrompter.h"
#include "core/ProgramState.h"
#include "exercises/ExerciseBrowser.h"
#include "exercises/ExerciseSession.h"
#include "exercises/WelcomeText.h"
#include "files/MarkerFile.h"
#include "files/RecordFile.h"
#include "richtext/RichText.h"
#include "window/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace ohmora {
namespace {

namespace fs = std::filesystem;
using exercises::ExerciseBrowser;

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
        program.markerFile = (dir / "BREVANE.TMP").string();
        window = std::make_unique<MainWindow>(program, &prompter, MainWindow::Options{false});
    }

    exercises::ExerciseSession& session() { return window->exerciseSession(); }
    QTextEdit& text() { return *window->supertext(); }
    QString fich() { return window->findChild<QLineEdit*>("fich")->text(); }
    QString path(const std::string& name) const {
        return QString::fromStdString((dir / name).string());
    }
    QString plain() { return rtf::plainText(*text().document()); }

    // The browser opened from the menu: the first exercise previewed, then
    // `act` on the browser (e.g. its open button).
    void browse(const std::function<void(ExerciseBrowser&)>& act) {
        prompter.queueModal([&](QDialog& d) {
            auto& browser = dynamic_cast<ExerciseBrowser&>(d);
            browser.activate();
            act(browser);
        });
        session().openExerciseBrowser();
    }
    void openFirstExercise() {
        browse([](ExerciseBrowser& b) { b.ouvreurClick(); });
    }
    void typeIntoText(const char* typed) {
        QTextCursor cursor(text().document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QString::fromUtf8(typed));
    }

    fs::path dir;
    ProgramState program;
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;
};

TEST_F(Exercises, WelcomeTextHasItsPiecesAndStyles) {
    QString expected;
    for (const auto& piece : exercises::welcomePieces()) {
        expected += QString::fromUtf8(piece.text);
    }
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(plain(), expected);
    EXPECT_TRUE(text().isReadOnly());
    QTextBlock title = text().document()->firstBlock();
    EXPECT_EQ(title.text(), "Ohmora");
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat titleChars = title.begin().fragment().charFormat();
    EXPECT_EQ(titleChars.fontPointSize(), 18);
    EXPECT_EQ(titleChars.foreground().color(), QColor(0, 0, 200));
    EXPECT_LT(titleChars.baselineOffset(), 0);
    // Every other paragraph is indented; the blue pieces are blue.
    int blue = 0;
    for (QTextBlock b = title.next(); b.isValid(); b = b.next()) {
        if (!b.text().isEmpty()) {
            EXPECT_EQ(b.blockFormat().leftMargin(), 20) << b.text().toStdString();
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            EXPECT_EQ(f.fontPointSize(), 10);
            EXPECT_EQ(f.fontFamilies().toStringList().value(0), "Arial");
            blue += f.foreground().color() == QColor(0, 0, 200) ? 1 : 0;
        }
    }
    EXPECT_EQ(blue, 4); // the two instructions, "Exercices", "Prise en main "
    // With nothing open, a change of the box is not typed text.
    typeIntoText("x");
    EXPECT_FALSE(program.textemodifie);
}

TEST_F(Exercises, TheMenuFollowsItsRules) {
    std::unique_ptr<QMenu> menu(session().buildMenu(nullptr));
    QStringList entries;
    for (const QAction* a : menu->actions()) {
        entries << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    }
    EXPECT_EQ(entries, (QStringList{"PRISENMAIN", "-", "openexo", "opencor", "-", "savetexte",
                                    "opentexte", "imprimetexte", "-", "Closexo"}));
    EXPECT_EQ(menu->actions()[2]->text(), "Ouvrir un exercice (énoncé + configuration)");
    EXPECT_FALSE(menu->findChild<QAction*>("opencor")->isEnabled());
    EXPECT_FALSE(menu->findChild<QAction*>("Closexo")->isEnabled());

    openFirstExercise();
    menu.reset(session().buildMenu(nullptr));
    EXPECT_TRUE(menu->findChild<QAction*>("opencor")->isEnabled());
    EXPECT_TRUE(menu->findChild<QAction*>("Closexo")->isEnabled());

    // The button pops the menu up under its left edge; the item chosen
    // runs once.
    auto* btexo = window->findChild<QPushButton*>("btexo");
    prompter.queueMenuEntry(QStringLiteral("Closexo"));
    QTest::mouseClick(btexo, Qt::LeftButton);
    ASSERT_EQ(prompter.menuRequests().size(), 1u);
    EXPECT_EQ(prompter.menuRequests()[0].position, btexo->mapToGlobal(QPoint(0, btexo->height())));
    EXPECT_TRUE(fich().isEmpty());
    const size_t browsers = prompter.modalRequests().size();
    prompter.queueMenuEntry(QStringLiteral("openexo"));
    QTest::mouseClick(btexo, Qt::LeftButton);
    EXPECT_EQ(prompter.modalRequests().size(), browsers + 1);
}

TEST_F(Exercises, TheBrowserPreviewsAndOpensAnExercise) {
    browse([&](ExerciseBrowser& b) {
        EXPECT_EQ(b.fichierexo()->text(), path(std::string(kFirst) + ".E34"));
        EXPECT_EQ(b.titratexo()->text(), "Constante de temps d'un dipôle RC");
        EXPECT_EQ(b.label2()->text(), "Exercice corrigé");
        EXPECT_TRUE(b.markShown(0) && b.markLit(0) && !b.markLit(1) && !b.markLit(2));
        EXPECT_TRUE(b.text1()->toPlainText().startsWith("Programme de terminale (RC)"));
        EXPECT_TRUE(b.intratro()->isHidden());
        b.ouvreurClick();
        EXPECT_EQ(b.result(), QDialog::Accepted);
    });
    EXPECT_EQ(fich(), path(std::string(kFirst) + ".E34"));
    EXPECT_TRUE(plain().contains("Constante de temps d'un dipôle RC"));
    EXPECT_FALSE(text().isReadOnly());
    EXPECT_FALSE(program.textemodifie);
    EXPECT_TRUE(program.corrige);
    EXPECT_EQ(program.dossierexo, dir.string() + "/");
    EXPECT_EQ(window->simulator().controls().textv[1], "470"); // the configuration applied
    EXPECT_EQ(window->windowTitle(), "Ohmora - " + path(std::string(kFirst) + "-enonce.P16"));
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(Exercises, ADirectoryWithoutExercisesInvitesToSelect) {
    fs::create_directories(dir / "vide");
    program.programDirectory = (dir / "vide").string() + "/";
    browse([&](ExerciseBrowser& b) {
        EXPECT_EQ(b.file1()->count(), 0);
        EXPECT_FALSE(b.intratro()->isHidden());
        EXPECT_TRUE(b.ouvreur()->isHidden());
        EXPECT_TRUE(b.fichierexo()->text().isEmpty());
        b.ouvreurClick(); // nothing to open
        EXPECT_NE(b.result(), QDialog::Accepted);
    });
    EXPECT_TRUE(fich().isEmpty());
    // Going to a directory without exercises after a preview invites again.
    program.programDirectory = dir.string() + "/";
    browse([&](ExerciseBrowser& b) {
        EXPECT_TRUE(b.intratro()->isHidden());
        b.dir1()->setCurrentRow(b.dir1()->count() - 1); // "vide", the only sub-directory
        b.dir1()->openHighlighted();
        EXPECT_FALSE(b.intratro()->isHidden());
        EXPECT_TRUE(b.fichierexo()->text().isEmpty());
    });
}

TEST_F(Exercises, TypedTextIsNeverLostWithoutAQuestion) {
    openFirstExercise();
    typeIntoText(" Ma réponse : 94 ms.");
    ASSERT_TRUE(program.textemodifie);
    struct Item {
        const char* name;
        std::function<void()> run;
    };
    const Item items[] = {
        {"Ouvrir un exercice", [&] { session().openExerciseBrowser(); }},
        {"Voir la correction", [&] { session().viewCorrection(); }},
        {"Retrouver un texte", [&] { session().openText(); }},
        {"Fermer l'exercice", [&] { session().closeExercise(); }},
        {"Prise en main", [&] { session().priseEnMain(); }},
        {"Quitter", [&] { window->confirmClose(); }},
    };
    for (const Item& item : items) {
        prompter.clear();
        prompter.queueAnswer(MessageAnswer::Cancel);
        item.run();
        ASSERT_EQ(prompter.messages().size(), 1u) << item.name; // no quit question after it
        EXPECT_EQ(prompter.messages()[0].text, "Attention: perte des modifications du texte.");
        EXPECT_EQ(prompter.messages()[0].title, "Abandon des données?");
        EXPECT_TRUE(plain().contains("Ma réponse")) << item.name;
        EXPECT_TRUE(program.textemodifie) << item.name;
        EXPECT_TRUE(prompter.modalRequests().empty()) << item.name;
    }
    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Ok);
    session().closeExercise();
    EXPECT_TRUE(fich().isEmpty());
    EXPECT_FALSE(program.textemodifie);
    EXPECT_FALSE(program.corrige);
    EXPECT_TRUE(plain().startsWith("Ohmora\n"));
    EXPECT_TRUE(text().isReadOnly());
}

TEST_F(Exercises, TheCorrectionIsLockedAndItsConfigurationApplied) {
    openFirstExercise();
    session().viewCorrection();
    EXPECT_TRUE(text().isReadOnly());
    EXPECT_TRUE(plain().contains("94,0 ms"));
    EXPECT_EQ(window->windowTitle(), "Ohmora - " + path(std::string(kFirst) + "-corrige.P16"));
    EXPECT_FALSE(program.textemodifie);
    // Gone once something else is opened.
    session().priseEnMain();
    EXPECT_EQ(fich(), path("ohmora.PEM"));
    EXPECT_FALSE(program.corrige);
    EXPECT_FALSE(text().isReadOnly());
}

TEST_F(Exercises, HostileExerciseFilesAreToldAndLoadNothing) {
    const std::string good = std::string(kFirst) + ".E34";
    files::RecordImage original(*files::readFileHead(dir / good, 4096));
    const auto withStatement = [&](const char* name, const char* statement) {
        files::RecordImage image = original;
        image.write(1, statement);
        std::ofstream(dir / name, std::ios::binary) << image.bytes();
    };
    withStatement("parent.E34", "../rc-01-charge-constante-de-temps-enonce.rtf");
    withStatement("absolu.E34", "/etc/passwd");
    withStatement("absent.E34", "manque.rtf");
    fs::create_directories(dir / "dossier.rtf");
    withStatement("dossier.E34", "dossier.rtf");
    std::ofstream(dir / "tronque.E34", std::ios::binary) << original.bytes().substr(0, 140);
    struct Case {
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"parent.E34",
         "Le fichier %1../rc-01-charge-constante-de-temps-enonce.rtf est introuvable"},
        {"absolu.E34", "Le fichier %1/etc/passwd est introuvable"},
        {"absent.E34", "Le fichier %1manque.rtf est introuvable"},
        {"dossier.E34", "Le fichier %1dossier.rtf est introuvable"},
        {"tronque.E34", "Vérifier:\n- le nom du fichier,\n- l'état du lecteur."},
    };
    const QString before = plain();
    for (const Case& c : cases) {
        prompter.clear();
        browse([&](ExerciseBrowser& b) {
            b.selectFile(QString::fromUtf8(c.file));
            prompter.clear(); // the preview's own message, for the damaged file
            b.ouvreurClick();
            EXPECT_NE(b.result(), QDialog::Accepted) << c.file; // the browser stays open
        });
        ASSERT_EQ(prompter.messages().size(), 1u) << c.file;
        QString message = QString::fromUtf8(c.message);
        message.replace(QStringLiteral("%1"), QString::fromStdString(dir.string() + "/"));
        EXPECT_EQ(prompter.messages()[0].text, message) << c.file;
        EXPECT_EQ(plain(), before) << c.file;
        EXPECT_TRUE(fich().isEmpty()) << c.file;
    }
}

TEST_F(Exercises, FreeTextsAreSavedAndReopened) {
    openFirstExercise();
    typeIntoText(" Réponse.");
    const QString saved = path("reponse.RTF");
    prompter.queueFile(saved);
    session().saveText();
    EXPECT_FALSE(program.textemodifie);
    ASSERT_EQ(prompter.fileRequests().size(), 1u);
    EXPECT_EQ(prompter.fileRequests()[0].filter, "Texte au format RTF (*.RTF)");
    EXPECT_EQ(prompter.fileRequests()[0].defaultSuffix, "RTF");

    // Over an existing file: Cancel keeps the file and the flag.
    typeIntoText(" Encore.");
    prompter.clear();
    prompter.queueFile(saved);
    prompter.queueAnswer(MessageAnswer::Cancel);
    session().saveText();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Le fichier reponse.RTF existe déjà.\nEcraser l'ancien?");
    EXPECT_TRUE(program.textemodifie);
    // A file that cannot be written: the text stays unsaved.
    fs::create_directories(dir / "occupe.RTF");
    prompter.clear();
    prompter.queueFile(path("occupe.RTF"));
    prompter.queueAnswer(MessageAnswer::Ok);
    session().saveText();
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].title, "Erreur d'écriture.");
    EXPECT_TRUE(program.textemodifie);

    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Ok); // the typed text may go
    prompter.queueFile(saved);
    session().openText();
    EXPECT_EQ(fich(), "Texte: " + saved);
    EXPECT_TRUE(plain().contains("Réponse.") && !plain().contains("Encore."));
    EXPECT_FALSE(program.corrige);
    EXPECT_FALSE(program.textemodifie);

    // A file that cannot be read leaves everything as it was.
    typeIntoText(" Suite.");
    std::ofstream(dir / "pas-rtf.RTF") << "pas du RTF";
    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Ok);
    prompter.queueFile(path("pas-rtf.RTF"));
    const QString before = plain();
    session().openText();
    EXPECT_EQ(prompter.messages().back().title, "Erreur de lecture.");
    EXPECT_EQ(plain(), before);
    EXPECT_EQ(fich(), "Texte: " + saved);
    EXPECT_TRUE(program.textemodifie);
}

TEST_F(Exercises, TheTextPrintsWithItsContent) {
    openFirstExercise();
    const QString pdf = path("texte.pdf");
    PrinterChoice toFile;
    toFile.pdfFile = pdf;
    prompter.queuePrinter(toFile);
    session().printText();
    ASSERT_TRUE(fs::exists(pdf.toStdString()));
    EXPECT_GE(test::pdfPageCount(pdf), 1);
    EXPECT_TRUE(test::pdfPageTexts(pdf).join(QString()).contains("Constante de temps"));
    prompter.queuePrinter(std::nullopt); // cancelled: nothing printed
    fs::remove(pdf.toStdString());
    session().printText();
    EXPECT_FALSE(fs::exists(pdf.toStdString()));
}

TEST_F(Exercises, TheGuideNeedsItsFile) {
    fs::remove(dir / "ohmora.PEM");
    session().priseEnMain();
    EXPECT_TRUE(fich().isEmpty());
    EXPECT_TRUE(prompter.messages().empty());
}

// Another program of the suite asks for an exercise: it opens once, with
// its correction offered whatever the file says.
TEST_F(Exercises, TheSuitesRequestOpensAnExerciseOnce) {
    const fs::path marker = dir / "BREVANE.TMP";
    files::RecordImage image(*files::readFileHead(dir / (std::string(kFirst) + ".E34"), 4096));
    image.write(3, "");
    image.write(4, "");
    std::ofstream(dir / "sans-corrige.E34", std::ios::binary) << image.bytes();
    ASSERT_TRUE(
        files::writeMarkerRecord(marker, files::kExerciseRequestRecord, "sans-corrige.E34"));
    session().serveExerciseRequest();
    EXPECT_EQ(fich(), path("sans-corrige.E34"));
    EXPECT_TRUE(program.corrige);
    EXPECT_EQ(files::RecordImage(*files::readFileHead(marker, 8192)).read(31).text, "");
    session().closeExercise();
    session().serveExerciseRequest();
    EXPECT_TRUE(fich().isEmpty());
}

} // namespace
} // namespace ohmora
