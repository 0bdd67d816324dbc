#include "PackReview.h"

#include "PackChecks.h"
#include "PackFigures.h"
#include "PackTexts.h"
#include "exercises/ExercisePack.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <set>

namespace ohmora::pack {

namespace fs = std::filesystem;
using exercises::Manifest;
using exercises::parseConfigurationSource;
using exercises::parseManifest;

namespace {

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Blanks for no-break spaces: how figures are compared.
std::string blanks(std::string text) {
    for (const std::string_view nbsp : {kNoBreakSpace, kNarrowNoBreakSpace}) {
        for (size_t at; (at = text.find(nbsp)) != std::string::npos;) {
            text.replace(at, nbsp.size(), " ");
        }
    }
    return text;
}

// The text without its note for the teacher (the paragraph that starts
// with it), whose durations are no results.
std::string withoutTeacherNote(const std::string& text) {
    const size_t at = text.find(kTeacherNote);
    if (at == std::string::npos) {
        return text;
    }
    const size_t end = text.find('\n', at);
    return text.substr(0, at) + (end == std::string::npos ? "" : text.substr(end));
}

// The number of a figure without its unit.
std::string numberOf(const std::string& figure) {
    const size_t blank = figure.rfind(' ');
    const bool unit = blank != std::string::npos &&
                      figure.find_first_of("0123456789", blank) == std::string::npos;
    return unit ? figure.substr(0, blank) : figure;
}

void addGivens(const Controls& c, std::set<std::string>& given) {
    for (size_t i = 0; i < c.textv.size(); ++i) {
        given.insert(c.textv[i] + " " + std::string(boxUnit(int(i))));
        given.insert(c.textv[i]);
    }
    if (const Duration* d = durationForUpDown(c.upDown)) {
        given.insert(std::string(d->label));
    }
}

struct Exercise {
    std::string name;
    Manifest manifest;
    CheckConfigurations configurations;
    std::string statement, correction;
};

void reviewChecks(const Exercise& e, std::vector<std::string>& problems) {
    std::set<std::string> covered;
    addGivens(e.configurations.statement, covered);
    addGivens(e.configurations.correction, covered);
    for (const StatedFigure& f : statedFigures(e.statement)) {
        covered.insert(f.text);
        covered.insert(numberOf(f.text));
    }
    const std::string correction = blanks(e.correction);
    for (const std::string& line : e.manifest.checks) {
        const CheckOutcome outcome = verifyCheck(line, e.configurations);
        if (!outcome.problem.empty()) {
            problems.push_back(e.name + ": check " + line + ": " + outcome.problem);
        }
        if (correction.find(outcome.figure) == std::string::npos) {
            problems.push_back(e.name + ": check " + line + ": " + outcome.figure +
                               " is not written in the correction");
        }
        covered.insert(outcome.figure);
        covered.insert(numberOf(outcome.figure));
        covered.insert(outcome.arguments.begin(), outcome.arguments.end());
    }
    // A number written without its unit may be a covered figure in SI
    // units ("0,047" for "47 ms").
    std::vector<double> values;
    for (const std::string& text : covered) {
        if (const auto f = parseFigure(text)) {
            values.push_back(f->value);
        }
    }
    const auto inSi = [&](const std::string& text) {
        const auto f = parseFigure(text);
        return f && f->unit.empty() && std::any_of(values.begin(), values.end(), [&](double v) {
                   return std::fabs(v - f->value) <= 1e-9 * std::fabs(v);
               });
    };
    for (const StatedFigure& f : statedFigures(withoutTeacherNote(e.correction))) {
        if (!covered.count(f.text) && !inSi(f.text)) {
            problems.push_back(e.name + ": the correction states " + f.text +
                               " without a check line, " + f.context);
        }
    }
}

void reviewProgramme(const Exercise& e, std::vector<std::string>& problems) {
    const std::string_view programme =
        e.configurations.statement.montage == 0 ? kProgrammeRc : kBeyondProgramme;
    const auto topics = e.manifest.values.find("topics");
    const bool inTopics = topics != e.manifest.values.end() &&
                          topics->second.find(programme) != std::string::npos &&
                          topics->second.find("Durée") != std::string::npos;
    if (!inTopics) {
        problems.push_back(e.name + ": the topics do not say \"" + std::string(programme) +
                           "\" and the duration");
    }
    const size_t note = e.correction.find(kTeacherNote);
    if (note == std::string::npos || e.correction.find(programme, note) == std::string::npos) {
        problems.push_back(e.name + ": the correction has no note for the teacher naming \"" +
                           std::string(programme) + "\"");
    }
}

void reviewTypography(const std::string& file, const std::string& text,
                      std::vector<std::string>& problems) {
    for (const std::string& fault : typographyFaults(text)) {
        problems.push_back(file + ": " + fault);
    }
}

} // namespace

std::vector<std::string> reviewSources(const fs::path& sources) {
    std::vector<std::string> problems;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sources, ec)) {
        const fs::path& path = entry.path();
        if (path.extension() == ".rtf") {
            reviewTypography(path.filename().string(), rtfText(slurp(path)), problems);
        }
        if (path.extension() != ".manifest") {
            continue;
        }
        Exercise e;
        e.name = path.stem().string();
        std::vector<std::string> errors;
        e.manifest = parseManifest(slurp(path), errors);
        const auto value = [&](const char* key) {
            const auto it = e.manifest.values.find(key);
            return it == e.manifest.values.end() ? std::string() : it->second;
        };
        if (value("correction").empty()) {
            continue; // the guide
        }
        e.configurations.statement =
            parseConfigurationSource(slurp(sources / value("configuration")), errors);
        e.configurations.correction =
            value("correction-configuration").empty()
                ? e.configurations.statement
                : parseConfigurationSource(slurp(sources / value("correction-configuration")),
                                           errors);
        for (const std::string& error : errors) {
            problems.push_back(e.name + ": " + error);
        }
        exercises::ExerciseRecords records;
        records.statement = value("statement");
        records.title = value("title");
        records.topics = value("topics");
        records.difficulty = value("difficulty");
        if (!exercises::exerciseFileBytes(records)) {
            problems.push_back(e.name + ": the title or the topics do not fit the exercise file "
                                        "(too long, or characters Windows-1252 lacks)");
        }
        e.statement = rtfText(slurp(sources / value("statement")));
        e.correction = rtfText(slurp(sources / value("correction")));
        reviewChecks(e, problems);
        reviewProgramme(e, problems);
    }
    std::sort(problems.begin(), problems.end());
    return problems;
}

} // namespace ohmora::pack
