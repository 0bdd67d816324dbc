// The application layer's own actions, without a widget: configurations
// saved and opened (the caption, the replay, the messages), copies, the
// printer path, the closing questions and the help.

#include "SessionFixture.h"

#include "PdfSupport.h"
#include "core/SwitchZones.h"
#include "files/ConfigurationFile.h"
#include "session/ExerciseText.h"
#include "session/Printing.h"
#include "window/HelpTexts.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QTextCursor>

#include <cmath>
#include <fstream>

namespace ohmora {
namespace {

namespace fs = std::filesystem;
using Sessions = test::SessionFixture;

const std::string kSample = std::string(OHMORA_TEST_DATA_DIR) + "/config/tp-oscillations.P16";

TEST_F(Sessions, ConfigurationsAreSavedAndReopenedWithTheirCaption) {
    const files::ConfigurationRead wanted = files::loadConfiguration(kSample);
    ASSERT_TRUE(wanted.controls);
    EXPECT_EQ(session->caption(), "Ohmora");
    ASSERT_TRUE(session->openConfiguration(QString::fromStdString(kSample)));
    EXPECT_EQ(controls(), *wanted.controls);
    EXPECT_EQ(session->simulator().state().run.position, 0);
    EXPECT_EQ(session->caption(), "Ohmora - " + QString::fromStdString(kSample));
    EXPECT_EQ(heard.redraws.size(), 1u); // one replay, redrawn once
    EXPECT_EQ(heard.captions, 1);

    ASSERT_TRUE(session->saveConfiguration(path("essai.P16")));
    EXPECT_EQ(program.cheminconfig, (dir / "essai.P16").string());
    EXPECT_EQ(session->caption(), "Ohmora - " + path("essai.P16"));
    ProgramState other;
    ScriptedPrompts otherPrompts;
    session::Session fresh(other, otherPrompts);
    other.cheminconfig = (dir / "essai.P16").string();
    ASSERT_TRUE(fresh.openconfig());
    EXPECT_EQ(fresh.simulator().controls(), *wanted.controls);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_TRUE(otherPrompts.messages().empty());
}

TEST_F(Sessions, AFailedLoadOrSaveChangesNothingButSaysWhy) {
    const std::string good = *files::configurationBytes(controls());
    std::string montage7 = good;
    montage7.replace(9 * 128, 4, std::string("\x02\x00 7", 4));
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    };
    const Case cases[] = {
        {"empty", "", "Ce fichier ne correspond pas à cette application"},
        {"lower-case signature",
         std::string("\x04\x00"
                     "capa",
                     6),
         "Ce fichier ne correspond pas à cette application"},
        {"montage 7", montage7, "Lecture impossible sur disque"},
    };
    const Controls before = controls();
    for (const Case& c : cases) {
        std::ofstream(dir / "bad.P16", std::ios::binary) << c.bytes;
        prompter.clear();
        EXPECT_TRUE(session->openConfiguration(path("bad.P16"))) << c.name; // the dialog closes
        ASSERT_EQ(prompter.messages().size(), 1u) << c.name;
        EXPECT_EQ(prompter.messages()[0].text, c.message) << c.name;
        EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Stop) << c.name;
    }
    prompter.clear();
    EXPECT_FALSE(session->openConfiguration(path("missing.P16"))); // the dialog stays open
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Nom de fichier incorrect ou chemin non valide");
    EXPECT_EQ(prompter.messages()[0].title, "impossible d'ouvrir ce fichier");

    fs::create_directories(dir / "taken.P16");
    prompter.clear();
    EXPECT_FALSE(session->saveConfiguration(path("taken.P16")));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Ecriture impossible sur disque");
    EXPECT_EQ(prompter.messages()[0].title, "Enregistrement impossible");

    EXPECT_EQ(controls(), before);
    EXPECT_EQ(session->caption(), "Ohmora");
    EXPECT_TRUE(heard.redraws.empty());
    EXPECT_EQ(heard.captions, 0);
}

