#pragma once
// `feuilleP`, the main window: the command buttons, the schematic and the
// graph, the tab strip with its three panels, the help line and the text
// area. It forwards every user event to the simulator and redraws what the
// simulator's handler reports; it holds no simulation state of its own.

#include "core/ProgramState.h"
#include "core/Simulator.h"
#include "core/TimeBase.h"
#include "dialogs/Prompter.h"
#include "pictureset/PictureSet.h"

#include <QCursor>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

namespace ohmora {

namespace exercises {
class ExerciseSession;
}

class ParameterPanel;
class PictureView;
class QuantityPanel;
class ReadoutLabelWidget;
class RecordingPanel;
class TabStrip;
class ValueGrid;

class MainWindow : public QWidget {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    // Screens this wide or narrower leave the window's size to the user.
    static constexpr int kSizeRuleMinScreenWidth = 850;

    struct Options {
        bool startTimer = true; // tests call tick() themselves
    };

    // Runs the start-up. Without a prompter, real dialogs are used.
    MainWindow(ProgramState& program, Prompter* prompter = nullptr);
    MainWindow(ProgramState& program, Prompter* prompter, Options options);
    ~MainWindow() override;

    const Simulator& simulator() const { return sim_; }
    ProgramState& programState() { return program_; }
    Prompter& prompter() { return *prompter_; }

    // One tick of `Timer1`.
    void tick();
    QTimer& timer() { return timer_; }

    // The size rule for a screen of the given geometry: on screens wider
    // than 850 pixels the window is brought back to its normal state, to
    // 800 × 600 and to the centre.
    void applySizeRule(const QRect& screen);
    // Where the frame's top-left corner goes for the frame to be centred.
    static QPoint centredFramePosition(const QRect& screen, const QSize& frame);

    // How "&Calculatrice" opens the calculator; the default opens it as a
    // modal window when the program has one.
    void setCalculatorOpener(std::function<void()> opener);

    // --- configuration files -------------------------------------------
    // `saveconfig`: writes the configuration, completely or not at all, and
    // shows the file in the caption; false (after its message) on failure.
    bool saveconfig(const QString& path);
    // `openconfig`: reads the file named by cheminconfig, checks it whole
    // and only then replays it through the simulator's handlers, shows it
    // in the caption and erases the graph; a failed load changes nothing
    // but shows its message. False on failure.
    bool openconfig();
    void openSaveDialog(); // "&Enregistrer"
    void openOpenDialog(); // "&Ouvrir"

    // "&Aide": the program's help in the desktop's browser.
    void openHelp();
    static constexpr const char* kHelpFileName = "ohmora-aide.html";

    // --- closing -------------------------------------------------------
    // The questions asked before closing (the typed-text question, then
    // "Quitter vraiment Ohmora ?"); true when the user lets it close.
    bool confirmClose();
    // The typed-text question of the exercises' text area: true to go on.
    void setLossConfirmation(std::function<bool()> confirm);
    // What an activation of the window does (the suite's exercise request).
    void setActivationHandler(std::function<void()> handler);

    TabStrip* tabStrip() const { return onglets_; }
    ParameterPanel* parameterPanel() const { return picture3_; }
    QuantityPanel* quantityPanel() const { return frame2_; }
    RecordingPanel* recordingPanel() const { return picture1_; }
    ValueGrid* valueGrid() const;
    const QImage& background() const { return background_; }
    const PictureSet& pictures() const { return pictures_; }
    exercises::ExerciseSession& exerciseSession() { return *exercises_; }
    QTextEdit* supertext() const { return supertext_; }
    const SchematicPicture& schematic() const { return pictures_.schematicPicture(); }
    const GraphPicture& graph() const { return pictures_.graphPicture(); }
    // The pointer shown over a zone of switch K.
    const QCursor& switchCursor() const { return handCursor_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildCommandButtons();
    void buildPictures();
    void buildHelpLineAndTextArea();
    void buildTabs();
    void connectControls();
    // "Co&pier" and "&Imprimer".
    void connectOutput();
    void trackHelp(QWidget* widget, HelpRegion region);

    // Redraws what a handler of the simulator asked for.
    void apply(Redraw redraw);
    void refreshPanels();
    void syncChecks();
    void syncParameters();
    void syncDuration();
    void refreshInfo();
    void hideReadout();

    void schematicMouseMove(int x, int y);
    void graphMouseMove(int x, int y);
    void validateParameter(int i);
    void chooseColour(int k);
    void openCalculator();
    void applySizeRuleToScreen();
    void writePresence(const char* flag); // record 4 of the marker file
    QString dialogDirectory() const;
    void showFileMessage(std::string_view text, std::string_view title);

    ProgramState& program_;
    std::unique_ptr<Prompter> ownPrompter_;
    Prompter* prompter_;
    Simulator sim_;
    PictureSet pictures_;
    std::unique_ptr<exercises::ExerciseSession> exercises_;
    QImage background_;
    QCursor handCursor_;
    QTimer timer_;

    std::array<QPushButton*, 7> commands_{};
    PictureView* schema_ = nullptr;
    PictureView* graphik_ = nullptr;
    QPushButton* command3_ = nullptr;
    std::array<ReadoutLabelWidget*, 2> labeli_{};
    QLabel* image2_ = nullptr;
    QLabel* info_ = nullptr;
    QPushButton* btexo_ = nullptr;
    QLineEdit* fich_ = nullptr;
    QTextEdit* supertext_ = nullptr;
    TabStrip* onglets_ = nullptr;
    ParameterPanel* picture3_ = nullptr;
    QuantityPanel* frame2_ = nullptr;
    RecordingPanel* picture1_ = nullptr;

    QHash<QObject*, HelpRegion> helpRegions_;
    std::function<void()> calculatorOpener_;
    std::function<bool()> lossConfirmation_;
    std::function<void()> activationHandler_;
    QPointer<QWidget> calculator_; // while it is open
    bool presenceWritten_ = false;
    bool handShown_ = false;
    bool closing_ = false;
    bool sizeRulePending_ = false;
    // The frame size the window was last centred for, and whether the
    // frame of the first showing has been centred (a window manager adds
    // its frame only once the window is on screen).
    QSize centredFrame_;
    bool frameCentred_ = false;

    // The printer chosen in the print options during this run: later
    // openings start from it.
    std::optional<PrinterChoice> chosenPrinter_;
};

} // namespace ohmora
