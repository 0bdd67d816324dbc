#pragma once
// `feuilleP`, the main window: the command buttons, the schematic and the
// graph, the tab strip with its three panels, the help line and the text
// area. It shows the state of its session (the application layer, which
// owns the simulator, the pictures, the caption and the text area's
// document) and forwards every user event to it; it holds no state of its
// own beyond what is on screen.

#include "core/ProgramState.h"
#include "core/TimeBase.h"
#include "dialogs/WindowPrompter.h"
#include "session/Session.h"

#include <QCursor>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QPainter;
class QTextEdit;

namespace ohmora {

class ParameterPanel;
class PictureView;
class QtPrinters;
class QuantityPanel;
class ReadoutLabelWidget;
class ReadingWindow;
class RecordingPanel;
class SharedText;
class TabStrip;
class ValueGrid;

class MainWindow : public QWidget, private session::Listener {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    // Screens this wide or narrower leave the window's size to the user.
    static constexpr int kSizeRuleMinScreenWidth = 850;

    struct Options {
        bool startTimer = true;                // tests call tick() themselves
        session::Printers* printers = nullptr; // the system's printers when none
    };

    // Runs the start-up. Without a prompter, real dialogs are used.
    explicit MainWindow(ProgramState& program, WindowPrompter* prompter = nullptr);
    MainWindow(ProgramState& program, WindowPrompter* prompter, Options options);
    ~MainWindow() override;

    session::Session& session() { return session_; }
    const Simulator& simulator() const { return session_.simulator(); }
    WindowPrompter& prompter() { return *prompter_; }

    // One tick of `Timer1`.
    void tick();
    QTimer& timer() { return timer_; }

    // The size rule for a screen of the given geometry: on screens wider
    // than 850 pixels the window is brought back to its normal state, to
    // 800 × 600 and to the centre.
    void applySizeRule(const QRect& screen);
    // Where the frame's top-left corner goes for the frame to be centred.
    static QPoint centredFramePosition(const QRect& screen, const QSize& frame);

    void openSaveDialog();  // "&Enregistrer"
    void openOpenDialog();  // "&Ouvrir"
    void openCalculator();  // "&Calculatrice"
    void openPrintDialog(); // "&Imprimer"
    // The exercise menu `optionexo` with its rules applied, as the
    // exercise button pops it up.
    std::unique_ptr<QMenu> exerciseMenu();
    // The graph's right-click menu `menugraphe`, its entries as the
    // measuring tools stand: the cursors' entry ticked while they show, the
    // constructions' entries usable on a recorded curve, the erase once
    // there is something to erase.
    std::unique_ptr<QMenu> graphMenu();
    // "Agrandir la fenêtre exercice": the reading window, opened or brought
    // to the front.
    ReadingWindow* openReadingWindow();
    ReadingWindow* readingWindow() const;
    SharedText& sharedText() { return *sharedText_; }

    TabStrip* tabStrip() const { return tabStrip_; }
    ParameterPanel* parameterPanel() const { return parameterPanel_; }
    QuantityPanel* quantityPanel() const { return quantityPanel_; }
    RecordingPanel* recordingPanel() const { return recordingPanel_; }
    ValueGrid* valueGrid() const;
    QTextEdit* textArea() const { return textArea_; }
    const QImage& background() const { return background_; }
    // The pointer shown over a zone of switch K.
    const QCursor& switchCursor() const { return handCursor_; }

    // The keys on the pictures, with the focus. The schematic: switch K by
    // its zones, as the mouse clicks them. The graph: every key of the
    // graph goes through graphKey(), the cursor readout's arrows and the
    // other tools of the graph alike. True when the key was used.
    bool schematicKey(QKeyEvent& event);
    bool graphKey(QKeyEvent& event);
    // The zone of K the keys have chosen, and the point the readout reads
    // from the keys (none until the graph has the focus).
    int keyboardZone() const { return keyboardZone_; }
    std::optional<QPoint> readoutPoint() const { return readoutPoint_; }
    // The controls in the order Tab goes through them.
    QList<QWidget*> tabOrder() const;
    // A line for each change scripts wait for: "focus NAME" as a control
    // takes the keyboard's focus, "K n" as switch K moves, "enregistrement
    // début" and "enregistrement fin".
    void setJournal(std::function<void(const QString& line)> journal);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the session reports.
    void simulationChanged(Redraw redraw, const PictureSet::Damage& damage) override;
    void captionChanged() override;
    void textAreaChanged(bool replaced) override;

