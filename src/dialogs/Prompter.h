#pragma once
// The one door through which the windows ask the user something: message
// boxes and the colour dialog (file and printer dialogs join it when their
// windows need them). The Qt implementation shows real modal dialogs; the
// scripted one answers from a queue and records what was shown, so that
// tests never block on a modal loop.

#include <QColor>
#include <QString>

#include <optional>

class QDialog;

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

class Prompter {
public:
    virtual ~Prompter();

    // A modal message box; returns the button chosen. Closing the box
    // without a button counts as its cancelling answer (Cancel, No or Ok).
    virtual MessageAnswer message(const Message& message) = 0;

    // The colour dialog, opened on `initial`; nothing when cancelled.
    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;

    // Shows one of the program's own dialogs modally; returns its result
    // (QDialog::Accepted or Rejected).
    virtual int runDialog(QDialog& dialog) = 0;

    // Opens a local document (the help) in the desktop's viewer for its
    // kind; false when none could open it.
    virtual bool openDocument(const QString& path) = 0;
};

// The answer that dismissing a box without choosing stands for.
MessageAnswer cancellingAnswer(MessageButtons buttons);

} // namespace ohmora
