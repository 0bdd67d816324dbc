// The exercise text area of the application layer, without a widget: the
// welcome text, the menu's rules, exercises and their corrections, the
// guide, free texts saved, reopened and printed, the typed-text question
// and the suite's request. The shipped pack, copied into a program
// directory of the test's own.

#include "SessionFixture.h"

#include "PdfSupport.h"
#include "dialogs/MenuEntry.h"
#include "files/MarkerFile.h"
#include "files/RecordFile.h"
#include "richtext/RichText.h"
#include "session/ExerciseText.h"
#include "session/WelcomeText.h"

#include <QDir>
#include <QTextBlock>
#include <QTextCursor>

#include <fstream>

namespace ohmora {
namespace {

namespace fs = std::filesystem;
using session::ExerciseAction;

const std::string kFirst = "rc-01-charge-constante-de-temps";

class ExerciseTexts : public test::SessionFixture {
protected:
    session::ExerciseText& text() { return session->text(); }
    QString plain() { return rtf::plainText(text().document()); }
    void type(const char* typed) {
        QTextCursor cursor(&text().document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QString::fromUtf8(typed));
    }
    void openFirst() { ASSERT_TRUE(text().openExerciseFile(path(kFirst + ".E34"))); }
};

TEST_F(ExerciseTexts, TheWelcomeTextHasItsPiecesAndStylesAndIsLocked) {
    QString expected;
    for (const auto& piece : session::welcomePieces()) {
        expected += QString::fromUtf8(piece.text);
    }
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(plain(), expected);
    EXPECT_TRUE(text().locked());
    EXPECT_TRUE(text().fich().isEmpty());
    QTextBlock title = text().document().firstBlock();
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
    // With nothing open, a change of the text is not typed text.
    type("x");
    EXPECT_FALSE(program.textemodifie);
}

TEST_F(ExerciseTexts, TheMenuHasItsEntriesAndRules) {
    QStringList entries;
    for (const MenuEntry& e : session::exerciseMenu()) {
        entries << (e.separatorBefore ? "-" : "") + QString::fromUtf8(e.name.data(), e.name.size());
    }
    EXPECT_EQ(entries, (QStringList{"PRISENMAIN", "-openexo", "opencor", "-savetexte", "opentexte",
                                    "imprimetexte", "agrandirtexte", "-Closexo", "-creeexo"}));
    EXPECT_FALSE(text().enabled(ExerciseAction::ViewCorrection));
    EXPECT_FALSE(text().enabled(ExerciseAction::CloseExercise));
    EXPECT_TRUE(text().enabled(ExerciseAction::SaveText));
    openFirst();
    EXPECT_TRUE(text().enabled(ExerciseAction::ViewCorrection));
    EXPECT_TRUE(text().enabled(ExerciseAction::CloseExercise));
    // "Ouvrir un exercice" asks the host to show the browser, nothing more.
    EXPECT_EQ(text().run(ExerciseAction::OpenExercise),
              session::ExerciseText::Outcome::ShowBrowser);
    EXPECT_EQ(text().fich(), path(kFirst + ".E34"));
    // So does "Agrandir la fenêtre exercice" for the reading window.
    EXPECT_TRUE(text().enabled(ExerciseAction::EnlargeText));
    EXPECT_EQ(text().run(ExerciseAction::EnlargeText),
              session::ExerciseText::Outcome::ShowReadingWindow);
    // "Créer un exercice…" asks for its dialog, whatever is open.
    EXPECT_TRUE(text().enabled(ExerciseAction::CreateExercise));
    EXPECT_EQ(text().run(ExerciseAction::CreateExercise),
              session::ExerciseText::Outcome::ShowCreator);
    EXPECT_EQ(text().fich(), path(kFirst + ".E34"));
    text().run(ExerciseAction::CloseExercise);
    EXPECT_FALSE(text().enabled(ExerciseAction::CloseExercise));
    EXPECT_FALSE(text().enabled(ExerciseAction::ViewCorrection));
}

TEST_F(ExerciseTexts, AnExerciseOpensWithItsConfiguration) {
    const int replaced = heard.replacements;
    openFirst();
    EXPECT_EQ(text().fich(), path(kFirst + ".E34"));
    EXPECT_TRUE(plain().contains("Constante de temps d'un dipôle RC"));
    EXPECT_FALSE(text().locked());
    EXPECT_FALSE(program.textemodifie);
    EXPECT_TRUE(program.corrige);
    EXPECT_EQ(program.dossierexo, dir.string() + "/");
    EXPECT_EQ(controls().textv[1], "470"); // the configuration applied
    EXPECT_EQ(session->caption(), "Ohmora - " + path(kFirst + "-enonce.P16"));
    EXPECT_GT(heard.replacements, replaced);
    EXPECT_TRUE(prompter.messages().empty());

    text().viewCorrection();
    EXPECT_TRUE(text().locked());
    EXPECT_TRUE(plain().contains("94,0 ms"));
    EXPECT_EQ(session->caption(), "Ohmora - " + path(kFirst + "-corrige.P16"));
    // Gone once something else is opened.
    text().priseEnMain();
    EXPECT_EQ(text().fich(), path("ohmora.PEM"));
    EXPECT_FALSE(program.corrige);
    EXPECT_FALSE(text().locked());
}

TEST_F(ExerciseTexts, HostileExerciseFilesAreToldAndLoadNothing) {
    files::RecordImage original(*files::readFileHead(dir / (kFirst + ".E34"), 4096));
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
    program.dossierexo = dir.string() + "/";
    for (const Case& c : cases) {
        prompter.clear();
        EXPECT_FALSE(text().openExercise(path(c.file), false)) << c.file;
        ASSERT_EQ(prompter.messages().size(), 1u) << c.file;
        QString message = QString::fromUtf8(c.message);
        message.replace(QStringLiteral("%1"), QString::fromStdString(dir.string() + "/"));
        EXPECT_EQ(prompter.messages()[0].text, message) << c.file;
        EXPECT_EQ(plain(), before) << c.file;
        EXPECT_TRUE(text().fich().isEmpty()) << c.file;
    }
}

TEST_F(ExerciseTexts, TypedTextIsNeverLostWithoutAQuestion) {
    openFirst();
    type(" Ma réponse : 94 ms.");
    ASSERT_TRUE(program.textemodifie);
    for (const ExerciseAction action :
         {ExerciseAction::OpenExercise, ExerciseAction::ViewCorrection, ExerciseAction::OpenText,
          ExerciseAction::CloseExercise, ExerciseAction::Guide}) {
        prompter.clear();
        prompter.queueAnswer(MessageAnswer::Cancel);
        EXPECT_EQ(text().run(action), session::ExerciseText::Outcome::Done) << int(action);
        ASSERT_EQ(prompter.messages().size(), 1u) << int(action);
        EXPECT_EQ(prompter.messages()[0].text, "Attention: perte des modifications du texte.");
        EXPECT_EQ(prompter.messages()[0].title, "Abandon des données?");
        EXPECT_TRUE(plain().contains("Ma réponse")) << int(action);
        EXPECT_TRUE(program.textemodifie) << int(action);
        EXPECT_TRUE(prompter.fileRequests().empty()) << int(action);
    }
    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Ok);
    text().closeExercise();
    EXPECT_TRUE(text().fich().isEmpty());
    EXPECT_FALSE(program.textemodifie);
    EXPECT_FALSE(program.corrige);
    EXPECT_TRUE(plain().startsWith("Ohmora\n"));
    EXPECT_TRUE(text().locked());
}

// The text is saved where the user can write: the last folder used, else
// home; a failure says why; an existing file is asked about in the
// program's own words only.
TEST_F(ExerciseTexts, FreeTextsAreSavedAndReopened) {
    openFirst();
    type(" Réponse.");
    const QString saved = path("reponse.RTF");
    prompter.queueFile(saved);
    text().saveText();
    EXPECT_FALSE(program.textemodifie);
    ASSERT_EQ(prompter.fileRequests().size(), 1u);
    const FileChoice first = prompter.fileRequests()[0];
    EXPECT_EQ(first.filter, "Texte au format RTF (*.RTF)");
    EXPECT_EQ(first.defaultSuffix, "RTF");
    EXPECT_EQ(first.directory, QDir::homePath());
    EXPECT_FALSE(first.asksBeforeOverwriting);

    // Over an existing file: Cancel keeps the file and the flag; the next
    // dialog starts in the folder last used.
    type(" Encore.");
    prompter.clear();
    prompter.queueFile(saved);
    prompter.queueAnswer(MessageAnswer::Cancel);
    text().saveText();
    EXPECT_EQ(prompter.fileRequests()[0].directory, QString::fromStdString(dir.string()));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Le fichier reponse.RTF existe déjà.\nEcraser l'ancien?");
    EXPECT_TRUE(program.textemodifie);
    // A file that cannot be written: the text stays unsaved, and the
    // message says why.
    fs::create_directories(dir / "occupe.RTF");
    prompter.clear();
    prompter.queueFile(path("occupe.RTF"));
    prompter.queueAnswer(MessageAnswer::Ok);
    text().saveText();
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].title, "Erreur d'écriture.");
    EXPECT_TRUE(prompter.messages()[1].text.startsWith(
        "Vérifier l'état du lecteur et le nom du fichier.\n("));
    EXPECT_TRUE(prompter.messages()[1].text.contains("un dossier porte ce nom"));
    EXPECT_TRUE(program.textemodifie);

    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Ok); // the typed text may go
    prompter.queueFile(saved);
    text().openText();
    EXPECT_EQ(text().fich(), "Texte: " + saved);
    EXPECT_TRUE(plain().contains("Réponse.") && !plain().contains("Encore."));
    EXPECT_FALSE(program.corrige);
    EXPECT_FALSE(program.textemodifie);

    // A file that cannot be read leaves everything as it was.
    type(" Suite.");
    std::ofstream(dir / "pas-rtf.RTF") << "pas du RTF";
    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Ok);
    prompter.queueFile(path("pas-rtf.RTF"));
    const QString before = plain();
    text().openText();
    EXPECT_EQ(prompter.messages().back().title, "Erreur de lecture.");
    EXPECT_EQ(plain(), before);
    EXPECT_EQ(text().fich(), "Texte: " + saved);
    EXPECT_TRUE(program.textemodifie);
}

