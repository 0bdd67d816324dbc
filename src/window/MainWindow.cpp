#include "window/MainWindow.h"

#include "dialogs/QtPrompter.h"
#include "graph/TableHeader.h"
#include "output/QtPrinters.h"
#include "qtbridge/QtStrings.h"
#include "session/ExerciseText.h"
#include "window/Accessibility.h"
#include "window/Appearance.h"
#include "window/ParameterPanel.h"
#include "window/PictureViews.h"
#include "window/QuantityPanel.h"
#include "window/ReadingWindow.h"
#include "window/RecordingPanel.h"
#include "window/SharedText.h"
#include "window/TabStrip.h"
#include "window/ValueGrid.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QToolTip>

namespace ohmora {

namespace {

struct CommandButton {
    const char* name;
    int left;
    int width;
    const char* caption;
    const char* tooltip;
    HelpRegion help;
};

constexpr int kCommandHeight = 41;
const std::array<CommandButton, 7> kCommands = {{
    {"Command2", 0, 121, "&Ouvrir", "Retrouver une configuration", HelpRegion::OpenButton},
    {"Command11", 120, 113, "&Enregistrer", "Enregistrer la configuration actuelle",
     HelpRegion::SaveButton},
    {"Command4", 232, 113, "Co&pier", "Placer l'image dans le presse-papiers",
     HelpRegion::CopyButton},
    {"Command10", 344, 113, "&Imprimer", "Imprimer l'image", HelpRegion::PrintButton},
    {"Command8", 456, 113, "&Calculatrice", "Machine à calculer", HelpRegion::CalculatorButton},
    {"Command7", 568, 113, "&Aide", "Aide pour utiliser cette application", HelpRegion::HelpButton},
    {"Command1", 680, 121, "&Fermer", "Quitter cette application", HelpRegion::CloseButton},
}};
enum Command { Open, Save, Copy, Print, Calculator, Help, Close };

// Places of the controls in the window's client area.
const QRect kSchema(8, 48, SchematicPicture::kSize, SchematicPicture::kSize);
const QRect kGraphik(264, 48, GraphPicture::kWidth, GraphPicture::kHeight);
const QRect kCommand3(472, 8, 49, 17); // inside the graph
const QRect kImage2(80, 304, 32, 32);
const QRect kInfo(120, 304, 233, 33);
const QRect kBtexo(432, 304, 97, 19);
const QRect kFich(432, 304, 361, 19);
const QRect kSupertext(432, 323, 361, 222);
// Below the text area, at its right edge.
const QRect kEnlarge(697, 552, 97, 22);
const QPoint kOnglets(8, 344);

// The drop shadow behind `fich` and `supertext`, both corners included.
QRect shadowRect() {
    return QRect(QPoint(kSupertext.left() + 3, kFich.top() + 3),
                 QPoint(kSupertext.left() + kSupertext.width() + 3,
                        kSupertext.top() + kSupertext.height() + 3));
}

std::unique_ptr<WindowPrompter> realPrompter(WindowPrompter* given, QWidget* window) {
    return given ? nullptr : std::make_unique<QtPrompter>(window);
}

std::unique_ptr<QtPrinters> realPrinters(session::Printers* given) {
    return given ? nullptr : std::make_unique<QtPrinters>();
}

} // namespace

MainWindow::MainWindow(ProgramState& program, WindowPrompter* prompter)
    : MainWindow(program, prompter, Options{}) {}

MainWindow::MainWindow(ProgramState& program, WindowPrompter* prompter, Options options)
    : QWidget(nullptr), program_(program), ownPrompter_(realPrompter(prompter, this)),
      prompter_(prompter ? prompter : ownPrompter_.get()),
      ownPrinters_(realPrinters(options.printers)),
      session_(program, *prompter_, options.printers ? options.printers : ownPrinters_.get()),
      handCursor_(handCursor()) {
    setObjectName(QStringLiteral("feuilleP"));
    setWindowTitle(session_.caption());
    setFont(controlFont());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(kWidth, kHeight);
    if (screen() && screen()->geometry().width() > kSizeRuleMinScreenWidth) {
        // The size rule undoes any maximising or resizing at once, so the
        // window offers neither.
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                       Qt::WindowCloseButtonHint);
    }

