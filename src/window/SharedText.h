#pragma once
// One text shown in two editors: the text area `supertext` of the main
// window and, while it is open, the reading window. Each editor lays the
// text out at its own width (and the reading window at its own zoom), which
// one document cannot do for two views at once: the editor with the focus
// edits the session's document itself, and the other shows a copy of it,
// refreshed after every change. When the focus moves to the other editor
// the two trade documents, keeping their scroll positions and selections,
// so whatever is typed goes into the one document, under the rules that
// watch it (`textemodifie`), and shows in both.

#include <QObject>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>

#include <memory>

class QPaintDevice;
class QTextDocument;

namespace ohmora {

class SharedText : public QObject {
public:
    SharedText(QTextDocument& document, QTextEdit& mainArea);
    ~SharedText() override;

    // The reading window's editor, laid out for `zoomDevice` (the
    // resolution its zoom stands for); none: the reading window is closed
    // and the main area shows the document.
    void attachReader(QTextEdit* reader, QPaintDevice* zoomDevice);
    void detachReader();
    // The reading window's zoom changed: its text is laid out anew.
    void readerZoomChanged();

    // The editor that holds the document (where a selection to print is).
    QTextEdit& liveEditor() const;
    bool readerIsLive() const { return reader_ && reader_->document() == &document_; }
    QTextDocument* copy() const { return copy_.get(); }

    // What the session reported: the lock of the text for both editors,
    // and, after a new text, the caret at its start in both.
    void setReadOnly(bool readOnly);
    void textReplaced();
    // Brings the copy up to date at once (it follows the document a moment
    // after each change, so that typing does not copy the text per key).
    void refreshCopy();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextEdit* otherEditor() const;
    void makeLive(QTextEdit& editor);
    void show(QTextEdit& editor, QTextDocument* document);

    QTextDocument& document_;
    QTextEdit& main_;
    QPointer<QTextEdit> reader_;
    QPaintDevice* zoomDevice_ = nullptr;
    std::unique_ptr<QTextDocument> copy_;
    QTimer refresh_;
};

} // namespace ohmora