TEST_F(ExerciseTexts, AFolderThatCannotBeWrittenIsNotProposed) {
    const fs::path folder = dir / "classe";
    fs::create_directories(folder);
    std::ofstream(folder / "texte.rtf") << "{\\rtf1 Bonjour}";
    ASSERT_TRUE(text().openTextFile(QString::fromStdString((folder / "texte.rtf").string())));
    prompter.queueFile(std::nullopt);
    text().saveText();
    EXPECT_EQ(prompter.fileRequests().back().directory, QString::fromStdString(folder.string()));
    fs::remove_all(folder); // a folder gone, or read-only, takes no file
    prompter.queueFile(std::nullopt);
    text().saveText();
    EXPECT_EQ(prompter.fileRequests().back().directory, QDir::homePath());
}

TEST_F(ExerciseTexts, TheTextPrintsWithItsContentOrItsSelection) {
    openFirst();
    const QString pdf = path("texte.pdf");
    prompter.queuePrinter(PrinterChoice{QString(), pdf, std::nullopt});
    text().printText();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_TRUE(test::pdfPageTexts(pdf).join(QString()).contains("Constante de temps"));

    QTextCursor selection(&text().document());
    selection.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor, 2);
    const QString part = selection.selectedText().trimmed();
    printers.installed = QStringList{"Salle 12"};
    prompter.queuePrinter(PrinterChoice{QStringLiteral("Salle 12"), QString(), std::nullopt});
    text().printText(selection);
    EXPECT_EQ(printers.jobs, QStringList{kFirst.c_str()});
    const QString printed = QString::fromStdString((dir / "selection.pdf").string());
    std::ofstream(printed.toStdString(), std::ios::binary) << printers.lastJob.toStdString();
    const QString page = test::pdfPageTexts(printed).join(QString());
    EXPECT_TRUE(page.startsWith(part)) << page.toStdString();
    EXPECT_FALSE(page.contains("Constante")) << page.toStdString(); // the selection only

    prompter.queuePrinter(std::nullopt); // cancelled: nothing printed
    text().printText();
    EXPECT_EQ(printers.jobs.size(), 1);
}

