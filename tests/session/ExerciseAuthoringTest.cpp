// "Créer un exercice…" without a widget: an exercise written from the text
// area and the simulator's configuration, with a correction from files,
// opened again as a pupil opens it; files already there replaced only when
// the user says so; nothing written when a part is wrong. And the files
// given to the program, opened by their kind.

#include "SessionFixture.h"

#include "exercises/ExerciseFile.h"
#include "files/ConfigurationFile.h"
#include "richtext/RichText.h"
#include "session/ExerciseAuthoring.h"
#include "session/ExerciseText.h"

#include <QTextCursor>

#include <fstream>
#include <set>

namespace ohmora {
namespace {

namespace fs = std::filesystem;
using exercises::NewExercise;
using exercises::PartSource;
using session::ExistingFiles;

const std::string kSource = "rc-05-capacite-inconnue";

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::set<std::string> folderContents(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string() + "=" +
                     (entry.is_regular_file() ? slurp(entry.path()) : "<dir>"));
    }
    return names;
}

class Authoring : public test::SessionFixture {
protected:
    void SetUp() override {
        SessionFixture::SetUp();
        out = dir / "mes exercices";
        fs::create_directories(out);
    }
    QString outPath(const std::string& name) const {
        return QString::fromStdString((out / name).string());
    }
    // A statement typed into a text and the configuration of rc-05, a
    // correction and its configuration from rc-01's files.
    NewExercise prepared() {
        EXPECT_TRUE(session->openConfiguration(path(kSource + "-enonce.P16")));
        EXPECT_TRUE(session->text().openTextFile(path(kSource + "-enonce.rtf")));
        QTextCursor cursor(&session->text().document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("Question bonus : mesurer τ à 1 % près."));
        NewExercise e;
        e.title = "Mesurer une capacité à l'oscilloscope";
        e.topics = "Programme de terminale (RC) ; durée : 1 h";
        e.difficulty = 2;
        e.correction = {PartSource::File, path(kSource + "-corrige.rtf").toStdString()};
        e.correctionConfiguration = {PartSource::File,
                                     path(kSource + "-corrige.P16").toStdString()};
        return e;
    }
    fs::path out;
};

TEST_F(Authoring, AnExerciseMadeFromTheProgramOpensAsItWasMade) {
    const NewExercise e = prepared();
    const Controls statementControls = controls();
    const QString typed = rtf::plainText(session->text().document());
    const QString exercise = outPath("mesure.E34");
    ASSERT_TRUE(program.textemodifie);
    const auto written = session::createExercise(*session, exercise, e, ExistingFiles::Ask);
    ASSERT_TRUE(written);
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_FALSE(program.textemodifie); // what was typed is kept in the exercise
    EXPECT_EQ(*written, (QStringList{outPath("mesure-enonce.rtf"), outPath("mesure-enonce.P16"),
                                     outPath("mesure-corrige.rtf"), outPath("mesure-corrige.P16"),
                                     exercise}));
    EXPECT_EQ(folderContents(out).size(), 5u);
    // The correction's text is copied byte for byte.
    EXPECT_EQ(slurp(out / "mesure-corrige.rtf"), slurp(dir / (kSource + "-corrige.rtf")));

    const auto records = exercises::readExerciseFile(exercise.toStdString());
    ASSERT_TRUE(records);
    EXPECT_EQ(records->statement, "mesure-enonce.rtf");
    EXPECT_EQ(records->correctionConfiguration, "mesure-corrige.P16");
    EXPECT_EQ(exercises::shownTitle(*records), e.title);
    EXPECT_EQ(records->topics, e.topics);
    EXPECT_EQ(exercises::litMarks(*records), 2);

    // Opened as the browser opens it, somewhere else than where it was made.
    session->openConfiguration(path("rc-01-charge-constante-de-temps-enonce.P16"));
    ASSERT_NE(controls(), statementControls);
    ASSERT_TRUE(session->text().openExerciseFile(exercise));
    EXPECT_EQ(rtf::plainText(session->text().document()), typed);
    EXPECT_EQ(controls(), statementControls);
    EXPECT_EQ(program.dossierexo, out.string() + "/");
    EXPECT_TRUE(program.corrige);
    session->text().viewCorrection();
    EXPECT_EQ(controls(), *files::loadConfiguration(dir / (kSource + "-corrige.P16")).controls);
    EXPECT_TRUE(rtf::plainText(session->text().document()).contains("Pour le professeur"));
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(Authoring, FilesThereAreReplacedOnlyWhenTheUserSaysSo) {
    NewExercise e = prepared();
    e.correction = {};
    e.correctionConfiguration = {};
    const QString exercise = outPath("mesure.E34");
    ASSERT_TRUE(session::createExercise(*session, exercise, e, ExistingFiles::Ask));
    const auto before = folderContents(out);
    EXPECT_EQ(before.size(), 3u); // no correction
    e.title = "Un autre titre";

    prompter.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(session::createExercise(*session, exercise, e, ExistingFiles::Ask));
    ASSERT_EQ(prompter.messages().size(), 1u);
    const Message& asked = prompter.messages()[0];
    EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
    for (const char* name : {"mesure.E34", "mesure-enonce.rtf", "mesure-enonce.P16"}) {
        EXPECT_TRUE(asked.text.contains(QString::fromUtf8(name))) << name;
    }
    EXPECT_EQ(folderContents(out), before);

    prompter.clear();
    EXPECT_FALSE(session::createExercise(*session, exercise, e, ExistingFiles::Refuse));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(prompter.messages()[0].text.contains("Rien n'a été écrit"));
    EXPECT_EQ(folderContents(out), before);

    prompter.clear();
    prompter.queueAnswer(MessageAnswer::Yes);
    ASSERT_TRUE(session::createExercise(*session, exercise, e, ExistingFiles::Ask));
    EXPECT_EQ(exercises::readExerciseFile(exercise.toStdString())->title, "Un autre titre");
    prompter.clear();
    e.title = "Remplacé sans question";
    ASSERT_TRUE(session::createExercise(*session, exercise, e, ExistingFiles::Replace));
    EXPECT_TRUE(prompter.messages().empty());
    EXPECT_EQ(folderContents(out).size(), 3u);
}

TEST_F(Authoring, NothingIsWrittenWhenAPartIsWrong) {
    const struct {
        const char* name;
        std::string exercise; // in the output folder
        void (*change)(NewExercise&, const fs::path& dir);
        const char* said;
    } cases[] = {
        {"a statement that is not RTF", "x.E34",
         [](NewExercise& e, const fs::path& d) {
             e.statement = {PartSource::File, (d / "ohmora.PEM").string()};
         },
         "RTF"},
        {"a missing correction", "x.E34",
         [](NewExercise& e, const fs::path& d) {
             e.correction = {PartSource::File, (d / "absent.rtf").string()};
         },
         "absent.rtf"},
        {"a correction's configuration that is a text", "x.E34",
         [](NewExercise& e, const fs::path& d) {
             e.correctionConfiguration = {PartSource::File,
                                          (d / (kSource + "-enonce.rtf")).string()};
         },
         "ne correspond pas"},
        {"no title", "x.E34", [](NewExercise& e, const fs::path&) { e.title.clear(); }, "titre"},
        {"another extension", "x.P16", [](NewExercise&, const fs::path&) {}, ".E34"},
        {"a missing folder", "absent/x.E34", [](NewExercise&, const fs::path&) {}, "absent"},
        {"a folder where a file goes", "x.E34",
         [](NewExercise&, const fs::path& d) {
             fs::create_directories(d / "mes exercices" / "x-corrige.P16");
         },
         "Écriture impossible"},
    };
    for (const auto& c : cases) {
        NewExercise e = prepared();
        c.change(e, dir);
        prompter.clear();
        const auto before = folderContents(out);
        EXPECT_FALSE(session::createExercise(*session, outPath(c.exercise), e, ExistingFiles::Ask))
            << c.name;
        ASSERT_EQ(prompter.messages().size(), 1u) << c.name;
        EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Stop) << c.name;
        EXPECT_TRUE(prompter.messages()[0].text.contains(QString::fromUtf8(c.said)))
            << c.name << ": " << prompter.messages()[0].text.toStdString();
        EXPECT_EQ(folderContents(out), before) << c.name;
    }
}

