#include "window/ReadingWindow.h"

#include "window/Appearance.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace ohmora {

namespace {

constexpr double kMetresPerInch = 0.0254;

QAction* zoomAction(QWidget* window, const QString& text, const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

} // namespace

ReadingWindow::ReadingWindow(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), zoomDevice_(1, 1, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("lecture"));
    setWindowTitle(QStringLiteral("Fenêtre exercice - Ohmora"));
    setAccessibleName(QStringLiteral("Fenêtre exercice agrandie"));
    setAccessibleDescription(QStringLiteral(
        "Le texte de la fenêtre exercice, en grand ; Ctrl et + ou Ctrl et - pour changer la "
        "taille du texte, Échap pour fermer"));
    setFont(controlFont());
    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("textelecture"));
    text_->setAccessibleName(QStringLiteral("Texte de l'exercice"));
    text_->setAcceptRichText(false);
    text_->setTabChangesFocus(true);
    text_->viewport()->installEventFilter(this);
    buildZoomRow();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    row->addWidget(smaller_);
    row->addWidget(zoomLabel_);
    row->addWidget(larger_);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(text_, 1);

    QAction* close = zoomAction(this, QStringLiteral("Fermer"), {QKeySequence(Qt::Key_Escape)});
    connect(close, &QAction::triggered, this, &QWidget::close);
    updateZoomDevice();
    if (mainWindow) {
        setGeometry(mainWindow->geometry());
    }
}

ReadingWindow::~ReadingWindow() {
    if (!closing_ && onClosing) {
        closing_ = true;
        onClosing();
    }
}

void ReadingWindow::buildZoomRow() {
    QAction* in = zoomAction(this, QStringLiteral("Agrandir le texte"),
                             {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* out = zoomAction(this, QStringLiteral("Réduire le texte"), {QKeySequence::ZoomOut});
    QAction* normal = zoomAction(this, QStringLiteral("Taille normale du texte"),
                                 {QKeySequence(Qt::CTRL | Qt::Key_0)});
    connect(in, &QAction::triggered, this, [this] { zoomIn(); });
    connect(out, &QAction::triggered, this, [this] { zoomOut(); });
    connect(normal, &QAction::triggered, this, [this] { setZoom(1); });
    smaller_ = new QToolButton(this);
    smaller_->setObjectName(QStringLiteral("reduire"));
    smaller_->setDefaultAction(out);
    smaller_->setText(QStringLiteral("A−"));
    larger_ = new QToolButton(this);
    larger_->setObjectName(QStringLiteral("agrandir"));
    larger_->setDefaultAction(in);
    larger_->setText(QStringLiteral("A+"));
    for (QToolButton* b : {smaller_, larger_}) {
        b->setFocusPolicy(Qt::StrongFocus);
        b->setAccessibleName(b->defaultAction()->text());
        b->setToolTip(b->defaultAction()->text() + QStringLiteral(" (") +
                      b->defaultAction()->shortcut().toString(QKeySequence::NativeText) + u')');
    }
    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName(QStringLiteral("taille"));
    zoomLabel_->setMinimumWidth(48);
    zoomLabel_->setAlignment(Qt::AlignCenter);
}

void ReadingWindow::setZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    // Steps come back to whole percentages: 2 × 1,25 ÷ 1,25 is 2 again.
    zoom = std::round(zoom * 100) / 100;
    if (zoom == zoom_) {
        return;
    }
    zoom_ = zoom;
    updateZoomDevice();
    if (onZoomChanged) {
        onZoomChanged();
    }
}

void ReadingWindow::updateZoomDevice() {
    const double dpi = logicalDpiY() * zoom_;
    const int dotsPerMetre = int(std::lround(dpi / kMetresPerInch));
    zoomDevice_.setDotsPerMeterX(dotsPerMetre);
    zoomDevice_.setDotsPerMeterY(dotsPerMetre);
    const QString percent = QStringLiteral("%1 %").arg(std::lround(zoom_ * 100));
    zoomLabel_->setText(percent);
    zoomLabel_->setAccessibleName(QStringLiteral("Taille du texte : ") + percent);
    smaller_->defaultAction()->setEnabled(zoom_ > kMinZoom);
    larger_->defaultAction()->setEnabled(zoom_ < kMaxZoom);
}

bool ReadingWindow::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl and the wheel zoom the text rather than the editor's own font.
    if (watched == text_->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta > 0) {
                zoomIn();
            } else if (delta < 0) {
                zoomOut();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ReadingWindow::closeEvent(QCloseEvent* event) {
    if (!closing_ && onClosing) {
        closing_ = true;
        onClosing();
    }
    event->accept();
    deleteLater();
}

} // namespace ohmora
