#include "window/MainWindow.h"

#include "dialogs/QtPrompter.h"
#include "exercises/ExerciseSession.h"
#include "files/ConfigurationDialogs.h"
#include "files/ConfigurationFile.h"
#include "files/Presence.h"
#include "files/ProgramDirectory.h"
#include "graph/TableHeader.h"
#include "window/Appearance.h"
#include "window/ParameterPanel.h"
#include "window/PictureViews.h"
#include "window/QuantityPanel.h"
#include "window/RecordingPanel.h"
#include "window/TabStrip.h"
#include "window/Validation.h"
#include "window/ValueGrid.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QToolTip>

#ifdef OHMORA_WITH_CALCULATOR_WINDOW
#include "calculator/CalculatorWindow.h"
#endif
#ifdef OHMORA_WITH_OUTPUT
#include "output/CopyMenu.h"
#include "output/PrintOptionsDialog.h"
#include "qtbridge/QtStrings.h"
#endif

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

// Places of the controls in the window's client area.
const QRect kSchema(8, 48, SchematicPicture::kSize, SchematicPicture::kSize);
const QRect kGraphik(264, 48, GraphPicture::kWidth, GraphPicture::kHeight);
const QRect kCommand3(472, 8, 49, 17); // inside the graph
const QRect kImage2(80, 304, 32, 32);
const QRect kInfo(120, 304, 233, 33);
const QRect kBtexo(432, 304, 97, 19);
const QRect kFich(432, 304, 361, 19);
const QRect kSupertext(432, 323, 361, 222);
const QPoint kOnglets(8, 344);

// The drop shadow behind `fich` and `supertext`, both corners included.
QRect shadowRect() {
    return QRect(QPoint(kSupertext.left() + 3, kFich.top() + 3),
                 QPoint(kSupertext.left() + kSupertext.width() + 3,
                        kSupertext.top() + kSupertext.height() + 3));
}

} // namespace

MainWindow::MainWindow(ProgramState& program, Prompter* prompter)
    : MainWindow(program, prompter, Options{}) {}

MainWindow::MainWindow(ProgramState& program, Prompter* prompter, Options options)
    : QWidget(nullptr), program_(program), prompter_(prompter), handCursor_(handCursor()) {
    if (!prompter_) {
        ownPrompter_ = std::make_unique<QtPrompter>(this);
        prompter_ = ownPrompter_.get();
    }
    setObjectName(QStringLiteral("feuilleP"));
    setWindowTitle(QStringLiteral("Ohmora"));
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
    buildHelpLineAndTextArea();
    buildTabs();
    connectControls();

    // Start-up: the suite learns first that the program runs. The welcome
    // text has its own owner; the simulator's constructor has already set
    // the duration, the default texts and chosen montage 0.
    writePresence("OUI");
    QComboBox* combo = picture3_->combo();
    combo->clear();
    for (std::string_view name : kMontageNames) {
        combo->addItem(qs(name));
    }
    applySizeRuleToScreen();
    exercises_->showWelcome();
    refreshInfo();
    background_ = windowBackground(kWidth, kHeight, shadowRect());
    onglets_->paintStrip();
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
    // The controls go first, while the simulator they report to still
    // exists; the parameter boxes must not validate on their way out.
    closing_ = true;
    timer_.stop();
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    // However the window goes (closed, or the program ending), the suite
    // learns that it no longer runs.
    if (presenceWritten_) {
        writePresence("NON");
    }
}

ValueGrid* MainWindow::valueGrid() const {
    return picture1_->grid();
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
        commands_[i] = button;
    }
}