    buildCommandButtons();
    buildPictures();
    buildHelpLine();
    buildTextArea();
    buildTabs();
    connectControls();
    setUpKeyboard();
    setUpAccessibility();

    // Start-up: the suite learns first that the program runs. The session
    // has already run the simulator's start-up (the duration, the default
    // texts, montage 0) and put the welcome text into the text area.
    writePresence("OUI");
    for (std::string_view name : kMontageNames) {
        parameterPanel_->montageList()->addItem(qs(name));
    }
    applySizeRuleToScreen();
    // Drawn from now on, at every handler's redraw, at the screen's own
    // resolution.
    session_.setPictureScale(devicePixelRatioF());
    session_.pictures();
    session_.setListener(this);
    textAreaChanged(true);
    background_ = windowBackground(kWidth, kHeight, shadowRect());
    tabStrip_->paintStrip();
    apply(kRedrawEverything);

    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kTickMilliseconds);
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    if (options.startTimer) {
        timer_.start();
    }
}

MainWindow::~MainWindow() {
    // The controls go first, while the session they report to still
    // exists; the parameter boxes must not validate on their way out.
    closing_ = true;
    timer_.stop();
    session_.setListener(nullptr);
    delete reader_.data();
    sharedText_.reset();
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    // However the window goes (closed, or the program ending), the suite
    // learns that it no longer runs.
    if (presenceWritten_) {
        writePresence("NON");
    }
}

ValueGrid* MainWindow::valueGrid() const {
    return recordingPanel_->grid();
}

// --- construction -------------------------------------------------------------

void MainWindow::buildCommandButtons() {
    for (size_t i = 0; i < kCommands.size(); ++i) {
        const CommandButton& c = kCommands[i];
        auto* button = new QPushButton(QString::fromUtf8(c.caption), this);
        button->setObjectName(QString::fromUtf8(c.name));
        button->setGeometry(c.left, 0, c.width, kCommandHeight);
        button->setToolTip(QString::fromUtf8(c.tooltip));
        trackHelp(button, c.help);
        commandButtons_[i] = button;
    }
}

void MainWindow::buildPictures() {
    schematicView_ = new PictureView([this] { return session_.pictures().schematic(); }, this);
    schematicView_->setObjectName(QStringLiteral("schema"));
    schematicView_->setGeometry(kSchema);
    schematicView_->setFocusPolicy(Qt::ClickFocus);

    // The graph as it is shown: with its measuring tools.
    graphView_ =
        new PictureView([this] { return session_.pictures().graphShown(sim().state()); }, this);
    graphView_->setObjectName(QStringLiteral("graphik"));
    graphView_->setGeometry(kGraphik);
    graphView_->setFocusPolicy(Qt::ClickFocus);

    eraseButton_ = new QPushButton(QStringLiteral("Effacer"), graphView_);
    eraseButton_->setObjectName(QStringLiteral("Command3"));
    eraseButton_->setGeometry(kCommand3);
    trackHelp(eraseButton_, HelpRegion::EraseButton);

    for (size_t i = 0; i < readoutLabels_.size(); ++i) {
        readoutLabels_[i] = new ReadoutLabelWidget(graphView_);
        readoutLabels_[i]->setObjectName(QStringLiteral("Labeli_%1").arg(i));
    }
}

void MainWindow::buildHelpLine() {
    helpPicture_ = new QLabel(this);
    helpPicture_->setObjectName(QStringLiteral("Image2"));
    helpPicture_->setGeometry(kImage2);
    helpPicture_->setPixmap(helpLinePicture());

    helpLine_ = new QLabel(this);
    helpLine_->setObjectName(QStringLiteral("info"));
    helpLine_->setGeometry(kInfo);
    helpLine_->setWordWrap(true);
    helpLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    helpLine_->setAutoFillBackground(true);
    QPalette tip = helpLine_->palette();
    tip.setColor(QPalette::Window, QToolTip::palette().color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, QToolTip::palette().color(QPalette::ToolTipText));
    helpLine_->setPalette(tip);
}

