#include "exercises/ExercisePack.h"

#include "core/Simulator.h"
#include "files/AtomicFile.h"
#include "files/ConfigurationFile.h"
#include "files/Windows1252.h"
#include "window/Validation.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <set>
#include <sstream>

namespace ohmora::exercises {

namespace fs = std::filesystem;

namespace {

// A message made of its pieces.
template <class... Pieces> std::string message(const Pieces&... pieces) {
    std::string out;
    ((out += pieces), ...);
    return out;
}

std::string trimmed(std::string_view s) {
    const auto notBlank = [](char c) { return c != ' ' && c != '\t' && c != '\r'; };
    while (!s.empty() && !notBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && !notBlank(s.back())) {
        s.remove_suffix(1);
    }
    return std::string(s);
}

// "key = value" lines, comments and blank lines skipped.
std::vector<std::pair<std::string, std::string>> keyValues(const std::string& text,
                                                           std::vector<std::string>& errors) {
    std::vector<std::pair<std::string, std::string>> out;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string t = trimmed(line);
        if (t.empty() || t.front() == '#') {
            continue;
        }
        const size_t eq = t.find('=');
        if (eq == std::string::npos) {
            errors.push_back(message("line ", std::to_string(number), ": no \"key = value\""));
            continue;
        }
        out.emplace_back(trimmed(t.substr(0, eq)), trimmed(t.substr(eq + 1)));
    }
    return out;
}

std::optional<int> integer(const std::string& text) {
    int v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return v;
}

std::optional<std::string> slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool isSafeName(const std::string& name) {
    return !name.empty() && name.size() <= 60 &&
           name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-.") == std::string::npos;
}

} // namespace

Manifest parseManifest(const std::string& text, std::vector<std::string>& errors) {
    static const std::set<std::string> known = {"title",
                                                "topics",
                                                "difficulty",
                                                "statement",
                                                "correction",
                                                "configuration",
                                                "correction-configuration"};
    Manifest m;
    for (auto& [key, value] : keyValues(text, errors)) {
        if (key == "check") {
            m.checks.push_back(value);
        } else if (!known.count(key)) {
            errors.push_back(message("unknown key \"", key, "\""));
        } else if (!m.values.emplace(key, value).second) {
            errors.push_back(message("\"", key, "\" given twice"));
        }
    }
    return m;
}

Controls parseConfigurationSource(const std::string& text, std::vector<std::string>& errors) {
    Controls c;
    c.montage = 0;
    for (int i = 0; i < kParameterCount; ++i) {
        c.textv[size_t(i)] = std::string(kDefaultParameters[size_t(i)]);
    }
    c.check4[SlotUC] = true;
    bool trigger = false;
    for (const auto& [key, value] : keyValues(text, errors)) {
        if (key == "montage") {
            const auto m = integer(value);
            if (!m || *m < 0 || *m >= kMontageCount) {
                errors.push_back(message("montage ", value, ": 0, 1 or 2"));
            } else {
                c.montage = *m;
            }
        } else if (key == "duration") {
            if (const Duration* d = durationForLabel(value)) {
                c.upDown = d->upDown;
            } else {
                errors.push_back(message("duration \"", value, "\" is not one of the durations"));
            }
        } else if (key.rfind("param.", 0) == 0) {
            const auto i = integer(key.substr(6));
            if (!i || *i < 0 || *i >= kParameterCount) {
                errors.push_back(message(key, ": the boxes are 0 to 13"));
            } else {
                c.textv[size_t(*i)] = value;
            }
        } else if (key == "quantities") {
            c.check4.fill(false);
            std::istringstream in(value);
            std::string k;
            while (in >> k) {
                const auto n = integer(k);
                if (!n || *n < 0 || *n >= kQuantityCount) {
                    errors.push_back(message("quantity ", k, ": the boxes are 0 to 6"));
                } else {
                    c.check4[size_t(*n)] = true;
                }
            }
        } else if (key == "trigger2" || key == "sustained") {
            if (value != "0" && value != "1") {
                errors.push_back(message(key, " ", value, ": 0 or 1"));
            }
            (key == "trigger2" ? c.check3 : c.checkRn) = value == "1";
            trigger = trigger || key == "trigger2";
        } else {
            errors.push_back(message("unknown key \"", key, "\""));
        }
    }
    if (!trigger) {
        errors.emplace_back("trigger2 not given");
    }
    // Each text as the validation leaves it, so that leaving a box changes
    // nothing.
    for (int i = 0; i < kParameterCount; ++i) {
        const Validation v = validateParameter(i, c.textv);
        if (v.text != c.textv[size_t(i)] || !v.messages.empty()) {
            errors.push_back(message("param.", std::to_string(i), " = ", c.textv[size_t(i)],
                                     ": the box would show ", v.text));
        }
    }
    for (int k = 0; k < kQuantityCount; ++k) {
        if (c.check4[size_t(k)] && !slotUsed(c.montage, k)) {
            errors.push_back(
                message("quantity ", std::to_string(k), " is not one of the montage's"));
        }
    }
    // The program replays a configuration through its handlers: what it
    // keeps must be what was written.
    Simulator sim;
    sim.replayControls(c);
    if (!(sim.controls() == c)) {
        errors.emplace_back("the program would not keep this configuration as written (quantities "
                            "of two groups?)");
    }
    return c;
}