void MainWindow::buildPictures() {
    schema_ = new PictureView([this]() -> const QImage& { return pictures_.schematic(); }, this);
    schema_->setObjectName(QStringLiteral("schema"));
    schema_->setGeometry(kSchema);
    schema_->setFocusPolicy(Qt::ClickFocus);

    graphik_ = new PictureView([this]() -> const QImage& { return pictures_.graph(); }, this);
    graphik_->setObjectName(QStringLiteral("graphik"));
    graphik_->setGeometry(kGraphik);
    graphik_->setFocusPolicy(Qt::ClickFocus);

    command3_ = new QPushButton(QStringLiteral("Effacer"), graphik_);
    command3_->setObjectName(QStringLiteral("Command3"));
    command3_->setGeometry(kCommand3);
    trackHelp(command3_, HelpRegion::EraseButton);

    for (int i = 0; i < 2; ++i) {
        labeli_[size_t(i)] = new ReadoutLabelWidget(graphik_);
        labeli_[size_t(i)]->setObjectName(QStringLiteral("Labeli_%1").arg(i));
    }
}

void MainWindow::buildHelpLineAndTextArea() {
    image2_ = new QLabel(this);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->setGeometry(kImage2);
    image2_->setPixmap(helpLinePicture());

    info_ = new QLabel(this);
    info_->setObjectName(QStringLiteral("info"));
    info_->setGeometry(kInfo);
    info_->setWordWrap(true);
    info_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info_->setAutoFillBackground(true);
    QPalette tip = info_->palette();
    tip.setColor(QPalette::Window, QToolTip::palette().color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, QToolTip::palette().color(QPalette::ToolTipText));
    info_->setPalette(tip);

    fich_ = new QLineEdit(this);
    fich_->setObjectName(QStringLiteral("fich"));
    fich_->setGeometry(kFich);
    fich_->setReadOnly(true);
    QPalette darkRed = fich_->palette();
    darkRed.setColor(QPalette::Base, QColor(128, 0, 0));
    darkRed.setColor(QPalette::Text, Qt::white);
    fich_->setPalette(darkRed);

    btexo_ = new QPushButton(this);
    btexo_->setObjectName(QStringLiteral("btexo"));
    btexo_->setGeometry(kBtexo);
    btexo_->setIcon(QIcon(exercisePicture()));
    btexo_->raise();
    trackHelp(btexo_, HelpRegion::ExerciseButton);

    supertext_ = new QTextEdit(this);
    supertext_->setObjectName(QStringLiteral("supertext"));
    supertext_->setGeometry(kSupertext);
    supertext_->setReadOnly(true);
    // What is pasted into a statement takes the statement's formatting.
    supertext_->setAcceptRichText(false);

    exercises_ = std::make_unique<exercises::ExerciseSession>(
        program_, *prompter_, *fich_, *supertext_, [this] { return openconfig(); }, this);
}

void MainWindow::buildTabs() {
    onglets_ = new TabStrip(this);
    onglets_->setObjectName(QStringLiteral("Onglets"));
    onglets_->move(kOnglets);
    onglets_->setFocusPolicy(Qt::ClickFocus);
    picture3_ = new ParameterPanel(onglets_);
    picture3_->setFocusPolicy(Qt::ClickFocus);
    frame2_ = new QuantityPanel(onglets_);
    picture1_ = new RecordingPanel(onglets_);
    picture1_->setFocusPolicy(Qt::ClickFocus);
    onglets_->setPanels(picture3_, frame2_, picture1_);
    trackHelp(picture3_, HelpRegion::ParameterPanel);
    trackHelp(frame2_, HelpRegion::QuantityPanel);
    trackHelp(picture1_, HelpRegion::RecordingPanel);
    for (int k = 0; k < kQuantityCount; ++k) {
        trackHelp(frame2_->swatch(k), HelpRegion::Swatch);
    }
}

void MainWindow::trackHelp(QWidget* widget, HelpRegion region) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    helpRegions_.insert(widget, region);
}

void MainWindow::connectOutput() {
#ifdef OHMORA_WITH_OUTPUT
    connect(commands_[2], &QPushButton::clicked, this, [this] {
        CopyMenu::run(*prompter_, sim_, pictures_, QCursor::pos(), this);
        refreshInfo();
    });
    connect(commands_[3], &QPushButton::clicked, this, [this] {
        PrintOptionsDialog::open(this, *prompter_, pictures_, sim_.state(), chosenPrinter_);
    });
#endif
}