// A file that stops after its signature is accepted, its missing records
// read empty: the formulas then read the limits and nothing divides by 0.
TEST_F(Sessions, AConfigurationCutAfterItsSignatureLoadsEmptyTexts) {
    std::ofstream(dir / "court.P16", std::ios::binary) << std::string("\x04\x00"
                                                                      "CAPA",
                                                                      6);
    ASSERT_TRUE(session->openConfiguration(path("court.P16")));
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(controls().montage, 0);
    EXPECT_EQ(controls().textv[0], "");
    Simulator& sim = session->simulator();
    sim.chooseMontage(1);
    sim.setQuantity(SlotI, true);
    for (int zone : {1, 2}) {
        const Point p = pointOnSwitch(1, zone);
        sim.mouseMoveSchematic(p.x, p.y);
        sim.clickSchematic();
        for (int n = 0; n < 20; ++n) {
            sim.tick();
            for (float v : sim.state().run.valeurs) {
                ASSERT_TRUE(std::isfinite(v)) << "zone " << zone << ", tick " << n;
            }
        }
    }
}

TEST_F(Sessions, CopiesLeaveTheCopyMessageWhetherOrNotOneWasChosen) {
    QGuiApplication::clipboard()->setText(QStringLiteral("avant"));
    session->copy(std::nullopt);
    EXPECT_EQ(session->simulator().state().info, kMessageCopie);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "avant");
    session->copy(CopyKind::Table);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              session->simulator().state().table.text());
}

// Without a printer the page goes to a PDF file the user names: proposed
// in a folder that exists, the system's dialog asking before replacing a
// file.
TEST_F(Sessions, WithoutPrinterThePageGoesToAPdfFileTheUserNames) {
    session::Printing& printing = session->printing();
    const PrinterChoice none = printing.startingDestination();
    EXPECT_TRUE(none.printerName.isEmpty() && none.pdfFile.isEmpty());
    EXPECT_FALSE(printing.target(none, QStringLiteral("Décharge dans R2"))); // cancelled
    ASSERT_EQ(prompter.fileRequests().size(), 1u);
    const FileChoice& asked = prompter.fileRequests()[0];
    EXPECT_TRUE(asked.title.contains("PDF"));
    EXPECT_TRUE(QFileInfo(asked.directory).isDir()) << asked.directory.toStdString();
    EXPECT_EQ(asked.proposedName, "Décharge dans R2.pdf");
    EXPECT_EQ(asked.defaultSuffix, "pdf");
    EXPECT_TRUE(asked.asksBeforeOverwriting);

    prompter.queueFile(path("page.pdf"));
    const auto target = printing.target(none, QStringLiteral("Décharge dans R2"));
    ASSERT_TRUE(target);
    PageOptions options;
    options.title = QStringLiteral("Décharge dans R2");
    options.copies = 2;
    ASSERT_TRUE(session->printPage(*target, options));
    EXPECT_EQ(test::pdfPageCount(path("page.pdf")), 2);
    // The title first, then the pictures' own texts.
    EXPECT_TRUE(test::pdfPageTexts(path("page.pdf")).value(1).startsWith("Décharge dans R2"));
}

TEST_F(Sessions, PdfFilesAreProposedInAFolderThatExists) {
    const QString home = QString::fromStdString(dir.string());
    EXPECT_EQ(session::pdfFolder(home + "/Documents", home), home); // no such folder
    fs::create_directories(dir / "Documents");
    EXPECT_EQ(session::pdfFolder(home + "/Documents", home), home + "/Documents");
    EXPECT_EQ(session::pdfFolder(QString(), home), home);
    EXPECT_EQ(session::suggestedPdfPath(home, " a/b:c? "), home + "/a-b-c-.pdf");
    EXPECT_EQ(session::suggestedPdfPath(home, ""), home + "/Ohmora.pdf");
}

