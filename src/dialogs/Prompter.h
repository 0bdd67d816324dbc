#pragma once
// The one door through which the windows ask the user something: message
// boxes, the colour, file and printer dialogs, pop-up menus, the program's
// own modal windows and the desktop's document viewer. The Qt
// implementation shows real modal dialogs; the scripted one answers from a
// queue and records what was shown, so that tests never block on a modal
// loop.

#include <QColor>
#include <QPageLayout>
#include <QString>

#include <optional>

class QAction;
class QDialog;
class QMenu;
class QPoint;

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

// A file dialog's title, filter ("Texte au format RTF (*.RTF)"), the
// extension added to a name typed without one, and the name proposed.
struct FileChoice {
    QString title;
    QString filter;
    QString defaultSuffix;
    QString proposedName;
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

    // Runs `dialog` (one of the program's own, or the exercise browser)
    // modally until it closes; returns its result code.
    virtual int runModal(QDialog& dialog) = 0;

    // Opens a local document (the help) in the desktop's viewer for its
    // kind; false when the desktop has no application for that kind or
    // none could be started.
    virtual bool openDocument(const QString& path) = 0;

    // The system's file dialogs; nothing when cancelled. A save never asks
    // about overwriting: the program asks its own question.
    virtual std::optional<QString> chooseOpenFile(const FileChoice& choice) = 0;
    virtual std::optional<QString> chooseSaveFile(const FileChoice& choice) = 0;

    // --- copies and printing ---------------------------------------------
    // Shows `menu` as a pop-up at `globalPosition` until it closes; returns
    // the entry chosen, or nothing.
    virtual QAction* popUpMenu(QMenu& menu, const QPoint& globalPosition) = 0;
    // The system's printer choice, opened on `current`; nothing when
    // cancelled.
    virtual std::optional<PrinterChoice> choosePrinter(const PrinterChoice& current) = 0;
    // A save-file choice of a PDF file, with the dialog's title and the
    // path it suggests; nothing when cancelled.
    virtual std::optional<QString> choosePdfFile(const QString& title,
                                                 const QString& suggestedPath) = 0;
};

// The answer that dismissing a box without choosing stands for.
MessageAnswer cancellingAnswer(MessageButtons buttons);

} // namespace ohmora