void MainWindow::connectControls() {
    connectOutput();
    schema_->onMouseMove = [this](int x, int y) { schematicMouseMove(x, y); };
    schema_->onClick = [this] { apply(sim_.clickSchematic()); };
    graphik_->onMouseMove = [this](int x, int y) { graphMouseMove(x, y); };
    connect(command3_, &QPushButton::clicked, this, [this] { apply(sim_.erase()); });
    connect(commands_[0], &QPushButton::clicked, this, [this] { openOpenDialog(); });
    connect(commands_[1], &QPushButton::clicked, this, [this] { openSaveDialog(); });
    connect(commands_[4], &QPushButton::clicked, this, [this] { openCalculator(); });
    connect(commands_[5], &QPushButton::clicked, this, [this] { openHelp(); });
    connect(commands_[6], &QPushButton::clicked, this, [this] { close(); });
    connect(btexo_, &QPushButton::clicked, this, [this] { exercises_->popUpMenu(*btexo_); });
    setLossConfirmation([this] { return exercises_->confirmLoss(); });
    // The suite's exercise request, served once the activation is over.
    setActivationHandler(
        [this] { QTimer::singleShot(0, this, [this] { exercises_->serveExerciseRequest(); }); });

    connect(picture3_->combo(), &QComboBox::activated, this,
            [this](int index) { apply(sim_.chooseMontage(index)); });
    connect(picture3_->checkRn(), &QCheckBox::clicked, this, [this](bool ticked) {
        apply(sim_.setSustained(ticked));
        syncChecks();
    });
    for (int i = 0; i < kParameterCount; ++i) {
        ParameterBox* box = picture3_->box(i);
        box->onEnter = [this](int index) { apply(sim_.enterParameter(index)); };
        box->onValidate = [this](int index) { validateParameter(index); };
        box->onEdited = [this](int index, const QString& text) {
            sim_.setParameterText(index, text.toStdString());
        };
    }
    for (int k = 0; k < kQuantityCount; ++k) {
        connect(frame2_->check(k), &QCheckBox::clicked, this, [this, k](bool ticked) {
            apply(sim_.setQuantity(k, ticked));
            syncChecks();
        });
        frame2_->swatch(k)->onClick = [this](int index) { chooseColour(index); };
    }
    connect(picture1_->check3(), &QCheckBox::clicked, this, [this](bool ticked) {
        apply(sim_.setTrigger(ticked));
        syncChecks();
    });
    picture1_->upDown()->onChange = [this](int value) { apply(sim_.setUpDown(value)); };
}

// --- redrawing ----------------------------------------------------------------

void MainWindow::apply(Redraw redraw) {
    const SimState& s = sim_.state();
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
    const PictureSet::Damage damage = pictures_.apply(redraw, sim_);
    if (damage.schematic) {
        schema_->update();
    }
    if (damage.graphFrame) {
        hideReadout();
        graphik_->update();
    } else if (!damage.graph.isEmpty()) {
        graphik_->update(damage.graph);
    }
    if (redraw & RedrawTableHeader) {
        valueGrid()->setHeaderPictures(tableHeaderPictures(s.controls.montage));
    }
    if (redraw & RedrawTable) {
        valueGrid()->setContent(s.table);
    }
    refreshInfo();
}

void MainWindow::refreshPanels() {
    const int montage = sim_.state().controls.montage;
    QComboBox* combo = picture3_->combo();
    if (montage >= 0 && montage < combo->count() && combo->currentIndex() != montage) {
        combo->setCurrentIndex(montage);
    }
    picture3_->refresh(montage);
    frame2_->refresh(montage);
    picture1_->refresh(montage);
}

void MainWindow::syncChecks() {
    const SimState& s = sim_.state();
    for (int k = 0; k < kQuantityCount; ++k) {
        frame2_->check(k)->setChecked(s.controls.check4[size_t(k)]);
        const Rgb c = s.controls.colours[size_t(k)];
        frame2_->swatch(k)->setColour(QColor(c.r, c.g, c.b));
    }
    picture3_->checkRn()->setChecked(s.controls.checkRn);
    picture1_->check3()->setChecked(s.controls.check3);
}

