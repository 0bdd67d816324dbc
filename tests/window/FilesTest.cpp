// Configuration files through the main window: the save and open dialogs
// driven through their own handlers, the window showing what the session
// replayed, the suite's marker file, closing and the help button.

#include "WindowFixture.h"

#include "files/ConfigurationDialogs.h"
#include "files/ConfigurationFile.h"
#include "files/MarkerFile.h"
#include "files/RecordFile.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace ohmora {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class Files : public WindowFixture {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ohmora-files-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        program.programDirectory = dir.string() + "/";
        program.markerFile = (dir / "BREVANE.TMP").string();
        WindowFixture::SetUp();
    }

    // Opens the save dialog, types `name` and clicks ENREGISTRER; returns
    // whether the dialog closed.
    bool saveAs(const QString& name) {
        bool closed = false;
        prompter.queueModal([&](QDialog& d) {
            auto& dialog = dynamic_cast<SaveDialog&>(d);
            EXPECT_EQ(dialog.focusWidget(), dialog.nameBox());
            dialog.showDirectory(QString::fromStdString(dir.string()));
            dialog.nameBox()->setText(name);
            dialog.clickSave();
            closed = dialog.result() == QDialog::Accepted;
        });
        window->openSaveDialog();
        return closed;
    }

    // Opens the open dialog on `path` and clicks OUVRIR.
    bool open(const QString& path) {
        bool closed = false;
        prompter.queueModal([&](QDialog& d) {
            auto& dialog = dynamic_cast<OpenDialog&>(d);
            dialog.pathBox()->setText(path);
            dialog.clickOpen();
            closed = dialog.result() == QDialog::Accepted;
        });
        window->openOpenDialog();
        return closed;
    }

    QString path(const char* name) const { return QString::fromStdString((dir / name).string()); }
    const Controls& controls() const { return window->simulator().controls(); }

    fs::path dir;
};

TEST_F(Files, SavedAndReopenedEveryFieldComesBack) {
    // A configuration away from the defaults, as another installation
    // wrote it.
    const std::string sample = std::string(OHMORA_TEST_DATA_DIR) + "/config/tp-oscillations.P16";
    const files::ConfigurationRead wanted = files::loadConfiguration(sample);
    ASSERT_TRUE(wanted.controls);
    ASSERT_TRUE(open(QString::fromStdString(sample)));
    EXPECT_EQ(controls(), *wanted.controls);
    EXPECT_EQ(child<QComboBox>("Combo1")->currentIndex(), 1); // the window shows the replay
    EXPECT_EQ(window->windowTitle(), "Ohmora - " + QString::fromStdString(sample));

    ASSERT_TRUE(saveAs("essai"));
    EXPECT_EQ(program.cheminconfig, (dir / "essai.P16").string());
    EXPECT_EQ(window->windowTitle(), "Ohmora - " + path("essai.P16"));

    // A fresh window opens the file into the same state.
    ProgramState other;
    ScriptedPrompter otherPrompter;
    MainWindow fresh(other, &otherPrompter, MainWindow::Options{false});
    other.cheminconfig = (dir / "essai.P16").string();
    ASSERT_TRUE(fresh.session().openconfig());
    EXPECT_EQ(fresh.simulator().controls(), *wanted.controls);
    EXPECT_EQ(fresh.windowTitle(), "Ohmora - " + path("essai.P16"));
    EXPECT_TRUE(otherPrompter.messages().empty());
}

// The open dialog closes once a load has been tried, whatever its outcome
// (the session tells what went wrong); a missing file keeps it open.
TEST_F(Files, TheOpenDialogClosesUnlessTheFileIsMissing) {
    std::ofstream(dir / "bad.P16", std::ios::binary) << "";
    const Controls before = controls();
    EXPECT_TRUE(open(path("bad.P16")));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Ce fichier ne correspond pas à cette application");
    EXPECT_EQ(controls(), before);
    prompter.clear();
    EXPECT_FALSE(open(path("missing.P16")));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "impossible d'ouvrir ce fichier");
}

