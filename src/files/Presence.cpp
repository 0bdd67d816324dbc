#include "files/Presence.h"

#include "files/MarkerFile.h"
#include "files/RecordFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace ohmora::files {

namespace {

// The lock file's bytes: every running process holds the first one shared;
// the second, held by one process at a time, makes reading and writing
// record 4 one step, so that two processes ending at once cannot both
// leave "OUI" and a process starting meanwhile cannot see its "OUI"
// replaced by "NON". Open-file-description locks: a lock belongs to the
// open file, not to the process, so that no other open and close of the
// file in the process drops it.
constexpr off_t kRunningByte = 0;
constexpr off_t kUpdateByte = 1;

constexpr off_t kPresenceOffset = off_t(kPresenceRecord - 1) * off_t(kRecordSize);
constexpr char kNon[] = {3, 0, 'N', 'O', 'N'}; // record 4's length and text

// Everything withdrawing needs, prepared while announcing: a signal
// handler allocates nothing and calls no library function but the
// async-signal-safe ones.
struct Prepared {
    char marker[PATH_MAX] = {};
    int lock = -1;
};
Prepared g_prepared;

// Idle: nothing announced; Busy: a thread is announcing or withdrawing;
// Announced: g_prepared is ready.
enum Phase : int { Idle, Busy, Announced };
std::atomic<int> g_phase{Idle};
static_assert(std::atomic<int>::is_always_lock_free, "used from signal handlers");

// Holds the termination signals back in this thread for its lifetime, so
// that their handler never interrupts the thread in the middle of an
// announcement it would then wait for.
class SignalsHeldBack {
public:
    SignalsHeldBack() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : kTerminationSignals) {
            sigaddset(&held, signal);
        }
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~SignalsHeldBack() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsHeldBack(const SignalsHeldBack&) = delete;
    SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

private:
    sigset_t previous_{};
};

struct flock byteLock(short type, off_t byte) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    return lock;
}

bool setLock(int fd, short type, off_t byte, bool wait) {
    struct flock lock = byteLock(type, byte);
    while (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// Whether another open file, in any process, holds the running byte.
bool othersRunning(int fd) {
    struct flock lock = byteLock(F_WRLCK, kRunningByte);
    return ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// Writes "NON" into record 4 in place: async-signal-safe.
void writeNon(const char* marker) {
    const int fd = ::open(marker, O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        return;
    }
    size_t done = 0;
    while (done < sizeof kNon) {
        const ssize_t n =
            ::pwrite(fd, kNon + done, sizeof kNon - done, kPresenceOffset + off_t(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += size_t(n);
    }
    ::close(fd);
}

// Withdraws what g_prepared holds: async-signal-safe. Returns whether
// "NON" was written.
bool withdrawPrepared() {
    const int lock = g_prepared.lock;
    bool others = false;
    if (lock >= 0) {
        setLock(lock, F_WRLCK, kUpdateByte, true);
        setLock(lock, F_UNLCK, kRunningByte, false);
        others = othersRunning(lock);
    }
    if (!others) {
        writeNon(g_prepared.marker);
    }
    if (lock >= 0) {
        ::close(lock); // which lets the update byte go
        g_prepared.lock = -1;
    }
    return !others;
}

bool saysRunning(const std::filesystem::path& markerFile) {
    const size_t end = size_t(kPresenceRecord) * kRecordSize;
    const std::optional<std::string> head = readFileHead(markerFile, end);
    return head && RecordImage(*head).read(kPresenceRecord).text == "OUI";
}

std::filesystem::path lockFileBeside(const std::filesystem::path& markerFile) {
    return markerFile.parent_path() / kPresenceLockName;
}

} // namespace

PresenceFound inspectPresence(const std::filesystem::path& markerFile) {
    if (!saysRunning(markerFile)) {
        return PresenceFound::NotRunning;
    }
    const int lock = ::open(lockFileBeside(markerFile).c_str(), O_RDONLY | O_CLOEXEC);
    if (lock < 0) {
        return PresenceFound::Unknown;
    }
    const bool running = othersRunning(lock);
    ::close(lock);
    return running ? PresenceFound::Running : PresenceFound::Stale;
}

PresenceFound announcePresence(const std::filesystem::path& markerFile) {
    const SignalsHeldBack heldBack;
    withdrawPresence();
    const std::string& marker = markerFile.native();
    int expected = Idle;
    if (marker.size() >= sizeof g_prepared.marker ||
        !g_phase.compare_exchange_strong(expected, Busy)) {
        return PresenceFound::Unknown;
    }
    std::memcpy(g_prepared.marker, marker.c_str(), marker.size() + 1);
    // Without a lock file (a directory that takes no new file) the flag is
    // written all the same; it then cannot be told stale.
    const int lock = ::open(lockFileBeside(markerFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (lock >= 0 && !setLock(lock, F_WRLCK, kUpdateByte, true)) {
        ::close(lock);
        g_prepared.lock = -1;
    } else {
        g_prepared.lock = lock;
    }
    PresenceFound found = PresenceFound::NotRunning;
    if (saysRunning(markerFile)) {
        found = g_prepared.lock < 0              ? PresenceFound::Unknown
                : othersRunning(g_prepared.lock) ? PresenceFound::Running
                                                 : PresenceFound::Stale;
    }
    if (g_prepared.lock >= 0) {
        setLock(g_prepared.lock, F_RDLCK, kRunningByte, false);
    }
    writeMarkerRecord(markerFile, kPresenceRecord, "OUI");
    if (g_prepared.lock >= 0) {
        setLock(g_prepared.lock, F_UNLCK, kUpdateByte, false);
    }
    g_phase.store(Announced);
    return found;
}

bool withdrawPresence() {
    const SignalsHeldBack heldBack;
    int expected = Announced;
    if (!g_phase.compare_exchange_strong(expected, Busy)) {
        return false;
    }
    const bool written = withdrawPrepared();
    g_phase.store(Idle);
    return written;
}

void setPresence(const std::filesystem::path& markerFile, bool running) {
    if (running) {
        announcePresence(markerFile);
    } else {
        withdrawPresence();
    }
}

void withdrawPresenceFromSignal() noexcept {
    for (;;) {
        int phase = g_phase.load();
        if (phase == Idle) {
            return;
        }
        if (phase == Announced && g_phase.compare_exchange_strong(phase, Busy)) {
            withdrawPrepared();
            g_phase.store(Idle);
            return;
        }
        // Busy: another thread, which holds the signals back, is announcing
        // or withdrawing; it is done in a few system calls.
    }
}

} // namespace ohmora::files
