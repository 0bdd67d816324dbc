#pragma once
// What the actions of `ohmora-cli run` act on: a session of the
// application layer, as the window has one, with nobody to ask (messages
// go to standard error, an error fails the run, questions are answered
// yes, dialogs are cancelled), and the outputs gathered on the way.

#include "core/ProgramState.h"
#include "dialogs/Prompter.h"
#include "session/Session.h"

#include <QByteArray>

#include <iosfwd>
#include <string>
#include <vector>

namespace ohmora::cli {

// A run's answers to the prompts.
class RunPrompter : public Prompter {
public:
    RunPrompter(std::ostream& err, bool& failed) : err_(err), failed_(failed) {}
    MessageAnswer message(const Message& message) override;
    std::optional<QColor> chooseColour(const QColor&) override { return std::nullopt; }
    bool openDocument(const QString&) override { return false; }
    std::optional<QString> chooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(const FileChoice&) override { return std::nullopt; }
    std::optional<PrinterChoice> choosePrinter(const PrinterChoice&) override {
        return std::nullopt;
    }

private:
    std::ostream& err_;
    bool& failed_;
};

class Runner {
public:
    // `keepSamples`: every tick's clocks and values are kept for --samples.
    Runner(std::string programDirectory, std::ostream& out, std::ostream& err, bool keepSamples);

    session::Session& session() { return session_; }
    Simulator& sim() { return session_.simulator(); }
    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }

    // A handler's result: the pictures follow it, when the run draws them.
    void redraw(Redraw redraw) { session_.redraw(redraw); }
    // One tick of the timer, its samples kept.
    void tick();
    // Tells a failure on standard error; the run goes on and fails at the end.
    void fail(const std::string& message);
    // Writes completely or not at all ("-": standard output), or fails.
    void write(const std::string& path, std::string_view bytes);
    // A document written at the end with the other outputs.
    void keepDocument(const std::string& path, const QByteArray& bytes);

    const std::string& samples() const { return samples_; }
    bool succeeded() const { return !failed_; }
    struct Document {
        std::string path;
        QByteArray bytes;
    };
    const std::vector<Document>& documents() const { return documents_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    bool failed_ = false;
    bool keepSamples_;
    ProgramState program_;
    RunPrompter prompter_;
    session::Session session_;
    std::string samples_;
    std::vector<Document> documents_;
};

} // namespace ohmora::cli
