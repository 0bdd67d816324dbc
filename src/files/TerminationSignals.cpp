#include "files/TerminationSignals.h"

#include "files/Presence.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace ohmora::files {

namespace {

void onTerminationSignal(int signal) {
    const int savedErrno = errno;
    withdrawPresenceFromSignal();
    errno = savedErrno;
    // SA_RESETHAND has put the default action back: the signal, held until
    // this handler returns, then ends the process as it was meant to.
    ::raise(signal);
}

void onExit() {
    withdrawPresence();
}

} // namespace

void withdrawPresenceAtTermination() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : kTerminationSignals) {
        sigaddset(&action.sa_mask, signal);
    }
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    for (int signal : kTerminationSignals) {
        struct sigaction previous {};
        if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            continue;
        }
        ::sigaction(signal, &action, nullptr);
    }
    std::atexit(onExit);
}

} // namespace ohmora::files
