#pragma once
// The application layer: what a user can do beyond the simulation, written
// once for the window and for ohmora-cli. A session owns the simulator and
// the pictures every output shares, the window's caption, and the actions
// on configuration files (`saveconfig`, `openconfig` and its replay), the
// copies, the printed page, the closing questions and the help; the
// exercise text area (ExerciseText) and the printer path (Printing) are its
// parts. It asks the user through the prompt interface and tells its host
// what changed through a Listener: it never drives the host's window.
//
// Qt Core and Qt Gui only, without a single widget: ohmora-cli runs it as a
// plain program. The pictures and the text area need a QGuiApplication and
// are made at their first use, so that a run that needs neither starts
// without one.

#include "core/ProgramState.h"
#include "core/Simulator.h"
#include "output/ClipboardCopy.h"
#include "output/PrintedPage.h"
#include "pictureset/PictureSet.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace ohmora {

struct MenuEntry;
class Prompter;
struct PrinterChoice;

namespace session {

class ExerciseText;
class Exports;
class Printers;
class Printing;

// What the host shows of a session. Each call comes once the session's
// state is up to date; the host redraws from that state.
class Listener {
public:
    virtual ~Listener();
    // The simulation changed through the session (a configuration
    // replayed): `redraw` as the simulator's handlers report it, the
    // pictures already redrawn (`damage`).
    virtual void simulationChanged(Redraw redraw, const PictureSet::Damage& damage);
    virtual void captionChanged();
    // The text area: what is open (`fich`) or its lock changed, and when
    // `replaced`, its whole content too.
    virtual void textAreaChanged(bool replaced);
};

// The entries of the copy menu `menucop`, each standing for a CopyKind.
std::span<const MenuEntry> copyMenu();
// The entries of the graph's right-click menu, each standing for a
// GraphTool.
std::span<const MenuEntry> graphMenu();

class Session {
public:
    // `printers` are the host's (a printer needs Qt PrintSupport); without
    // them, pages go to PDF files only.
    Session(ProgramState& program, Prompter& prompter, Printers* printers = nullptr);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ProgramState& program() { return program_; }
    Prompter& prompter() { return prompter_; }
    Simulator& simulator() { return sim_; }
    const Simulator& simulator() const { return sim_; }
    void setListener(Listener* listener) { listener_ = listener; }
    Listener& listener();

    // The schematic and the graph, made and drawn at the first call; a host
    // that shows or exports them makes them before the first handler runs,
    // so that every redraw after it reaches them (the curves are drawn step
    // by step).
    PictureSet& pictures();
    bool hasPictures() const { return pictures_ != nullptr; }
    // The pictures drawn at `scale` device pixels to one of their pixels
    // (a screen's device pixel ratio, so that they are sharp on it), made
    // anew from the state when the scale changes.
    void setPictureScale(double scale);
    // Brings the pictures up to date with a handler's result (when they
    // exist); what they changed.
    PictureSet::Damage redraw(Redraw redraw);

    // The text area, made at the first call with the welcome text.
    ExerciseText& text();
    bool hasText() const { return text_ != nullptr; }
    Printing& printing() { return *printing_; }

    // The main window's caption: "Ohmora", then "Ohmora - " followed by the
    // configuration last saved or opened.
    const QString& caption() const { return caption_; }

    // --- configurations -------------------------------------------------
    // `saveconfig`: writes the configuration to `path`, completely or not
    // at all, and shows it in the caption; false after its message.
    bool saveconfig(const QString& path);
    // The save dialog's last step, once it has built the path and any
    // overwrite is confirmed: cheminconfig becomes the path, then saveconfig.
    bool saveConfiguration(const QString& path);
    // `openconfig`: reads the file named by cheminconfig and checks it
    // whole; only then replays it through the simulator's handlers, shows it
    // in the caption and erases the graph. A failed load changes nothing but
    // shows its message. False on failure.
    bool openconfig();
    // The open dialog's "OUVRIR" on `path`: cheminconfig becomes the path; a
    // path that does not exist is told and false returned (the dialog stays
    // open); otherwise `loading` runs (the dialog's wait notice), then
    // openconfig, and true is returned whatever its outcome.
    bool openConfiguration(const QString& path, const std::function<void()>& loading = {});

    // --- files given to the program -----------------------------------------
    // A file given on the command line (which is how the desktop opens a
    // file the user double-clicks): a configuration (".P16") as "OUVRIR"
    // opens it, an exercise (".E34") as the browser opens the file chosen
    // in its list (its folder becomes `dossierexo`), a text (".rtf") as
    // "Retrouver un texte"; the extension's case does not matter. A file
    // that is missing or of another kind is told. False after a message.
    bool openFile(const QString& path);

    // --- copies and the printed page --------------------------------------
    // A copy chosen in the copy menu (or none), then the copy message on
    // the help line whether or not one was chosen. The menu's entries that
    // save a file ask for it and write it instead: no copy message then.
    void copy(std::optional<CopyKind> kind);
    // The recording as CSV and the pictures as image files.
    Exports& exports() { return *exports_; }
    // The printed page of the state as it is now, on the printer or into
    // the PDF file `target` names; false after its message.
    bool printPage(const PrinterChoice& target, const PageOptions& options);
    // The same document as a PDF file's bytes (ohmora-cli writes it with its
    // other outputs); empty when it could not be built.
    QByteArray pagePdf(const PageOptions& options);

    // --- closing and help -----------------------------------------------
    // The questions asked before the program closes: the typed-text
    // question, then "Quitter vraiment Ohmora ?"; true to close.
    bool confirmClose();
    // "&Aide": the program's help in the desktop's browser, or why not.
    void openHelp();
    static constexpr const char* kHelpFileName = "ohmora-aide.html";

private:
    void setCaption(const QString& caption);
    void showStop(std::string_view text, std::string_view title);

    ProgramState& program_;
    Prompter& prompter_;
    Simulator sim_;
    Listener* listener_ = nullptr;
    QString caption_;
    std::unique_ptr<PictureSet> pictures_;
    double pictureScale_ = 1;
    std::unique_ptr<Printing> printing_;
    std::unique_ptr<Exports> exports_;
    std::unique_ptr<ExerciseText> text_;
};

} // namespace session
} // namespace ohmora
