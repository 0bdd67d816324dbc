#pragma once
// The options of `ohmora-cli run`, one table: each option's name, the value
// it takes, its help, and what it adds to the run's plan. The parser and the
// usage text are both written from it.

#include "graph/RecordingCsv.h"
#include "output/PrintedPage.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ohmora::cli {

class Runner;
// One action of a run, applied in the order of the command line.
using Action = std::function<void(Runner&)>;

// A picture written at the end: the graph or the schematic, as PNG at a
// scale or as SVG.
struct PictureOutput {
    std::string file;
    bool graph = true;
    bool svg = false;
    int scale = 1;
};

// The recording as CSV, written at the end.
struct CsvOutput {
    std::string file;
    CsvFormat format = CsvFormat::French;
};

struct Plan {
    std::vector<Action> actions;
    // The outputs written at the end.
    std::optional<std::string> tableFile;
    std::optional<std::string> samplesFile;
    std::vector<CsvOutput> csvFiles;
    std::vector<PictureOutput> pictureFiles;
    std::optional<std::string> programDirectory;
    PageOptions page;                        // what the following --print use
    int pictureScale = 1;                    // what the following --graph and --schematic use
    CsvFormat csvFormat = CsvFormat::French; // what the following --csv uses
    bool pictures = false;                   // the run draws the schematic and the graph
    bool text = false;                       // the run uses the exercise text area
};

// A wrong command line, said in French.
struct UsageError {
    std::string message;
};

struct RunOption {
    std::string_view name;
    std::string_view value; // what the value stands for in the usage; empty: no value
    std::string_view help;
    // Adds the option to the plan; throws UsageError on a wrong value.
    void (*add)(Plan& plan, const std::string& value);
};

std::span<const RunOption> runOptions();

// The plan of the words after "run"; throws UsageError.
Plan parsePlan(const std::vector<std::string>& args);

} // namespace ohmora::cli
