#include "ParameterBox.h"

#include "Validation.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace ohmora {

bool isControlFocusChange(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

ParameterBox::ParameterBox(int index, QWidget* parent) : QLineEdit(parent), index_(index) {
    setObjectName(QStringLiteral("Textv%1").arg(index));
    // Every character must come through the key filter: no input method
    // composing text and no text dropped in.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAcceptDrops(false);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (onEdited) {
            onEdited(index_, text);
        }
    });
}

void ParameterBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (onValidate) {
            onValidate(index_);
        }
        event->accept();
        return;
    }
    const QString text = event->text();
    // Keys that type no character (arrows, Home, End, Delete, Tab) move the
    // caret or the focus as usual; only typed characters are filtered.
    const bool typesCharacter = !text.isEmpty() && text.at(0) != QChar(0x7F) &&
                                event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab &&
                                event->key() != Qt::Key_Escape;
    if (!typesCharacter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const char16_t unicode = text.at(0).unicode();
    const char filtered =
        (text.size() == 1 && unicode < 0x80) ? filterParameterKey(char(unicode)) : 0;
    if (filtered == 0) {
        event->accept();
        return;
    }
    if (filtered == char(unicode)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), QString(QChar(filtered)),
                       event->isAutoRepeat(), ushort(event->count()));
    QLineEdit::keyPressEvent(&replaced);
}

void ParameterBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (isControlFocusChange(event->reason()) && onEnter) {
        onEnter(index_);
    }
}

void ParameterBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isControlFocusChange(event->reason()) && onValidate) {
        onValidate(index_);
    }
}

} // namespace ohmora
