#pragma once
// The one door through which the program asks the user something: message
// boxes, the colour, file and printer choices and the desktop's document
// viewer. The application layer (src/session) asks through it without a
// single widget; the windows' own modal windows and pop-up menus go through
// WindowPrompter, which adds them. The Qt implementation shows real modal
// dialogs; the scripted one answers from a queue and records what was
// asked, so that tests never block on a modal loop; ohmora-cli's answers
// for a run that has nobody to ask.

#include <QColor>
#include <QPageLayout>
#include <QString>

#include <optional>
#include <vector>

namespace ohmora {

enum class MessageIcon { Stop, Exclamation, Question, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct Message {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

// A file dialog: its title, filter ("Texte au format RTF (*.RTF)"), the
// extension added to a name typed without one, the folder it starts in and
// the name it proposes (empty: none). A save dialog asks before replacing a
// file, unless the program asks its own question in its own words.
struct FileChoice {
    QString title;
    QString filter;
    QString defaultSuffix;
    QString directory;
    QString proposedName;
    bool asksBeforeOverwriting = true;
};

// One kind of file a save dialog offers: its filter ("Image SVG (*.svg)")
// and the extension added to a name typed without one while it is chosen.
struct FileKind {
    QString filter;
    QString suffix;
};

// The file a save dialog of several kinds chose, and its kind: the index of
// the filter the dialog ended on.
struct KindOfFile {
    QString path;
    int kind = 0;
};

// Where printed pages go: a printer by its name, or else a PDF file; with
// the page set-up chosen for it, if any.
struct PrinterChoice {
    QString printerName;
    QString pdfFile;
    std::optional<QPageLayout> pageLayout;
};

class Prompter {
public:
    virtual ~Prompter();

    // A modal message box; returns the button chosen. Closing the box
    // without a button counts as its cancelling answer (Cancel, No or Ok).
    virtual MessageAnswer message(const Message& message) = 0;

    // The colour dialog, opened on `initial`; nothing when cancelled.
    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;

    // Opens a local document (the help) in the desktop's viewer for its
    // kind; false when the desktop has no application for that kind or
    // none could be started.
    virtual bool openDocument(const QString& path) = 0;

    // The system's file dialogs; nothing when cancelled.
    virtual std::optional<QString> chooseOpenFile(const FileChoice& choice) = 0;
    virtual std::optional<QString> chooseSaveFile(const FileChoice& choice) = 0;
    // The save dialog of `choice` (its own filter and suffix aside) offering
    // `kinds`, the first one chosen at first. By default, the first kind
    // alone.
    virtual std::optional<KindOfFile> chooseSaveFileOfKind(const FileChoice& choice,
                                                           const std::vector<FileKind>& kinds);

    // The system's printer choice, opened on `current`; nothing when
    // cancelled.
    virtual std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) = 0;
};

// The answer that dismissing a box without choosing stands for.
MessageAnswer cancellingAnswer(MessageButtons buttons);

} // namespace ohmora
