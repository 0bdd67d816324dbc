// The main window's handlers: the pointer over the pictures, the parameter
// boxes and colours, and the buttons and menus, each forwarded to the
// session or to the window it opens.

#include "calculator/CalculatorWindow.h"
#include "dialogs/Menus.h"
#include "exercises/ExerciseBrowser.h"
#include "exercises/NewExerciseDialog.h"
#include "files/ConfigurationDialogs.h"
#include "files/Presence.h"
#include "files/ProgramDirectory.h"
#include "output/CopyMenu.h"
#include "output/PrintOptionsDialog.h"
#include "qtbridge/QtStrings.h"
#include "session/ExerciseAuthoring.h"
#include "session/ExerciseText.h"
#include "window/MainWindow.h"
#include "window/ParameterPanel.h"
#include "window/PictureViews.h"
#include "window/ReadingWindow.h"
#include "window/SharedText.h"
#include "window/Validation.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QToolTip>

namespace ohmora {

void MainWindow::tick() {
    apply(sim().tick());
}

void MainWindow::schematicMouseMove(int x, int y) {
    sim().mouseMoveSchematic(x, y);
    const SimState& s = sim().state();
    const bool hand = s.hover.pointer == Pointer::Hand;
    if (hand != handShown_) {
        handShown_ = hand;
        if (hand) {
            schematicView_->setCursor(handCursor_);
        } else {
            schematicView_->unsetCursor();
        }
    }
    const QString tooltip = qs(s.hover.tooltip);
    if (schematicView_->toolTip() != tooltip) {
        schematicView_->setToolTip(tooltip);
        // A tooltip already shown follows the zone under the pointer.
        if (QToolTip::isVisible()) {
            if (tooltip.isEmpty()) {
                QToolTip::hideText();
            } else {
                QToolTip::showText(schematicView_->mapToGlobal(QPoint(x, y)), tooltip,
                                   schematicView_);
            }
        }
    }
    refreshInfo();
}

void MainWindow::graphMouseMove(int x, int y) {
    const ReadoutLabels labels = readoutLabels(sim().mouseMoveGraph(x, y), x, y);
    if (labels.visible) {
        graphView_->setCursor(Qt::CrossCursor);
        for (size_t i = 0; i < readoutLabels_.size(); ++i) {
            readoutLabels_[i]->place(labels.labels[i]);
            readoutLabels_[i]->show();
        }
    } else {
        graphView_->unsetCursor();
        hideReadout();
    }
    refreshInfo();
}

void MainWindow::validateParameter(int i) {
    if (closing_) {
        return;
    }
    sim().setParameterText(i, parameterPanel_->box(i)->text().toStdString());
    // The messages are shown once the validation is over and its result is
    // on screen: a modal box lets timer ticks run, and none may land in the
    // middle of a handler.
    std::vector<std::string> messages;
    apply(sim().leaveParameter(i,
                               [&messages](const std::string& text) { messages.push_back(text); }));
    for (const std::string& text : messages) {
        prompter_->message(
            Message{qs(text), qs(kValidationTitle), MessageIcon::Stop, MessageButtons::Ok});
    }
}

void MainWindow::chooseColour(int k) {
    const Rgb current = sim().state().controls.colours[size_t(k)];
    const std::optional<QColor> chosen =
        prompter_->chooseColour(QColor(current.r, current.g, current.b));
    if (!chosen || !chosen->isValid()) {
        return; // cancelled: colour, switch and recording stay as they were
    }
    apply(sim().setColour(k, Rgb{chosen->red(), chosen->green(), chosen->blue()}));
}

// --- the windows the buttons open ---------------------------------------------------

void MainWindow::openCalculator() {
    CalculatorWindow calculator(program_, this);
    calculator_ = &calculator;
    prompter_->runModal(calculator);
}

void MainWindow::openPrintDialog() {
    PrintOptionsDialog::open(this, *prompter_, session_);
}

void MainWindow::copy() {
    // The menu comes at the pointer, which is over the button for a click;
    // opened from the keyboard, it comes under the button.
    QPushButton* button = commandButtons_[2];
    QPoint where = QCursor::pos();
    if (!button->rect().contains(button->mapFromGlobal(where))) {
        where = button->mapToGlobal(QPoint(0, button->height()));
    }
    CopyMenu::run(*prompter_, session_, where, this);
    refreshInfo();
}

QString MainWindow::dialogDirectory() const {
    // The directory of the configuration last used, else the program's.
    const QFileInfo last(qs(program_.cheminconfig));
    if (!program_.cheminconfig.empty() && last.absoluteDir().exists()) {
        return last.absolutePath();
    }
    if (!program_.programDirectory.empty()) {
        return qs(program_.programDirectory);
    }
    return QDir::homePath();
}

void MainWindow::openSaveDialog() {
    QString directory = dialogDirectory();
    // An installed program's directory, where the exercises' configurations
    // also are, takes no file: the pupil starts from their own folder.
    if (!files::canCreateFilesIn(directory.toStdString())) {
        directory = QDir::homePath();
    }
    SaveDialog dialog(
        *prompter_, qs(program_.cheminconfig), directory,
        [this](const QString& path) { return session_.saveConfiguration(path); }, this);
    placeBesideMainWindow(dialog, this);
    prompter_->runModal(dialog);
}

void MainWindow::openOpenDialog() {
    OpenDialog dialog(
        *prompter_, dialogDirectory(),
        [this](const QString& path, const std::function<void()>& loading) {
            return session_.openConfiguration(path, loading);
        },
        this);
    placeBesideMainWindow(dialog, this);
    prompter_->runModal(dialog);
}

// --- the exercise menu ---------------------------------------------------------------

std::unique_ptr<QMenu> MainWindow::exerciseMenu() {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("optionexo"));
    addMenuEntries(*menu, session::exerciseMenu());
    const auto applyRules = [this, entries = menu.get()] {
        for (const MenuEntry& entry : session::exerciseMenu()) {
            menuEntry(*entries, entry.action)
                ->setEnabled(session_.text().enabled(session::ExerciseAction(entry.action)));
        }
    };
    applyRules();
    // Opening the menu applies the rules once more.
    connect(menu.get(), &QMenu::aboutToShow, menu.get(), applyRules);
    return menu;
}