    void buildCommandButtons();
    void buildPictures();
    void buildHelpLine();
    void buildTextArea();
    void buildTabs();
    void connectControls();
    void connectPanels();
    void trackHelp(QWidget* widget, HelpRegion region);
    void setUpKeyboard();
    void pressSwitchZone(int target);
    void showReadoutAt(QPoint point);
    void paintSwitchChoice(QPainter& painter);
    void paintReadoutPoint(QPainter& painter);
    void writeJournal();
    void setUpAccessibility();
    void describePictures();

    // Redraws what a handler of the simulator asked for.
    void apply(Redraw redraw);
    void showRedraw(Redraw redraw, const PictureSet::Damage& damage);
    void refreshPanels();
    void syncChecks();
    void syncParameters();
    void syncDuration();
    void refreshInfo();
    void hideReadout();

    Simulator& sim() { return session_.simulator(); }
    void schematicMouseMove(int x, int y);
    void graphMouseMove(int x, int y);
    // The measuring tools on the graph (MainWindowGraph.cpp).
    void graphPress(int x, int y);
    void graphDrag(int x, int y);
    void graphContextMenu(std::optional<QPoint> at, const QPoint& global);
    void useGraphTool(GraphTool tool, std::optional<QPoint> at);
    // The measuring tools' keys, which graphKey() hears first.
    bool measureKey(const QKeyEvent& key);
    void validateParameter(int i);
    void chooseColour(int k);
    void runExerciseMenu();
    // The exercise browser, on the program's folder or, when given, on an
    // exercise file it selects.
    void runExerciseBrowser(const QString& exercise = QString());
    void runExerciseCreator(); // "Créer un exercice…"
    void copy();
    void applySizeRuleToScreen();
    // The pictures at the device pixel ratio of the screen the window is on.
    void followDevicePixelRatio();
    void writePresence(const char* flag); // record 4 of the marker file
    QString dialogDirectory() const;

    ProgramState& program_;
    std::unique_ptr<WindowPrompter> ownPrompter_;
    WindowPrompter* prompter_;
    std::unique_ptr<QtPrinters> ownPrinters_;
    session::Session session_;
    QImage background_;
    QCursor handCursor_;
    QTimer timer_;

    std::array<QPushButton*, 7> commandButtons_{};       // `Command2` … `Command1`, left to right
    PictureView* schematicView_ = nullptr;               // `schema`
    PictureView* graphView_ = nullptr;                   // `graphik`
    QPushButton* eraseButton_ = nullptr;                 // `Command3`
    std::array<ReadoutLabelWidget*, 2> readoutLabels_{}; // `Labeli`
    QLabel* helpPicture_ = nullptr;                      // `Image2`
    QLabel* helpLine_ = nullptr;                         // `info`
    QPushButton* exerciseButton_ = nullptr;              // `btexo`
    QLineEdit* openPath_ = nullptr;                      // `fich`
    QTextEdit* textArea_ = nullptr;                      // `supertext`
    QPushButton* enlargeButton_ = nullptr;               // "Agrandir la fenêtre exercice"
    TabStrip* tabStrip_ = nullptr;                       // `Onglets`
    ParameterPanel* parameterPanel_ = nullptr;           // `Picture3`
    QuantityPanel* quantityPanel_ = nullptr;             // `frame2`
    RecordingPanel* recordingPanel_ = nullptr;           // `Picture1`

    QHash<QObject*, HelpRegion> helpRegions_;
    QPointer<QWidget> calculator_; // while it is open
    QPointer<ReadingWindow> reader_;
    std::unique_ptr<SharedText> sharedText_;
    std::function<void(const QString&)> journal_;
    int journalPosition_ = 0;
    bool journalRecording_ = false;
    QString recordedValues_; // the last values of the last recording, for screen readers
    bool describedRecording_ = false;
    int keyboardZone_ = 0;
    std::optional<QPoint> readoutPoint_;
    bool presenceWritten_ = false;
    bool handShown_ = false;
    bool closing_ = false;
    bool sizeRulePending_ = false;
    // The frame size the window was last centred for, and whether the
    // frame of the first showing has been centred (a window manager adds
    // its frame only once the window is on screen).
    QSize centredFrame_;
    bool frameCentred_ = false;
};

} // namespace ohmora