TEST_F(Sessions, PrintersAreUsedAndTheChosenOneKept) {
    printers.installed = QStringList{"Salle 12", "Bureau"};
    session::Printing& printing = session->printing();
    EXPECT_EQ(printing.startingDestination().printerName, "Salle 12");
    ASSERT_TRUE(session->printPage(printing.startingDestination(), PageOptions{}));
    EXPECT_EQ(printers.jobs, QStringList{"Varlune - Ohmora"});
    EXPECT_TRUE(printers.lastJob.startsWith("%PDF"));

    prompter.queuePrinter(PrinterChoice{QStringLiteral("Bureau"), QString(), std::nullopt});
    prompter.queuePrinter(PrinterChoice{QString(), path("x.pdf"), std::nullopt});
    printing.choosePrinter(printing.startingDestination());
    EXPECT_EQ(printing.startingDestination().printerName, "Bureau");
    printing.choosePrinter(printing.startingDestination()); // a file holds for one print
    EXPECT_EQ(printing.startingDestination().printerName, "Bureau");
    EXPECT_EQ(prompter.printerRequests().back().printerName, "Bureau");
}

TEST_F(Sessions, PrintFailuresAreTold) {
    fs::create_directories(dir / "dossier.pdf");
    struct Case {
        const char* name;
        PrinterChoice target;
        QString message;
    };
    const Case cases[] = {
        {"missing printer",
         {QStringLiteral("Bureau"), {}, {}},
         QStringLiteral("L'imprimante Bureau n'est pas disponible.")},
        {"folder in the way",
         {{}, path("dossier.pdf"), {}},
         QStringLiteral("Le fichier «\u00A0%1\u00A0» n'a pas pu être enregistré.")
             .arg(path("dossier.pdf"))},
        {"nowhere", {}, QStringLiteral("Aucune imprimante n'est installée.")},
    };
    for (const Case& c : cases) {
        prompter.clear();
        EXPECT_FALSE(session->printPage(c.target, PageOptions{})) << c.name;
        ASSERT_EQ(prompter.messages().size(), 1u) << c.name;
        EXPECT_TRUE(prompter.messages()[0].text.startsWith(c.message))
            << c.name << ": " << prompter.messages()[0].text.toStdString();
        EXPECT_EQ(prompter.messages()[0].title, "Imprimer") << c.name;
    }
    EXPECT_TRUE(fs::is_directory(dir / "dossier.pdf"));
}

TEST_F(Sessions, ClosingAsksAndTypedTextAsksFirst) {
    prompter.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(session->confirmClose());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Quitter vraiment Ohmora ?");
    EXPECT_EQ(prompter.messages()[0].title, "Fermer");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::OkCancel);
    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(session->confirmClose());

    // Typed text: its question comes first, and its Cancel asks nothing more.
    ASSERT_TRUE(session->text().openExerciseFile(path("rc-01-charge-constante-de-temps.E34")));
    QTextCursor(&session->text().document()).insertText(QStringLiteral("Réponse"));
    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(session->confirmClose());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Abandon des données?");
    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Ok);
    prompter.queueAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(session->confirmClose());
    EXPECT_EQ(prompter.messages().size(), 2u);
}

TEST_F(Sessions, HelpOpensInTheBrowserOrSaysWhy) {
    session->openHelp();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text,
              "Le fichier d'aide " + path("ohmora-aide.html") + " est introuvable.");
    EXPECT_TRUE(prompter.documentsOpened().isEmpty());

    std::ofstream(dir / "ohmora-aide.html") << "<html></html>";
    prompter.clear();
    session->openHelp();
    EXPECT_EQ(prompter.documentsOpened(), QStringList{path("ohmora-aide.html")});
    EXPECT_TRUE(prompter.messages().empty());
    prompter.setDocumentsOpen(false);
    session->openHelp();
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Aide");
    // It says what to install.
    EXPECT_TRUE(prompter.messages()[0].text.contains("firefox-esr et xdg-utils"));
}

} // namespace
} // namespace ohmora