void MainWindow::syncParameters() {
    const SimState& s = sim_.state();
    for (int i = 0; i < kParameterCount; ++i) {
        const QString text = QString::fromStdString(s.controls.textv[size_t(i)]);
        ParameterBox* box = picture3_->box(i);
        if (box->text() != text) {
            box->setText(text);
        }
    }
}

void MainWindow::syncDuration() {
    const SimState& s = sim_.state();
    picture1_->labelg()->setText(qs(s.run.durationLabel));
    picture1_->upDown()->setValue(s.controls.upDown);
}

void MainWindow::refreshInfo() {
    QString text = QString::fromStdString(sim_.state().info);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (info_->text() != text) {
        info_->setText(text);
    }
}

void MainWindow::hideReadout() {
    for (ReadoutLabelWidget* label : labeli_) {
        label->hide();
    }
}

// --- handlers -----------------------------------------------------------------

void MainWindow::tick() {
    apply(sim_.tick());
}

void MainWindow::schematicMouseMove(int x, int y) {
    sim_.mouseMoveSchematic(x, y);
    const SimState& s = sim_.state();
    const bool hand = s.hover.pointer == Pointer::Hand;
    if (hand != handShown_) {
        handShown_ = hand;
        if (hand) {
            schema_->setCursor(handCursor_);
        } else {
            schema_->unsetCursor();
        }
    }
    const QString tooltip = QString::fromStdString(s.hover.tooltip);
    if (schema_->toolTip() != tooltip) {
        schema_->setToolTip(tooltip);
        // A tooltip already shown follows the zone under the pointer.
        if (QToolTip::isVisible()) {
            if (tooltip.isEmpty()) {
                QToolTip::hideText();
            } else {
                QToolTip::showText(schema_->mapToGlobal(QPoint(x, y)), tooltip, schema_);
            }
        }
    }
    refreshInfo();
}

void MainWindow::graphMouseMove(int x, int y) {
    const ReadoutLabels labels = readoutLabels(sim_.mouseMoveGraph(x, y), x, y);
    if (labels.visible) {
        graphik_->setCursor(Qt::CrossCursor);
        for (size_t i = 0; i < 2; ++i) {
            labeli_[i]->place(labels.labels[i]);
            labeli_[i]->show();
        }
    } else {
        graphik_->unsetCursor();
        hideReadout();
    }
    refreshInfo();
}

void MainWindow::validateParameter(int i) {
    if (closing_) {
        return;
    }
    sim_.setParameterText(i, picture3_->box(i)->text().toStdString());
    // The messages are shown once the validation is over and its result is
    // on screen: a modal box lets timer ticks run, and none may land in the
    // middle of a handler.
    std::vector<std::string> messages;
    apply(
        sim_.leaveParameter(i, [&messages](const std::string& text) { messages.push_back(text); }));
    for (const std::string& text : messages) {
        prompter_->message(
            Message{qs(text), qs(kValidationTitle), MessageIcon::Stop, MessageButtons::Ok});
    }
}

void MainWindow::chooseColour(int k) {
    const Rgb current = sim_.state().controls.colours[size_t(k)];
    const std::optional<QColor> chosen =
        prompter_->chooseColour(QColor(current.r, current.g, current.b));
    if (!chosen || !chosen->isValid()) {
        return; // cancelled: colour, switch and recording stay as they were
    }
    apply(sim_.setColour(k, Rgb{chosen->red(), chosen->green(), chosen->blue()}));
}

void MainWindow::setCalculatorOpener(std::function<void()> opener) {
    calculatorOpener_ = std::move(opener);
}

void MainWindow::openCalculator() {
    if (calculatorOpener_) {
        calculatorOpener_();
        return;
    }
#ifdef OHMORA_WITH_CALCULATOR_WINDOW
    CalculatorWindow calculator(program_, this);
    calculator_ = &calculator;
    calculator.exec();
#endif
}

// --- configuration files --------------------------------------------------------

