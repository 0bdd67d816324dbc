#pragma once
// Values shared by the program's windows for the whole run. One object,
// owned by the application and handed to each window that needs it.

#include <string>

namespace ohmora {

struct ProgramState {
    // The program's directory, with a final separator: the exercises, the
    // first-use guide and the help live there.
    std::string programDirectory;
    // The suite's marker file; empty: none (it is then left alone).
    std::string markerFile;
    std::string cheminconfig; // path of the configuration last saved or opened
    std::string dossierexo;   // directory of the open exercise, with a final separator
    bool corrige = false;     // the open exercise has a correction
    bool textemodifie = false;
    double memoire = 0; // the calculator's memory, kept across openings
};

} // namespace ohmora