TEST_F(Files, SavingAsksBeforeOverwritingAndKeepsTheDialogOnFailure) {
    ASSERT_TRUE(saveAs("essai.txt"));
    const std::string first = slurp(dir / "essai.P16");
    QTest::mouseClick(child("Command3"), Qt::LeftButton); // nothing in the file changes
    prompter.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(saveAs("essai"));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Ecraser le fichier existant?");
    EXPECT_EQ(prompter.messages()[0].title, "Ce fichier existe déjà!");
    EXPECT_EQ(prompter.messages()[0].buttons, MessageButtons::YesNo);
    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(saveAs("essai"));
    EXPECT_EQ(slurp(dir / "essai.P16"), first);

    prompter.clear();
    EXPECT_FALSE(saveAs(".P16"));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Il faut donner un nom au fichier!");

    fs::create_directories(dir / "taken.P16");
    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Yes); // "taken.P16" exists: overwrite it
    const QString caption = window->windowTitle();
    EXPECT_FALSE(saveAs("taken"));
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].text, "Ecriture impossible sur disque");
    EXPECT_EQ(prompter.messages()[1].title, "Enregistrement impossible");
    EXPECT_EQ(window->windowTitle(), caption);

    // The next opening proposes the last path built.
    prompter.queueModal([&](QDialog& d) {
        EXPECT_EQ(dynamic_cast<SaveDialog&>(d).nameBox()->text(), path("taken.P16"));
    });
    window->openSaveDialog();
}

TEST_F(Files, AReadOnlyProgramDirectoryOpensButSavesFromTheHomeFolder) {
    // An installed program's directory takes no file: /proc stands for it,
    // since even the administrator cannot make one there.
    program.programDirectory = "/proc/";
    QString saveStart;
    QString openStart;
    prompter.queueModal(
        [&](QDialog& d) { saveStart = dynamic_cast<SaveDialog&>(d).folderList()->path(); });
    window->openSaveDialog();
    prompter.queueModal(
        [&](QDialog& d) { openStart = dynamic_cast<OpenDialog&>(d).folderList()->path(); });
    window->openOpenDialog();
    EXPECT_EQ(QDir::cleanPath(saveStart), QDir::cleanPath(QDir::homePath()));
    EXPECT_EQ(QDir::cleanPath(openStart), "/proc"); // the shipped configurations are listed
}

TEST_F(Files, TheSaveDialogsListsKeepTheBareNameAndMatchAnyCase) {
    for (const char* name : {"a.P16", "b.p16", "c.txt"}) {
        std::ofstream(dir / name) << "x";
    }
    fs::create_directories(dir / "sub");
    SaveDialog dialog(prompter, "/elsewhere/essai", QString::fromStdString(dir.string()), nullptr);
    EXPECT_EQ(dialog.fileList()->fileNames(), (QStringList{"a.P16", "b.p16"}));
    EXPECT_EQ(dialog.nameBox()->text(), "/elsewhere/essai"); // the last path, proposed whole
    dialog.nameBox()->setText("/home/classe/essai");
    dialog.folderList()->setCurrentRow(dialog.folderList()->count() - 1); // "sub"
    dialog.folderList()->openHighlighted();
    EXPECT_EQ(dialog.folderList()->path(), QString::fromStdString((dir / "sub").string()));
    EXPECT_EQ(dialog.nameBox()->text(), "essai");
    EXPECT_TRUE(dialog.fileList()->fileNames().isEmpty());
    // A double click on an existing file asks about that very file.
    dialog.showDirectory(QString::fromStdString(dir.string()));
    dialog.doubleClickFile("a.P16");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Ecraser le fichier existant?");
    EXPECT_EQ(dialog.builtPath(), path("a.P16"));
}

TEST_F(Files, ThePresenceFlagFollowsTheWindowAndOtherRecordsStay) {
    const fs::path marker = dir / "BREVANE.TMP";
    EXPECT_EQ(files::RecordImage(slurp(marker)).read(4).text, "OUI");
    window.reset();
    EXPECT_EQ(files::RecordImage(slurp(marker)).read(4).text, "NON");

    std::string shared(35 * 128, '\0');
    for (size_t i = 0; i < shared.size(); ++i) {
        shared[i] = char((i * 131 + 7) & 0xFF);
    }
    shared.replace(3 * 128, 2, std::string("\x02\x00", 2));
    std::ofstream(marker, std::ios::binary) << shared;
    WindowFixture::SetUp();
    window.reset();
    std::string expected = shared;
    expected.replace(3 * 128, 5, std::string("\x03\x00NON", 5));
    EXPECT_EQ(slurp(marker), expected);
}

TEST_F(Files, ClosingAsksAndCancelKeepsTheWindow) {
    showWindow();
    prompter.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Quitter vraiment Ohmora ?");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Question);

    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Ok);
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(files::RecordImage(slurp(dir / "BREVANE.TMP")).read(4).text, "NON");
}

TEST_F(Files, TheHelpButtonOpensTheHelp) {
    std::ofstream(dir / "ohmora-aide.html") << "<html></html>";
    QTest::mouseClick(child<QPushButton>("Command7"), Qt::LeftButton);
    EXPECT_EQ(prompter.documentsOpened(), QStringList{path("ohmora-aide.html")});
}

} // namespace
} // namespace ohmora