void MainWindow::buildTextArea() {
    openPath_ = new QLineEdit(this);
    openPath_->setObjectName(QStringLiteral("fich"));
    openPath_->setGeometry(kFich);
    openPath_->setReadOnly(true);
    QPalette darkRed = openPath_->palette();
    darkRed.setColor(QPalette::Base, QColor(128, 0, 0));
    darkRed.setColor(QPalette::Text, Qt::white);
    openPath_->setPalette(darkRed);

    // The welcome text sends the pupil to "Exercices": the button says its
    // name to the pointer and to assistive tools.
    exerciseButton_ = new QPushButton(this);
    exerciseButton_->setObjectName(QStringLiteral("btexo"));
    exerciseButton_->setGeometry(kBtexo);
    exerciseButton_->setIcon(QIcon(exercisePicture()));
    exerciseButton_->setToolTip(QStringLiteral("Exercices"));
    exerciseButton_->setAccessibleName(QStringLiteral("Exercices"));
    exerciseButton_->raise();
    trackHelp(exerciseButton_, HelpRegion::ExerciseButton);

    textArea_ = new QTextEdit(this);
    textArea_->setObjectName(QStringLiteral("supertext"));
    textArea_->setGeometry(kSupertext);
    textArea_->setDocument(&session_.text().document());
    // What is pasted into a statement takes the statement's formatting.
    textArea_->setAcceptRichText(false);
    // Tab goes on to the next control: the keyboard never stays caught in
    // the text.
    textArea_->setTabChangesFocus(true);
    sharedText_ = std::make_unique<SharedText>(session_.text().document(), *textArea_);

    enlargeButton_ = new QPushButton(QStringLiteral("Agrandir"), this);
    enlargeButton_->setObjectName(QStringLiteral("agrandir"));
    enlargeButton_->setGeometry(kEnlarge);
    enlargeButton_->setToolTip(QStringLiteral("Agrandir la fenêtre exercice"));
}

void MainWindow::buildTabs() {
    tabStrip_ = new TabStrip(this);
    tabStrip_->setObjectName(QStringLiteral("Onglets"));
    tabStrip_->move(kOnglets);
    tabStrip_->setFocusPolicy(Qt::ClickFocus);
    parameterPanel_ = new ParameterPanel(tabStrip_);
    parameterPanel_->setFocusPolicy(Qt::ClickFocus);
    quantityPanel_ = new QuantityPanel(tabStrip_);
    recordingPanel_ = new RecordingPanel(tabStrip_);
    recordingPanel_->setFocusPolicy(Qt::ClickFocus);
    tabStrip_->setPanels(parameterPanel_, quantityPanel_, recordingPanel_);
    trackHelp(parameterPanel_, HelpRegion::ParameterPanel);
    trackHelp(quantityPanel_, HelpRegion::QuantityPanel);
    trackHelp(recordingPanel_, HelpRegion::RecordingPanel);
    for (int k = 0; k < kQuantityCount; ++k) {
        trackHelp(quantityPanel_->swatch(k), HelpRegion::Swatch);
    }
}

void MainWindow::trackHelp(QWidget* widget, HelpRegion region) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    helpRegions_.insert(widget, region);
}

void MainWindow::connectControls() {
    schematicView_->onMouseMove = [this](int x, int y) { schematicMouseMove(x, y); };
    schematicView_->onClick = [this] { apply(sim().clickSchematic()); };
    graphView_->onMouseMove = [this](int x, int y) { graphMouseMove(x, y); };
    graphView_->onPress = [this](int x, int y) { graphPress(x, y); };
    graphView_->onDrag = [this](int x, int y) { graphDrag(x, y); };
    graphView_->onContextMenu = [this](std::optional<QPoint> at, QPoint global) {
        graphContextMenu(at, global);
    };
    connect(eraseButton_, &QPushButton::clicked, this, [this] { apply(sim().erase()); });
    const auto onClick = [this](Command command, auto handler) {
        connect(commandButtons_[command], &QPushButton::clicked, this, handler);
    };
    onClick(Open, [this] { openOpenDialog(); });
    onClick(Save, [this] { openSaveDialog(); });
    onClick(Copy, [this] { copy(); });
    onClick(Print, [this] { openPrintDialog(); });
    onClick(Calculator, [this] { openCalculator(); });
    onClick(Help, [this] { session_.openHelp(); });
    onClick(Close, [this] { close(); });
    connect(exerciseButton_, &QPushButton::clicked, this, [this] { runExerciseMenu(); });
    connect(enlargeButton_, &QPushButton::clicked, this, [this] { openReadingWindow(); });
    connectPanels();
}

