// The presence flag (record 4 of the marker file) kept true by real runs of
// the program: ended by each termination signal, by the end of their
// display, or killed without a chance to write.

#include "files/Presence.h"
#include "files/MarkerFile.h"
#include "files/RecordFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace ohmora::files;
namespace fs = std::filesystem;

namespace {

constexpr size_t kRecordFour = 3 * kRecordSize;

struct Process {
    pid_t pid = -1;
    int output = -1; // its standard output
};

// Starts `args` with its standard output on a pipe, the termination
// signals at their default action, `environment` added to this process's,
// and `descriptor3` (when given) as its descriptor 3.
Process start(const std::vector<std::string>& args,
              const std::vector<std::string>& environment = {}, int descriptor3 = -1) {
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        return {};
    }
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(output[1], 1);
        if (descriptor3 >= 0) {
            ::dup2(descriptor3, 3);
        }
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        for (int signal : kTerminationSignals) {
            ::signal(signal, SIG_DFL);
        }
        for (const std::string& variable : environment) {
            ::putenv(const_cast<char*>(variable.c_str()));
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(output[1]);
    return {pid, output[0]};
}

std::string readLine(int fd) {
    std::string line;
    char c = 0;
    while (::read(fd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// A marker file whose every byte belongs to other programs, record 4
// holding a text of theirs.
struct Marker {
    fs::path file;
    std::string before;

    explicit Marker(const std::string& name) {
        const fs::path dir = fs::temp_directory_path() /
                             ("ohmora-presence-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = dir / "BREVANE.TMP";
        for (size_t i = 0; i < 35 * kRecordSize; ++i) {
            before += char((i * 131 + 7) & 0xFF);
        }
        before.replace(kRecordFour, 2, std::string("\x02\x00", 2));
        std::ofstream(file, std::ios::binary) << before;
    }
    std::string bytes() const {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string flag() const { return RecordImage(bytes()).read(kPresenceRecord).text; }
    // Only record 4's length and text may have changed.
    void expectOthersKept() const {
        const std::string now = bytes();
        std::string expected = before;
        expected.replace(kRecordFour, 5, now.substr(kRecordFour, 5));
        EXPECT_EQ(now, expected);
    }
};

Process startRun(const Marker& marker) {
    Process run = start({OHMORA_PRESENCE_HELPER, marker.file.string()});
    EXPECT_EQ(readLine(run.output), "ready");
    return run;
}

TEST(Presence, EachTerminationSignalWritesNon) {
    const std::pair<const char*, int> rows[] = {
        {"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}};
    for (const auto& [name, signal] : rows) {
        SCOPED_TRACE(name);
        const Marker marker(name);
        const Process run = startRun(marker);
        ASSERT_GT(run.pid, 0);
        EXPECT_EQ(marker.flag(), "OUI");
        EXPECT_EQ(inspectPresence(marker.file), PresenceFound::Running);
        ::kill(run.pid, signal);
        const int status = waitFor(run.pid);
        // Ended by the signal itself, as without the handler.
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(marker.flag(), "NON");
        marker.expectOthersKept();
        ::close(run.output);
    }
}

TEST(Presence, AKilledRunLeavesAnOuiFoundStale) {
    const Marker marker("killed");
    const Process run = startRun(marker);
    ASSERT_GT(run.pid, 0);
    ::kill(run.pid, SIGKILL);
    waitFor(run.pid);
    ::close(run.output);
    EXPECT_EQ(marker.flag(), "OUI");
    EXPECT_EQ(inspectPresence(marker.file), PresenceFound::Stale);
    EXPECT_EQ(announcePresence(marker.file), PresenceFound::Stale);
    EXPECT_TRUE(withdrawPresence());
    EXPECT_EQ(marker.flag(), "NON");
    marker.expectOthersKept();
    // An "OUI" without the lock file beside it cannot be told.
    fs::remove(marker.file.parent_path() / kPresenceLockName);
    std::fstream(marker.file, std::ios::binary | std::ios::in | std::ios::out)
        .seekp(long(kRecordFour))
        .write("\x03\x00OUI", 5);
    EXPECT_EQ(inspectPresence(marker.file), PresenceFound::Unknown);
}

// Two runs at once: the first to end leaves the other's "OUI".
TEST(Presence, NonWaitsForTheLastRun) {
    const Marker marker("two-runs");
    const Process other = startRun(marker);
    ASSERT_GT(other.pid, 0);
    EXPECT_EQ(announcePresence(marker.file), PresenceFound::Running);
    EXPECT_FALSE(withdrawPresence());
    EXPECT_EQ(marker.flag(), "OUI");
    EXPECT_EQ(inspectPresence(marker.file), PresenceFound::Running);
    ::kill(other.pid, SIGTERM);
    waitFor(other.pid);
    ::close(other.output);
    EXPECT_EQ(marker.flag(), "NON");
    EXPECT_FALSE(withdrawPresence()); // nothing announced any more
}

// The toolkit ends the process with exit() when its display goes away.
TEST(Presence, TheEndOfTheDisplayWritesNon) {
#if defined(OHMORA_XVFB) && defined(OHMORA_PRESENCE_DISPLAY_HELPER)
    int displayPipe[2];
    ASSERT_EQ(::pipe2(displayPipe, O_CLOEXEC), 0);
    const Process display =
        start({OHMORA_XVFB, "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "320x240x24"},
              {}, displayPipe[1]);
    ::close(displayPipe[1]);
    ASSERT_GT(display.pid, 0);
    const std::string number = readLine(displayPipe[0]); // once it accepts clients
    ::close(displayPipe[0]);
    ASSERT_FALSE(number.empty());

    const Marker marker("display");
    const Process run = start({OHMORA_PRESENCE_DISPLAY_HELPER, marker.file.string()},
                              {"DISPLAY=:" + number, "QT_QPA_PLATFORM=xcb"});
    ASSERT_EQ(readLine(run.output), "ready");
    EXPECT_EQ(marker.flag(), "OUI");
    ::kill(display.pid, SIGTERM);
    waitFor(display.pid);
    const int status = waitFor(run.pid);
    EXPECT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(marker.flag(), "NON");
    ::close(run.output);
    ::close(display.output);
#else
    GTEST_SKIP() << "Xvfb (package xvfb) or Qt is missing";
#endif
}

} // namespace
