// A run of the program as the presence tests need one: it installs the
// termination handlers, announces itself in the marker file given, says
// "ready" on its standard output and waits for what ends it.
//   presence_helper MARKER

#include "files/Presence.h"
#include "files/TerminationSignals.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    ohmora::files::withdrawPresenceAtTermination();
    ohmora::files::announcePresence(argv[1]);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;) {
        ::pause();
    }
}