void MainWindow::connectPanels() {
    connect(parameterPanel_->montageList(), &QComboBox::activated, this,
            [this](int index) { apply(sim().chooseMontage(index)); });
    connect(parameterPanel_->sustainedOption(), &QCheckBox::clicked, this, [this](bool ticked) {
        apply(sim().setSustained(ticked));
        syncChecks();
    });
    for (int i = 0; i < kParameterCount; ++i) {
        ParameterBox* box = parameterPanel_->box(i);
        box->onEnter = [this](int index) { apply(sim().enterParameter(index)); };
        box->onValidate = [this](int index) { validateParameter(index); };
        box->onEdited = [this](int index, const QString& text) {
            sim().setParameterText(index, text.toStdString());
        };
    }
    for (int k = 0; k < kQuantityCount; ++k) {
        connect(quantityPanel_->check(k), &QCheckBox::clicked, this, [this, k](bool ticked) {
            apply(sim().setQuantity(k, ticked));
            syncChecks();
        });
        quantityPanel_->swatch(k)->onClick = [this](int index) { chooseColour(index); };
    }
    connect(recordingPanel_->triggerOption(), &QCheckBox::clicked, this, [this](bool ticked) {
        apply(sim().setTrigger(ticked));
        syncChecks();
    });
    recordingPanel_->durationCounter()->onChange = [this](int value) {
        apply(sim().setUpDown(value));
    };
}

// --- redrawing ----------------------------------------------------------------

void MainWindow::apply(Redraw redraw) {
    showRedraw(redraw, session_.redraw(redraw));
}

void MainWindow::simulationChanged(Redraw redraw, const PictureSet::Damage& damage) {
    showRedraw(redraw, damage);
}

void MainWindow::showRedraw(Redraw redraw, const PictureSet::Damage& damage) {
    const SimState& s = sim().state();
    if (redraw & RedrawPanels) {
        refreshPanels();
    }
    if (redraw & RedrawChecks) {
        syncChecks();
    }
    if (redraw & RedrawParameters) {
        syncParameters();
    }
    if (redraw & RedrawDuration) {
        syncDuration();
    }
    if (damage.schematic) {
        schematicView_->update();
    }
    if (damage.graphFrame) {
        recordedValues_.clear(); // the curves they came with are gone
        hideReadout();
        graphView_->update();
    } else if (!damage.graph.isEmpty()) {
        graphView_->update(damage.graph);
    }
    if (redraw & RedrawTableHeader) {
        valueGrid()->setHeaderPictures(tableHeaderPictures(s.controls.montage, kHeaderCellWidth,
                                                           kHeaderCellHeight, devicePixelRatioF()));
    }
    if (redraw & RedrawTable) {
        valueGrid()->setContent(s.table);
    }
    refreshInfo();
    describePictures();
    writeJournal();
}

void MainWindow::captionChanged() {
    setWindowTitle(session_.caption());
}

void MainWindow::textAreaChanged(bool replaced) {
    const session::ExerciseText& text = session_.text();
    if (openPath_->text() != text.fich()) {
        openPath_->setText(text.fich());
        openPath_->setCursorPosition(int(text.fich().size())); // the end of a long path in sight
        openPath_->setToolTip(text.fich());
    }
    sharedText_->setReadOnly(text.locked());
    if (replaced) {
        sharedText_->textReplaced();
    }
}

void MainWindow::refreshPanels() {
    const int montage = sim().state().controls.montage;
    QComboBox* list = parameterPanel_->montageList();
    if (montage >= 0 && montage < list->count() && list->currentIndex() != montage) {
        list->setCurrentIndex(montage);
    }
    parameterPanel_->refresh(montage);
    quantityPanel_->refresh(montage);
    recordingPanel_->refresh(montage);
}

