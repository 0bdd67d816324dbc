#include "Runner.h"

#include "files/AtomicFile.h"

#include <charconv>
#include <ostream>

namespace ohmora::cli {

namespace {

std::string number9(float v) {
    char buffer[32];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, double(v), std::chars_format::general, 9);
    return std::string(buffer, result.ptr);
}

} // namespace

MessageAnswer RunPrompter::message(const Message& m) {
    if (m.icon != MessageIcon::Question) {
        err_ << m.text.toStdString() << '\n';
        failed_ = failed_ || m.icon == MessageIcon::Stop || m.icon == MessageIcon::Exclamation;
    }
    return m.buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

Runner::Runner(std::string programDirectory, std::ostream& out, std::ostream& err, bool keepSamples)
    : out_(out), err_(err), keepSamples_(keepSamples), prompter_(err, failed_),
      session_(program_, prompter_) {
    program_.programDirectory = std::move(programDirectory);
}

void Runner::tick() {
    const float tBascule = sim().state().run.tBascule;
    const float tEnreg = sim().state().run.tEnreg;
    redraw(sim().tick());
    if (!keepSamples_) {
        return;
    }
    const SimState& s = sim().state();
    samples_ += number9(tBascule);
    samples_ += '\t';
    samples_ += number9(tEnreg);
    samples_ += '\t';
    samples_ += s.run.enregEnCours ? '1' : '0';
    for (float v : s.run.valeurs) {
        samples_ += '\t';
        samples_ += number9(v);
    }
    samples_ += '\n';
}

void Runner::fail(const std::string& message) {
    err_ << message << '\n';
    failed_ = true;
}

void Runner::write(const std::string& path, std::string_view bytes) {
    if (path == "-") {
        out_ << bytes;
        out_.flush();
        if (!out_) {
            failed_ = true;
        }
        return;
    }
    std::string reason;
    if (!files::writeFileAtomically(path, bytes, &reason)) {
        fail("impossible d'écrire " + path + " (" + reason + ")");
    }
}

void Runner::keepDocument(const std::string& path, const QByteArray& bytes) {
    documents_.push_back({path, bytes});
}

} // namespace ohmora::cli
