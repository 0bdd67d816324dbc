#pragma once
// The ends of a run that skip the window's closing: SIGTERM (the session
// or an administrator ending the program), SIGHUP (the terminal or the
// session gone), SIGINT (Ctrl+C in a terminal), and exit() (which the
// toolkit calls when the connection to the display is lost). Each of them
// withdraws the program's presence from the suite's marker file before the
// process ends; a signal then ends it as it would have without the handler.

namespace ohmora::files {

// Installs the handlers (a signal the process was started ignoring, as
// nohup does with SIGHUP, stays ignored) and the exit hook; once per
// process, before the presence is announced.
void withdrawPresenceAtTermination();

} // namespace ohmora::files
