// The same run with a connection to a display (QT_QPA_PLATFORM=xcb and
// DISPLAY given by the test), which the toolkit ends with exit() when the
// display goes away.
//   presence_display_helper MARKER

#include "files/Presence.h"
#include "files/TerminationSignals.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string marker = argv[1];
    QGuiApplication app(argc, argv);
    ohmora::files::withdrawPresenceAtTermination();
    ohmora::files::announcePresence(marker);
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    return QGuiApplication::exec();
}