// Without "ohmora.PEM", "Prise en main" does nothing at all.
TEST_F(ExerciseTexts, TheGuideNeedsItsFile) {
    fs::remove(dir / "ohmora.PEM");
    text().priseEnMain();
    EXPECT_TRUE(text().fich().isEmpty());
    EXPECT_TRUE(prompter.messages().empty());
}

// Another program of the suite asks for an exercise: it opens once, with
// its correction offered whatever the file says.
TEST_F(ExerciseTexts, TheSuitesRequestOpensAnExerciseOnce) {
    const fs::path marker = dir / "BREVANE.TMP";
    files::RecordImage image(*files::readFileHead(dir / (kFirst + ".E34"), 4096));
    image.write(3, "");
    image.write(4, "");
    std::ofstream(dir / "sans-corrige.E34", std::ios::binary) << image.bytes();
    ASSERT_TRUE(
        files::writeMarkerRecord(marker, files::kExerciseRequestRecord, "sans-corrige.E34"));
    text().serveExerciseRequest();
    EXPECT_EQ(text().fich(), path("sans-corrige.E34"));
    EXPECT_TRUE(program.corrige);
    EXPECT_EQ(files::RecordImage(*files::readFileHead(marker, 8192)).read(31).text, "");
    text().closeExercise();
    text().serveExerciseRequest();
    EXPECT_TRUE(text().fich().isEmpty());
}

} // namespace
} // namespace ohmora
