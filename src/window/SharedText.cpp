#include "window/SharedText.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QScrollBar>
#include <QTextDocument>

#include <algorithm>

namespace ohmora {

namespace {

// How long the copy waits after a change, so that a burst of keys is
// copied once.
constexpr int kRefreshDelayMs = 150;

struct ViewState {
    int vertical = 0, horizontal = 0;
    int anchor = 0, position = 0;
};

ViewState viewState(const QTextEdit& editor) {
    const QTextCursor c = editor.textCursor();
    return {editor.verticalScrollBar()->value(), editor.horizontalScrollBar()->value(), c.anchor(),
            c.position()};
}

void restore(QTextEdit& editor, const ViewState& state) {
    QTextCursor c(editor.document());
    const int last = editor.document()->characterCount() - 1;
    c.setPosition(std::clamp(state.anchor, 0, last));
    c.setPosition(std::clamp(state.position, 0, last), QTextCursor::KeepAnchor);
    editor.setTextCursor(c);
    editor.verticalScrollBar()->setValue(state.vertical);
    editor.horizontalScrollBar()->setValue(state.horizontal);
}

} // namespace

SharedText::SharedText(QTextDocument& document, QTextEdit& mainArea)
    : document_(document), main_(mainArea) {
    refresh_.setSingleShot(true);
    refresh_.setInterval(kRefreshDelayMs);
    connect(&refresh_, &QTimer::timeout, this, [this] { refreshCopy(); });
    connect(&document_, &QTextDocument::contentsChanged, this, [this] {
        if (copy_) {
            refresh_.start();
        }
    });
    main_.installEventFilter(this);
}

SharedText::~SharedText() {
    detachReader();
}

void SharedText::attachReader(QTextEdit* reader, QPaintDevice* zoomDevice) {
    detachReader();
    if (!reader) {
        return;
    }
    reader_ = reader;
    zoomDevice_ = zoomDevice;
    reader_->installEventFilter(this);
    reader_->setReadOnly(main_.isReadOnly());
    copy_.reset(document_.clone());
    show(*reader_, copy_.get());
    reader_->moveCursor(QTextCursor::Start);
}

void SharedText::detachReader() {
    refresh_.stop();
    if (!copy_) {
        return;
    }
    if (reader_) {
        reader_->removeEventFilter(this);
        if (readerIsLive()) {
            const ViewState mainState = viewState(main_);
            show(main_, &document_);
            restore(main_, mainState);
        }
        reader_->setDocument(nullptr); // a document of its own, which it owns
    } else if (main_.document() != &document_) {
        show(main_, &document_);
    }
    document_.documentLayout()->setPaintDevice(nullptr);
    reader_ = nullptr;
    zoomDevice_ = nullptr;
    copy_.reset();
}

void SharedText::readerZoomChanged() {
    if (reader_) {
        const ViewState state = viewState(*reader_);
        show(*reader_, reader_->document());
        restore(*reader_, state);
    }
}

QTextEdit& SharedText::liveEditor() const {
    return readerIsLive() ? *reader_ : main_;
}

QTextEdit* SharedText::otherEditor() const {
    if (!reader_) {
        return nullptr;
    }
    return readerIsLive() ? &main_ : reader_.data();
}

void SharedText::show(QTextEdit& editor, QTextDocument* document) {
    // The reading window lays its text out at its zoom's resolution, the
    // main area at the screen's.
    const bool zoomed = &editor == reader_.data();
    document->documentLayout()->setPaintDevice(zoomed ? zoomDevice_ : nullptr);
    if (editor.document() != document) {
        editor.setDocument(document);
    }
    // A layout keeps its lines when only its resolution changed.
    document->markContentsDirty(0, document->characterCount());
    // Only the editor that holds the document takes drops: a drop lands
    // where typing does.
    editor.setAcceptDrops(document == &document_);
}

void SharedText::makeLive(QTextEdit& editor) {
    QTextEdit* other = &editor == &main_ ? reader_.data() : &main_;
    if (!other || editor.document() == &document_) {
        return;
    }
    refresh_.stop();
    const ViewState editorState = viewState(editor);
    const ViewState otherState = viewState(*other);
    std::unique_ptr<QTextDocument> fresh(document_.clone());
    show(*other, fresh.get());
    restore(*other, otherState);
    show(editor, &document_);
    restore(editor, editorState);
    copy_ = std::move(fresh);
}

void SharedText::refreshCopy() {
    refresh_.stop();
    QTextEdit* other = otherEditor();
    if (!other) {
        return;
    }
    const ViewState state = viewState(*other);
    std::unique_ptr<QTextDocument> fresh(document_.clone());
    show(*other, fresh.get());
    restore(*other, state);
    copy_ = std::move(fresh);
}

void SharedText::setReadOnly(bool readOnly) {
    main_.setReadOnly(readOnly);
    if (reader_) {
        reader_->setReadOnly(readOnly);
    }
}

void SharedText::textReplaced() {
    refreshCopy();
    for (QTextEdit* editor : {&main_, reader_.data()}) {
        if (editor) {
            editor->moveCursor(QTextCursor::Start);
        }
    }
}

bool SharedText::eventFilter(QObject* watched, QEvent* event) {
    // The document moves to an editor as it takes the focus, before the
    // click or the key that follows reaches it.
    if (event->type() == QEvent::FocusIn && (watched == &main_ || watched == reader_.data())) {
        makeLive(*static_cast<QTextEdit*>(watched));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ohmora
