#pragma once
// Whether the program runs, as record 4 of the suite's marker file tells
// the other programs ("OUI" or "NON"), kept true however a run ends: the
// window closed, a termination signal, or the toolkit ending the process
// when the display goes away. A lock file beside the marker file tells a
// live "OUI" from one left by a process that ended without writing "NON"
// (killed, crashed): every running process of the program holds a shared
// lock on it, and the kernel drops a process's lock with the process. Only
// record 4 of the marker file is ever written; the lock file is the
// program's own.

#include <array>
#include <csignal>
#include <filesystem>
#include <string_view>

namespace ohmora::files {

inline constexpr std::string_view kPresenceLockName = "ohmora.lock";

// The signals that end the program with its presence withdrawn
// (files/TerminationSignals.h installs their handlers); the presence holds
// them back in its own thread while it announces or withdraws.
inline constexpr std::array<int, 3> kTerminationSignals = {SIGTERM, SIGHUP, SIGINT};

enum class PresenceFound {
    NotRunning, // record 4 does not say "OUI"
    Running,    // "OUI", and a running process of the program holds the lock
    Stale,      // "OUI" left by a process that no longer exists
    Unknown,    // "OUI", and no lock file to tell whether it is true
};

// What record 4 of `markerFile` says, told live or stale by the lock file
// beside it. This process's own presence counts as a running process.
PresenceFound inspectPresence(const std::filesystem::path& markerFile);

// Writes "OUI" into record 4 and takes this process's share of the lock;
// returns what the record said before (a stale "OUI" is found Stale, and
// the process is from now on the one the flag stands for). A presence
// announced before, in any marker file, is withdrawn first. Failures are
// ignored: the program runs without the file.
PresenceFound announcePresence(const std::filesystem::path& markerFile);

// Writes "NON" into the marker file announced last, unless another process
// of the program still holds the lock (its "OUI" stays true), and drops
// this process's share. Returns whether "NON" was written; false too when
// nothing was announced.
bool withdrawPresence();

// The same, for the window's one call: announces when `running`, else
// withdraws.
void setPresence(const std::filesystem::path& markerFile, bool running);

// withdrawPresence() for a signal handler: only async-signal-safe calls,
// on a path and bytes prepared by announcePresence(). When another thread
// is announcing or withdrawing, it waits for that thread to finish.
void withdrawPresenceFromSignal() noexcept;

} // namespace ohmora::files
