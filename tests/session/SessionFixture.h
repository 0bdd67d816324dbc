#pragma once
// A session of the application layer as ohmora-cli has one: no widget, the
// scripted prompts, fake printers, and a program directory of the test's
// own holding a copy of the shipped exercise pack.

#include "FakePrinters.h"
#include "ScriptedPrompts.h"
#include "core/ProgramState.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace ohmora::test {

// What the host hears from the session.
struct HeardListener : session::Listener {
    void simulationChanged(Redraw redraw, const PictureSet::Damage&) override {
        redraws.push_back(redraw);
    }
    void captionChanged() override { ++captions; }
    void textAreaChanged(bool replaced) override { replacements += replaced ? 1 : 0; }
    std::vector<Redraw> redraws;
    int captions = 0;
    int replacements = 0;
};

class SessionFixture : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        dir = fs::temp_directory_path() /
              ("ohmora-session-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& entry : fs::directory_iterator(OHMORA_PROGRAM_DIR)) {
            const std::string ext = entry.path().extension().string();
            if (ext == ".E34" || ext == ".rtf" || ext == ".P16" || ext == ".PEM") {
                fs::copy_file(entry.path(), dir / entry.path().filename());
            }
        }
        program.programDirectory = dir.string() + "/";
        program.markerFile = (dir / "BREVANE.TMP").string();
        session = std::make_unique<session::Session>(program, prompter, &printers);
        session->setListener(&heard);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    QString path(const std::string& name) const {
        return QString::fromStdString((dir / name).string());
    }
    const Controls& controls() const { return session->simulator().controls(); }

    std::filesystem::path dir;
    ProgramState program;
    ScriptedPrompts prompter;
    FakePrinters printers;
    HeardListener heard;
    std::unique_ptr<session::Session> session;
};

} // namespace ohmora::test
