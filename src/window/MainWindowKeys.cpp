// The main window by the keyboard: the order Tab goes in, switch K from
// the schematic, the cursor readout from the graph, the copy menu under its
// button when the keyboard opens it.

#include "graph/PlotBox.h"
#include "window/KeyboardRules.h"
#include "window/MainWindow.h"
#include "window/ParameterPanel.h"
#include "window/PictureViews.h"
#include "window/QuantityPanel.h"
#include "window/RecordingPanel.h"
#include "window/TabStrip.h"
#include "window/ValueGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>

namespace ohmora {

namespace {

constexpr Box kReadoutBox{PlotBox::left, PlotBox::top, PlotBox::right, PlotBox::bottom};

std::optional<SwitchKey> switchKeyOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_0:
        return SwitchKey::Digit0;
    case Qt::Key_1:
        return SwitchKey::Digit1;
    case Qt::Key_2:
        return SwitchKey::Digit2;
    case Qt::Key_Left:
    case Qt::Key_Up:
        return SwitchKey::Left;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return SwitchKey::Right;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return SwitchKey::Press;
    default:
        return std::nullopt;
    }
}

std::optional<ReadoutKey> readoutKeyOf(const QKeyEvent& event) {
    const bool step = event.modifiers() & Qt::ShiftModifier;
    switch (event.key()) {
    case Qt::Key_Left:
        return step ? ReadoutKey::StepLeft : ReadoutKey::Left;
    case Qt::Key_Right:
        return step ? ReadoutKey::StepRight : ReadoutKey::Right;
    case Qt::Key_Up:
        return step ? ReadoutKey::StepUp : ReadoutKey::Up;
    case Qt::Key_Down:
        return step ? ReadoutKey::StepDown : ReadoutKey::Down;
    case Qt::Key_Home:
        return ReadoutKey::Home;
    case Qt::Key_End:
        return ReadoutKey::End;
    default:
        return std::nullopt;
    }
}

QRect zoneRect(const Zone& z) {
    // The zone's bounds are excluded: the frame goes round its pixels.
    return QRect(QPoint(z.left + 1, z.top + 1), QPoint(z.right - 1, z.bottom - 1));
}

} // namespace

void MainWindow::setUpKeyboard() {
    schematicView_->setFocusPolicy(Qt::StrongFocus);
    graphView_->setFocusPolicy(Qt::StrongFocus);
    tabStrip_->setFocusPolicy(Qt::StrongFocus);
    schematicView_->onKey = [this](QKeyEvent& e) { return schematicKey(e); };
    graphView_->onKey = [this](QKeyEvent& e) { return graphKey(e); };
    schematicView_->onFocus = [this](bool focused) {
        if (focused) {
            const SimState& s = sim().state();
            keyboardZone_ = initialSwitchZone(s.controls.montage, s.run.position);
        }
    };
    graphView_->onFocus = [this](bool focused) {
        if (focused) {
            showReadoutAt(readoutPoint_.value_or(
                QPoint(PlotBox::left + PlotBox::width / 2, PlotBox::middle)));
        } else {
            hideReadout();
        }
    };
    schematicView_->paintFocused = [this](QPainter& p) { paintSwitchChoice(p); };
    graphView_->paintFocused = [this](QPainter& p) { paintReadoutPoint(p); };

    const QList<QWidget*> order = tabOrder();
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

QList<QWidget*> MainWindow::tabOrder() const {
    QList<QWidget*> order(commandButtons_.begin(), commandButtons_.end());
    order << schematicView_ << graphView_ << eraseButton_ << tabStrip_;
    order << parameterPanel_->montageList();
    for (int i = 0; i < kParameterCount; ++i) {
        order << parameterPanel_->box(i);
    }
    order << parameterPanel_->sustainedOption();
    for (const int k : {4, 0, 1, 2, 3, 5, 6}) { // from the top of the panel
        order << quantityPanel_->check(k) << quantityPanel_->swatch(k);
    }
    order << recordingPanel_->durationCounter() << recordingPanel_->triggerOption()
          << recordingPanel_->grid();
    order << exerciseButton_ << openPath_ << textArea_ << enlargeButton_;
    return order;
}

bool MainWindow::schematicKey(QKeyEvent& event) {
    const std::optional<SwitchKey> key = switchKeyOf(event);
    if (!key || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return false;
    }
    const SimState& s = sim().state();
    const SwitchKeyOutcome outcome =
        switchKey(s.controls.montage, s.run.position, keyboardZone_, *key);
    keyboardZone_ = outcome.selected;
    if (outcome.press) {
        pressSwitchZone(outcome.selected);
    }
    schematicView_->update();
    return true;
}

// The press of a zone is the mouse's: the pointer's hit test at a point of
// the zone, then the click.
void MainWindow::pressSwitchZone(int target) {
    const Point p = pointOnSwitch(sim().state().controls.montage, target);
    sim().mouseMoveSchematic(p.x, p.y);
    apply(sim().clickSchematic());
    refreshInfo();
}

void MainWindow::paintSwitchChoice(QPainter& painter) {
    const SimState& s = sim().state();
    painter.save();
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(zoneRect(switchZone(s.controls.montage, keyboardZone_)));
    painter.restore();
}

// Every key of the graph comes here first. The measuring tools take their
// letters, and the arrows while the cursors show; otherwise the arrows,
// Home and End move the point the cursor readout reads.
bool MainWindow::graphKey(QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return false;
    }
    if (measureKey(event)) {
        return true;
    }
    if (const std::optional<ReadoutKey> key = readoutKeyOf(event)) {
        const QPoint from = readoutPoint_.value_or(QPoint(PlotBox::left, PlotBox::middle));
        const Point to = moveReadoutPoint({from.x(), from.y()}, *key, kReadoutBox);
        showReadoutAt(QPoint(to.x, to.y));
        return true;
    }
    return false;
}

void MainWindow::showReadoutAt(QPoint point) {
    readoutPoint_ = point;
    graphMouseMove(point.x(), point.y());
    graphView_->update();
}

void MainWindow::paintReadoutPoint(QPainter& painter) {
    if (!readoutPoint_) {
        return;
    }
    const QPoint p = *readoutPoint_;
    painter.save();
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    painter.drawLine(p.x() - 6, p.y(), p.x() + 6, p.y());
    painter.drawLine(p.x(), p.y() - 6, p.x(), p.y() + 6);
    painter.restore();
}

void MainWindow::setJournal(std::function<void(const QString& line)> journal) {
    journal_ = std::move(journal);
    if (!journal_) {
        return;
    }
    const RunState& run = sim().state().run;
    journalPosition_ = run.position;
    journalRecording_ = run.enregEnCours;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (journal_ && now) {
            const QString name = now->objectName();
            journal_(QStringLiteral("focus ") +
                     (name.isEmpty() ? QString::fromLatin1(now->metaObject()->className()) : name));
        }
    });
}

void MainWindow::writeJournal() {
    if (!journal_) {
        return;
    }
    const RunState& run = sim().state().run;
    if (run.position != journalPosition_) {
        journalPosition_ = run.position;
        journal_(QStringLiteral("K %1").arg(run.position));
    }
    if (run.enregEnCours != journalRecording_) {
        journalRecording_ = run.enregEnCours;
        journal_(run.enregEnCours ? QStringLiteral("enregistrement début")
                                  : QStringLiteral("enregistrement fin"));
    }
}

} // namespace ohmora
