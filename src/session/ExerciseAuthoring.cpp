#include "session/ExerciseAuthoring.h"

#include "dialogs/Prompter.h"
#include "files/AtomicFile.h"
#include "files/ConfigurationFile.h"
#include "qtbridge/QtStrings.h"
#include "richtext/RichText.h"
#include "session/ExerciseText.h"
#include "session/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include <vector>

namespace ohmora::session {

using exercises::ExercisePart;
using exercises::PartSource;

namespace {

// One file of the exercise: where it goes and its bytes.
struct Planned {
    QString path;
    std::string bytes;
};

class Author {
public:
    Author(Session& session, const QString& exercisePath)
        : session_(session), exercise_(QFileInfo(exercisePath)) {}

    std::optional<QStringList> create(const exercises::NewExercise& e, ExistingFiles existing);

private:
    bool stop(const QString& text) {
        session_.prompter().message(Message{text, QString::fromUtf8(kCreateExerciseTitle),
                                            MessageIcon::Stop, MessageButtons::Ok});
        return false;
    }
    QString beside(const std::string& name) const {
        return exercise_.absoluteDir().filePath(qs(name));
    }
    bool planText(const ExercisePart& part, const std::string& name);
    bool planConfiguration(const ExercisePart& part, const std::string& name);
    bool mayReplace(ExistingFiles existing);

    Session& session_;
    QFileInfo exercise_;
    std::vector<Planned> files_;
};

// A text: the text area's content as the program saves it, or an RTF
// file's own bytes once they read as RTF.
bool Author::planText(const ExercisePart& part, const std::string& name) {
    if (part.source == PartSource::None) {
        return true;
    }
    if (part.source == PartSource::Program) {
        files_.push_back({beside(name), rtf::writeRtf(session_.text().document()).toStdString()});
        return true;
    }
    const QString source = qs(part.file);
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        return stop(QStringLiteral("Le fichier %1 ne peut pas être lu (%2).")
                        .arg(source, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    QTextDocument check;
    if (!rtf::readRtf(bytes, check)) {
        return stop(QStringLiteral("Le fichier %1 n'est pas un texte au format RTF.").arg(source));
    }
    files_.push_back({beside(name), bytes.toStdString()});
    return true;
}

// A configuration: the simulator's, or a configuration file once it opens,
// both written as "Enregistrer" writes them.
bool Author::planConfiguration(const ExercisePart& part, const std::string& name) {
    if (part.source == PartSource::None) {
        return true;
    }
    std::optional<Controls> controls;
    if (part.source == PartSource::Program) {
        controls = session_.simulator().controls();
    } else {
        const files::ConfigurationRead read = files::loadConfiguration(part.file);
        if (!read.controls) {
            return stop(QStringLiteral("%1\u00A0: %2.").arg(qs(part.file), qs(read.problem.text)));
        }
        controls = read.controls;
    }
    const std::optional<std::string> bytes = files::configurationBytes(*controls);
    if (!bytes) {
        return stop(qs(files::kConfigurationUnwritable.text));
    }
    files_.push_back({beside(name), *bytes});
    return true;
}

bool Author::mayReplace(ExistingFiles existing) {
    QStringList there;
    for (const Planned& f : files_) {
        // A folder of that name is not replaced: the writing says so.
        if (QFileInfo(f.path).isFile()) {
            there << QFileInfo(f.path).fileName();
        }
    }
    if (there.isEmpty() || existing == ExistingFiles::Replace) {
        return true;
    }
    const QString list = QStringLiteral("\n- ") + there.join(QStringLiteral("\n- "));
    if (existing == ExistingFiles::Refuse) {
        return stop(
            QStringLiteral("Ces fichiers existent déjà dans %1\u00A0:%2\nRien n'a été écrit.")
                .arg(exercise_.absolutePath(), list));
    }
    return session_.prompter().message(Message{
               QStringLiteral("Ces fichiers existent déjà dans %1\u00A0:%2\nLes remplacer\u00A0?")
                   .arg(exercise_.absolutePath(), list),
               QString::fromUtf8(kCreateExerciseTitle), MessageIcon::Exclamation,
               MessageButtons::YesNo}) == MessageAnswer::Yes;
}

std::optional<QStringList> Author::create(const exercises::NewExercise& e, ExistingFiles existing) {
    if (exercise_.suffix().compare(QStringLiteral("E34"), Qt::CaseInsensitive) != 0 ||
        exercise_.completeBaseName().isEmpty()) {
        stop(QStringLiteral("Le nom du fichier d'exercice finit par .E34 : %1")
                 .arg(exercise_.fileName()));
        return std::nullopt;
    }
    if (!exercise_.absoluteDir().exists()) {
        stop(QStringLiteral("Le dossier %1 n'existe pas.").arg(exercise_.absolutePath()));
        return std::nullopt;
    }
    const exercises::CompanionNames names =
        exercises::companionNames(exercise_.completeBaseName().toStdString(), e);
    if (const auto problem = exercises::newExerciseProblem(e, names)) {
        stop(qs(*problem));
        return std::nullopt;
    }
    if (!planText(e.statement, names.statement) ||
        !planConfiguration(e.configuration, names.configuration) ||
        !planText(e.correction, names.correction) ||
        !planConfiguration(e.correctionConfiguration, names.correctionConfiguration)) {
        return std::nullopt;
    }
    // The exercise file last: it never names a file that is not there.
    const auto records = exercises::exerciseFileBytes(exercises::newExerciseRecords(e, names));
    if (!records) {
        stop(qs(files::kConfigurationUnwritable.text));
        return std::nullopt;
    }
    files_.push_back({exercise_.absoluteFilePath(), *records});
    if (!mayReplace(existing)) {
        return std::nullopt;
    }
    std::vector<files::FileToWrite> writes;
    QStringList written;
    for (const Planned& f : files_) {
        writes.push_back({f.path.toStdString(), f.bytes});
        written << f.path;
    }
    std::string reason;
    if (!files::writeFilesTogether(writes, &reason)) {
        stop(QStringLiteral("Écriture impossible (%1)\u00A0: aucun fichier de l'exercice n'a été "
                            "écrit.")
                 .arg(qs(reason)));
        return std::nullopt;
    }
    if (e.statement.source == PartSource::Program) {
        // The text typed is kept now, as the exercise's statement: leaving
        // it loses nothing.
        session_.program().textemodifie = false;
    }
    return written;
}

} // namespace

std::optional<QStringList> createExercise(Session& session, const QString& exercisePath,
                                          const exercises::NewExercise& exercise,
                                          ExistingFiles existing) {
    Author author(session, exercisePath);
    return author.create(exercise, existing);
}

} // namespace ohmora::session