void MainWindow::runExerciseMenu() {
    const std::unique_ptr<QMenu> menu = exerciseMenu();
    const std::optional<int> chosen = chosenAction(prompter_->popUpMenu(
        *menu, exerciseButton_->mapToGlobal(QPoint(0, exerciseButton_->height()))));
    if (!chosen) {
        return;
    }
    // The entry runs once the menu has closed. A selection to print is in
    // the editor that holds the text.
    switch (session_.text().run(session::ExerciseAction(*chosen),
                                sharedText_->liveEditor().textCursor())) {
    case session::ExerciseText::Outcome::ShowBrowser:
        runExerciseBrowser();
        break;
    case session::ExerciseText::Outcome::ShowReadingWindow:
        openReadingWindow();
        break;
    case session::ExerciseText::Outcome::ShowCreator:
        runExerciseCreator();
        break;
    case session::ExerciseText::Outcome::Done:
        break;
    }
}

ReadingWindow* MainWindow::readingWindow() const {
    return reader_.data();
}

ReadingWindow* MainWindow::openReadingWindow() {
    if (!reader_) {
        reader_ = new ReadingWindow(this);
        ReadingWindow* reader = reader_.data();
        sharedText_->attachReader(reader->text(), reader->zoomDevice());
        reader->onZoomChanged = [this] { sharedText_->readerZoomChanged(); };
        reader->onClosing = [this] { sharedText_->detachReader(); };
    }
    reader_->show();
    reader_->raise();
    reader_->activateWindow();
    return reader_.data();
}

void MainWindow::runExerciseBrowser(const QString& exercise) {
    exercises::ExerciseBrowser browser(
        program_, *prompter_,
        [this](const QString& path, bool corrected) {
            return session_.text().openExercise(path, corrected);
        },
        this);
    if (!exercise.isEmpty()) {
        browser.showExercise(exercise);
    }
    prompter_->runModal(browser);
}

void MainWindow::runExerciseCreator() {
    // The folder of the exercise last previewed or opened, when the user
    // may write there (not an installed program's), else the home folder.
    QString folder = qs(program_.dossierexo);
    if (folder.isEmpty() || !files::canCreateFilesIn(folder.toStdString())) {
        folder = QDir::homePath();
    }
    exercises::NewExerciseDialog dialog(
        *prompter_, folder,
        [this](const QString& path, const exercises::NewExercise& exercise) {
            return session::createExercise(session_, path, exercise, session::ExistingFiles::Ask)
                .has_value();
        },
        this);
    placeBesideMainWindow(dialog, this);
    prompter_->runModal(dialog);
    // The new exercise in the browser's preview, as "Ouvrir un exercice"
    // shows one: typed text that the exercise did not take is asked about
    // first, as there.
    if (!dialog.createdPath().isEmpty() && session_.text().startBrowsing()) {
        runExerciseBrowser(dialog.createdPath());
    }
}

// --- presence ---------------------------------------------------------------------

void MainWindow::writePresence(const char* flag) {
    if (program_.markerFile.empty()) {
        return;
    }
    // A file that cannot be written leaves the suite uninformed; the
    // program runs all the same.
    files::setPresence(program_.markerFile, std::string_view(flag) == "OUI");
    presenceWritten_ = true;
}

} // namespace ohmora