void MainWindow::showFileMessage(std::string_view text, std::string_view title) {
    prompter_->message(Message{qs(text), qs(title), MessageIcon::Stop, MessageButtons::Ok});
}

bool MainWindow::saveconfig(const QString& path) {
    if (const auto problem = files::saveConfiguration(path.toStdString(), sim_.controls())) {
        showFileMessage(problem->text, problem->title);
        return false;
    }
    setWindowTitle(QString::fromStdString(files::configurationCaption(path.toStdString())));
    return true;
}

bool MainWindow::openconfig() {
    const files::ConfigurationRead read = files::loadConfiguration(program_.cheminconfig);
    if (!read.controls) {
        showFileMessage(read.problem.text, read.problem.title);
        return false;
    }
    // The handlers' redraws are gathered and made once the whole
    // configuration is applied: no window event runs in the middle.
    apply(sim_.replayControls(*read.controls));
    setWindowTitle(QString::fromStdString(files::configurationCaption(program_.cheminconfig)));
    return true;
}

QString MainWindow::dialogDirectory() const {
    // The directory of the configuration last used, else the program's.
    const QFileInfo last(QString::fromStdString(program_.cheminconfig));
    if (!program_.cheminconfig.empty() && last.absoluteDir().exists()) {
        return last.absolutePath();
    }
    if (!program_.programDirectory.empty()) {
        return QString::fromStdString(program_.programDirectory);
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
        *prompter_, QString::fromStdString(program_.cheminconfig), directory,
        [this](const QString& path) {
            program_.cheminconfig = path.toStdString();
            return saveconfig(path);
        },
        this);
    placeBesideMainWindow(dialog, this);
    prompter_->runModal(dialog);
}

void MainWindow::openOpenDialog() {
    OpenDialog dialog(
        *prompter_, dialogDirectory(),
        [this](const QString& path) { program_.cheminconfig = path.toStdString(); },
        [this] { openconfig(); }, this);
    placeBesideMainWindow(dialog, this);
    prompter_->runModal(dialog);
}

void MainWindow::openHelp() {
    const QString path = QString::fromStdString(program_.programDirectory) + kHelpFileName;
    if (!QFileInfo(path).isFile()) {
        prompter_->message(
            Message{QStringLiteral("Le fichier d'aide %1 est introuvable.").arg(path),
                    QStringLiteral("Aide"), MessageIcon::Stop, MessageButtons::Ok});
        return;
    }
    if (!prompter_->openDocument(path)) {
        prompter_->message(Message{
            QStringLiteral("Aucun navigateur n'a pu ouvrir l'aide (%1).\n\nPour la lire, il faut "
                           "un navigateur Web\u00a0: demandez à l'administrateur de l'ordinateur "
                           "d'installer les paquets firefox-esr et xdg-utils.")
                .arg(path),
            QStringLiteral("Aide"), MessageIcon::Stop, MessageButtons::Ok});
    }
}

// --- presence and closing -------------------------------------------------------

void MainWindow::writePresence(const char* flag) {
    if (program_.markerFile.empty()) {
        return;
    }
    // A file that cannot be written leaves the suite uninformed; the
    // program runs all the same.
    files::setPresence(program_.markerFile, std::string_view(flag) == "OUI");
    presenceWritten_ = true;
}

void MainWindow::setLossConfirmation(std::function<bool()> confirm) {
    lossConfirmation_ = std::move(confirm);
}

void MainWindow::setActivationHandler(std::function<void()> handler) {
    activationHandler_ = std::move(handler);
}

bool MainWindow::confirmClose() {
    if (lossConfirmation_ && !lossConfirmation_()) {
        return false;
    }
    return prompter_->message(Message{QStringLiteral("Quitter vraiment Ohmora ?"),
                                      QStringLiteral("Fermer"), MessageIcon::Question,
                                      MessageButtons::OkCancel}) == MessageAnswer::Ok;
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
    sim_.hover(HelpRegion::Background);
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
                sim_.hover(*region);
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
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && activationHandler_) {
        activationHandler_();
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
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    closing_ = true;
    if (calculator_) {
        calculator_->close();
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