TEST_F(Authoring, FilesGivenToTheProgramOpenByTheirKind) {
    session::ExerciseText& text = session->text();
    ASSERT_TRUE(session->openFile(path(kSource + "-enonce.P16")));
    EXPECT_EQ(session->caption(), "Ohmora - " + path(kSource + "-enonce.P16"));
    EXPECT_EQ(controls(), *files::loadConfiguration(dir / (kSource + "-enonce.P16")).controls);

    fs::copy_file(dir / (kSource + ".E34"), out / "copie.e34");
    for (const char* name : {"-enonce.rtf", "-corrige.rtf", "-enonce.P16", "-corrige.P16"}) {
        fs::copy_file(dir / (kSource + name), out / (kSource + name));
    }
    ASSERT_TRUE(session->openFile(outPath("copie.e34")));
    EXPECT_EQ(text.fich(), outPath("copie.e34"));
    EXPECT_EQ(program.dossierexo, out.string() + "/");
    EXPECT_TRUE(program.corrige);
    EXPECT_FALSE(text.locked());

    fs::copy_file(dir / (kSource + "-corrige.rtf"), out / "CORRIGE.RTF");
    ASSERT_TRUE(session->openFile(outPath("CORRIGE.RTF")));
    EXPECT_EQ(text.fich(), "Texte: " + outPath("CORRIGE.RTF"));
    EXPECT_FALSE(program.corrige);
    EXPECT_TRUE(prompter.messages().empty());

    // Typed text is asked about, as the menu asks.
    QTextCursor(&text.document()).insertText(QStringLiteral("ma réponse"));
    ASSERT_TRUE(program.textemodifie);
    prompter.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(session->openFile(path(kSource + ".E34")));
    EXPECT_EQ(text.fich(), "Texte: " + outPath("CORRIGE.RTF"));
    EXPECT_EQ(prompter.messages().size(), 1u);

    const struct {
        const char* name;
        QString file;
        const char* said;
    } refused[] = {
        {"a missing exercise", path("absent.E34"), "Nom de fichier incorrect"},
        {"a missing configuration", path("absent.P16"), "Nom de fichier incorrect"},
        {"another kind of file", path("BREVANE.TMP"), "(.P16)"},
        {"a folder", QString::fromStdString(dir.string()), "(.E34)"},
    };
    for (const auto& c : refused) {
        prompter.clear();
        EXPECT_FALSE(session->openFile(c.file)) << c.name;
        ASSERT_EQ(prompter.messages().size(), 1u) << c.name;
        EXPECT_TRUE(prompter.messages()[0].text.contains(QString::fromUtf8(c.said)))
            << c.name << ": " << prompter.messages()[0].text.toStdString();
        EXPECT_EQ(text.fich(), "Texte: " + outPath("CORRIGE.RTF")) << c.name;
    }
}

} // namespace
} // namespace ohmora