void MainWindow::syncChecks() {
    const SimState& s = sim().state();
    for (int k = 0; k < kQuantityCount; ++k) {
        quantityPanel_->check(k)->setChecked(s.controls.check4[size_t(k)]);
        const Rgb c = s.controls.colours[size_t(k)];
        quantityPanel_->swatch(k)->setColour(QColor(c.r, c.g, c.b));
    }
    parameterPanel_->sustainedOption()->setChecked(s.controls.checkRn);
    recordingPanel_->triggerOption()->setChecked(s.controls.check3);
}

void MainWindow::syncParameters() {
    const SimState& s = sim().state();
    for (int i = 0; i < kParameterCount; ++i) {
        const QString text = qs(s.controls.textv[size_t(i)]);
        ParameterBox* box = parameterPanel_->box(i);
        if (box->text() != text) {
            box->setText(text);
        }
    }
}

void MainWindow::syncDuration() {
    const SimState& s = sim().state();
    recordingPanel_->durationLabel()->setText(qs(s.run.durationLabel));
    recordingPanel_->durationCounter()->setValue(s.controls.upDown);
}

void MainWindow::refreshInfo() {
    QString text = qs(sim().state().info);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (helpLine_->text() != text) {
        helpLine_->setText(text);
        announceHelpLine(helpLine_);
    }
}

void MainWindow::hideReadout() {
    for (ReadoutLabelWidget* label : readoutLabels_) {
        label->hide();
    }
}

// --- window events ------------------------------------------------------------

void MainWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), background_, event->rect());
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (childAt(event->position().toPoint())) {
        return; // over a control without a help text of its own
    }
    sim().hover(HelpRegion::Background);
    hideReadout();
    refreshInfo();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        const auto region = helpRegions_.constFind(watched);
        if (region != helpRegions_.constEnd()) {
            auto* widget = static_cast<QWidget*>(watched);
            auto* move = static_cast<QMouseEvent*>(event);
            // A panel speaks only for its own background, not its controls.
            if (!widget->childAt(move->position().toPoint())) {
                sim().hover(*region);
                refreshInfo();
            }
            // A button being pressed still needs the move to follow the
            // pointer.
            return move->buttons() == Qt::NoButton;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::applySizeRule(const QRect& screen) {
    if (screen.width() <= kSizeRuleMinScreenWidth) {
        return;
    }
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
        setWindowState(Qt::WindowNoState);
    }
    setFixedSize(kWidth, kHeight);
    centredFrame_ = frameGeometry().size();
    move(centredFramePosition(screen, centredFrame_));
}

QPoint MainWindow::centredFramePosition(const QRect& screen, const QSize& frame) {
    return QPoint(screen.x() + (screen.width() - frame.width()) / 2,
                  screen.y() + (screen.height() - frame.height()) / 2);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (frameCentred_ || !isVisible()) {
        return;
    }
    // The first move once shown carries the window manager's frame: centre
    // that frame, once; the user's own moves are left alone afterwards.
    frameCentred_ = true;
    if (frameGeometry().size() != centredFrame_) {
        applySizeRuleToScreen();
    }
}

void MainWindow::applySizeRuleToScreen() {
    sizeRulePending_ = false;
    if (QScreen* s = screen()) {
        applySizeRule(s->geometry());
    }
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // The suite's exercise request, served once the activation is over.
        QTimer::singleShot(0, this, [this] { session_.text().serveExerciseRequest(); });
    }
    // A change of state is undone once it is complete, not in its middle.
    if (event->type() == QEvent::WindowStateChange && !sizeRulePending_) {
        sizeRulePending_ = true;
        QTimer::singleShot(0, this, [this] { applySizeRuleToScreen(); });
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    applySizeRuleToScreen();
    followDevicePixelRatio();
}

void MainWindow::followDevicePixelRatio() {
    if (session_.pictures().scale().factor != devicePixelRatioF()) {
        session_.setPictureScale(devicePixelRatioF());
        schematicView_->update();
        graphView_->update();
        showRedraw(RedrawTableHeader, PictureSet::Damage{});
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!session_.confirmClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    if (calculator_) {
        calculator_->close();
    }
    if (reader_) {
        reader_->close();
    }
    timer_.stop();
    if (presenceWritten_) {
        writePresence("NON");
        presenceWritten_ = false;
    }
    event->accept();
    QWidget::closeEvent(event);
}

} // namespace ohmora