std::string builtConfigurationName(const std::string& sourceName) {
    const fs::path p(sourceName);
    return p.stem().string() + std::string(files::kConfigurationExtension);
}

namespace {

// Builds the files of one source folder into the output folder, gathering
// what goes wrong.
class PackBuilder {
public:
    PackBuilder(const fs::path& sources, const fs::path& output)
        : sources_(sources), output_(output) {}

    void build(const fs::path& manifest, bool guide);
    std::vector<std::string> errors;

private:
    bool report(const std::string& file, const std::vector<std::string>& found) {
        for (const std::string& e : found) {
            errors.push_back(message(file, ": ", e));
        }
        return found.empty();
    }
    bool copy(const std::string& name, const std::string& from);
    std::string configuration(const std::string& name, const std::string& from);
    void write(const std::string& name, const std::optional<std::string>& bytes,
               const std::string& failure);

    const fs::path& sources_;
    const fs::path& output_;
};

bool PackBuilder::copy(const std::string& name, const std::string& from) {
    if (!isSafeName(name)) {
        errors.push_back(message(from, ": \"", name, "\" is not a plain lower-case file name"));
        return false;
    }
    const auto bytes = slurp(sources_ / name);
    if (!bytes) {
        errors.push_back(message(from, ": ", name, " is missing"));
        return false;
    }
    if (!files::writeFileAtomically(output_ / name, *bytes)) {
        errors.push_back(message(name, ": cannot be written"));
        return false;
    }
    return true;
}

std::string PackBuilder::configuration(const std::string& name, const std::string& from) {
    const auto text = slurp(sources_ / name);
    if (!isSafeName(name) || !text) {
        errors.push_back(message(from, ": configuration ", name, " is missing"));
        return std::string();
    }
    std::vector<std::string> found;
    const Controls c = parseConfigurationSource(*text, found);
    std::string built = builtConfigurationName(name);
    if (report(name, found) && files::saveConfiguration(output_ / built, c)) {
        errors.push_back(message(built, ": cannot be written"));
    }
    return built;
}

void PackBuilder::write(const std::string& name, const std::optional<std::string>& bytes,
                        const std::string& failure) {
    if (!bytes || !files::writeFileAtomically(output_ / name, *bytes)) {
        errors.push_back(failure);
    }
}

void PackBuilder::build(const fs::path& path, bool guide) {
    const std::string file = path.filename().string();
    std::vector<std::string> found;
    Manifest m = parseManifest(slurp(path).value_or(""), found);
    if (!report(file, found)) {
        return;
    }
    const auto value = [&m](const char* key) {
        const auto it = m.values.find(key);
        return it == m.values.end() ? std::string() : it->second;
    };
    if (value("statement").empty()) {
        errors.push_back(message(file, ": no statement"));
        return;
    }
    copy(value("statement"), file);
    std::string config;
    if (!value("configuration").empty()) {
        config = configuration(value("configuration"), file);
    }
    if (guide) {
        write(std::string(kGuideFileName), guideFileBytes(value("statement"), config),
              message(file, ": the guide cannot be written"));
        return;
    }
    ExerciseRecords e;
    e.statement = value("statement");
    e.configuration = config;
    if (!value("correction").empty() && copy(value("correction"), file)) {
        e.correction = value("correction");
    }
    if (!value("correction-configuration").empty()) {
        e.correctionConfiguration = configuration(value("correction-configuration"), file);
    }
    e.difficulty = value("difficulty");
    e.topics = value("topics");
    e.title = value("title");
    if (e.title.empty() || e.difficulty.empty()) {
        errors.push_back(message(file, ": a title and a difficulty are needed"));
    }
    const auto bytes = exerciseFileBytes(e);
    if (!bytes) {
        errors.push_back(message(file, ": the title or the topics do not fit their records (too "
                                       "long, or characters Windows-1252 lacks)"));
        return;
    }
    const std::string exercise = path.stem().string() + std::string(kExerciseExtension);
    write(exercise, bytes, message(exercise, ": cannot be written"));
}

} // namespace

std::vector<std::string> buildPack(const fs::path& sources, const fs::path& output,
                                   const std::string& guideManifest) {
    std::error_code ec;
    fs::create_directories(output, ec);
    std::vector<fs::path> manifests;
    for (const auto& entry : fs::directory_iterator(sources, ec)) {
        if (entry.path().extension() == ".manifest") {
            manifests.push_back(entry.path());
        }
    }
    std::sort(manifests.begin(), manifests.end());
    PackBuilder builder(sources, output);
    for (const fs::path& path : manifests) {
        builder.build(path, path.filename().string() == guideManifest);
    }
    return builder.errors;
}

} // namespace ohmora::exercises
