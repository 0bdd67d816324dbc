#include "NewExerciseCommand.h"

#include "GuiApplication.h"
#include "RunOptions.h"
#include "Runner.h"
#include "core/ProgramState.h"
#include "qtbridge/QtStrings.h"
#include "session/ExerciseAuthoring.h"
#include "session/Session.h"

#include <algorithm>
#include <ostream>
#include <set>

namespace ohmora::cli {

using exercises::ExercisePart;
using exercises::PartSource;

struct NewExerciseRequest {
    std::string path;
    exercises::NewExercise exercise;
    bool force = false;
};

namespace {

void setFile(ExercisePart& part, const std::string& value) {
    part = ExercisePart{PartSource::File, value};
}

void setDifficulty(NewExerciseRequest& r, const std::string& v) {
    if (v.size() != 1 || v[0] < '0' || v[0] > '0' + exercises::kMaxDifficulty) {
        throw UsageError{"--difficulty " + v + "\u00A0: la difficulté est 0, 1, 2 ou 3"};
    }
    r.exercise.difficulty = v[0] - '0';
}

// The options in the order the usage lists them.
const NewExerciseOption kOptions[] = {
    {"--title", "TITRE", "le titre que la fenêtre d'ouverture affiche", true,
     [](NewExerciseRequest& r, const std::string& v) { r.exercise.title = v; }},
    {"--topics", "TEXTE", "les notions abordées (le programme, les capacités, la durée)", true,
     [](NewExerciseRequest& r, const std::string& v) { r.exercise.topics = v; }},
    {"--difficulty", "N", "le nombre de marques allumées, de 0 à 3", true, setDifficulty},
    {"--statement", "FICHIER.rtf", "l'énoncé, copié sous le nom NOM-enonce.rtf", true,
     [](NewExerciseRequest& r, const std::string& v) { setFile(r.exercise.statement, v); }},
    {"--config", "FICHIER.P16",
     "la configuration de l'énoncé, écrite sous le nom NOM-enonce.P16 (sans elle, l'exercice "
     "laisse le simulateur tel qu'il est)",
     false,
     [](NewExerciseRequest& r, const std::string& v) { setFile(r.exercise.configuration, v); }},
    {"--correction", "FICHIER.rtf", "le corrigé, copié sous le nom NOM-corrige.rtf", false,
     [](NewExerciseRequest& r, const std::string& v) { setFile(r.exercise.correction, v); }},
    {"--correction-config", "FICHIER.P16",
     "la configuration du corrigé, écrite sous le nom NOM-corrige.P16", false,
     [](NewExerciseRequest& r, const std::string& v) {
         setFile(r.exercise.correctionConfiguration, v);
     }},
    {"--force", "", "remplacer les fichiers de ce nom qui existent déjà", false,
     [](NewExerciseRequest& r, const std::string&) { r.force = true; }},
};

NewExerciseRequest parseRequest(const std::vector<std::string>& args) {
    NewExerciseRequest request;
    request.exercise.configuration = {};
    std::set<std::string_view> given;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (!word.starts_with("--")) {
            if (!request.path.empty() || word.empty()) {
                throw UsageError{"un seul fichier d'exercice\u00A0: " + word};
            }
            request.path = word;
            continue;
        }
        const auto* option =
            std::find_if(std::begin(kOptions), std::end(kOptions),
                         [&word](const NewExerciseOption& o) { return o.name == word; });
        if (option == std::end(kOptions)) {
            throw UsageError{"argument inconnu\u00A0: " + word};
        }
        if (!given.insert(option->name).second) {
            throw UsageError{word + " se donne une seule fois"};
        }
        std::string value;
        if (!option->value.empty()) {
            if (i + 1 >= args.size()) {
                throw UsageError{word + " demande une valeur"};
            }
            value = args[++i];
        }
        option->add(request, value);
    }
    if (request.path.empty()) {
        throw UsageError{"il manque le fichier d'exercice DOSSIER/NOM.E34"};
    }
    for (const NewExerciseOption& o : kOptions) {
        if (o.required && !given.count(o.name)) {
            throw UsageError{"il manque " + std::string(o.name)};
        }
    }
    return request;
}

} // namespace

std::span<const NewExerciseOption> newExerciseOptions() {
    return kOptions;
}

int runNewExerciseCommand(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err) {
    NewExerciseRequest request;
    try {
        request = parseRequest(args);
    } catch (const UsageError& e) {
        err << "ohmora-cli new-exercise\u00A0: " << e.message << '\n';
        return 2;
    }
    // Reading the texts needs a GUI application (without a display).
    const std::unique_ptr<QGuiApplication> app = makeGuiApplication();
    bool failed = false;
    ProgramState program;
    RunPrompter prompter(err, failed);
    session::Session session(program, prompter);
    const std::optional<QStringList> written = session::createExercise(
        session, qs(request.path), request.exercise,
        request.force ? session::ExistingFiles::Replace : session::ExistingFiles::Refuse);
    if (!written) {
        return 1;
    }
    for (const QString& path : *written) {
        out << path.toStdString() << '\n';
    }
    return 0;
}

} // namespace ohmora::cli
