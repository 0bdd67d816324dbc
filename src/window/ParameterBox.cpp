#include "window/ParameterBox.h"

#include "window/Validation.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace ohmora {

bool isControlFocusChange(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

ParameterBox::ParameterBox(int index, QWidget* parent) : QLineEdit(parent), index_(index) {
    setObjectName(QStringLiteral("Textv%1").arg(index));
    // Every character must come through the key filter: no input method
    // composes text, and what a paste or a drop brings is filtered below.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString filtered = filterInsertedText(lastText_, text);
        if (filtered != text) {
            const int caret = cursorPosition() - int(text.size() - filtered.size());
            setText(filtered);
            setCursorPosition(std::clamp(caret, 0, int(filtered.size())));
        }
        lastText_ = filtered;
        if (onEdited) {
            onEdited(index_, filtered);
        }
    });
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { lastText_ = text; });
}

QString filterInsertedText(const QString& before, const QString& after) {
    // What was inserted lies between the longest common prefix and suffix.
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);
    QString kept;
    for (const QChar c : inserted) {
        const char filtered = c.unicode() < 0x80 ? filterParameterKey(char(c.unicode())) : 0;
        // Backspace and Enter type no character into the text.
        if (filtered != 0 && filtered != 8 && filtered != 13) {
            kept += QChar(filtered);
        }
    }
    return after.left(prefix) + kept + after.right(suffix);
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
