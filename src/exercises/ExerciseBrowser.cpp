#include "exercises/ExerciseBrowser.h"

#include "core/ProgramState.h"
#include "dialogs/Prompter.h"
#include "exercises/ExerciseFile.h"
#include "exercises/ExerciseMessages.h"
#include "files/SavePath.h"
#include "picture/SharpPixmap.h"
#include "qtbridge/QtStrings.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QToolButton>

#include <cmath>

namespace ohmora::exercises {

namespace {

const QColor kBackground{240, 235, 230};
const QColor kTitleBackground{0, 0, 128};

// The browser's painted title: "Ouvrir un exercice" letter by letter.
class TitlePicture : public QWidget {
public:
    explicit TitlePicture(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("tito"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), kTitleBackground);
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(24);
        font.setBold(true);
        p.setFont(font);
        const QFontMetrics m(font);
        const QString text = QStringLiteral("Ouvrir un exercice");
        const int n = int(text.size());
        int x = 30;
        const int top = (height() - m.height()) / 2 - 2;
        for (int k = 1; k <= n; ++k) {
            const QString letter = text.mid(k - 1, 1);
            p.setPen(titleLetterColour(k, n));
            p.drawText(x, top + m.ascent(), letter);
            x += m.horizontalAdvance(letter);
        }
    }
};

QLabel* makeLabel(const char* name, const QString& text, QWidget* parent, const QRect& at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(at);
    return label;
}

QFont timesFont(double points, bool bold) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A difficulty mark: a five-pointed star, gold when lit, pale grey when not.
QPixmap markPicture(bool lit) {
    QPixmap pixmap = sharpPixmap(QSize(28, 28));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 12.5 : 5.2;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(14 + radius * std::cos(angle), 14.5 + radius * std::sin(angle));
        if (i == 0) {
            star.moveTo(point);
        } else {
            star.lineTo(point);
        }
    }
    star.closeSubpath();
    p.setPen(QPen(lit ? QColor(160, 100, 0) : QColor(150, 150, 150), 1.2));
    p.setBrush(lit ? QColor(255, 200, 0) : QColor(225, 225, 225));
    p.drawPath(star);
    return pixmap;
}

// The two image buttons: a green disc with an arrow that opens, a red disc
// with a cross that closes.
QIcon buttonPicture(bool open) {
    QPixmap pixmap = sharpPixmap(QSize(48, 48));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(open ? QColor(0, 100, 0) : QColor(128, 0, 0), 2));
    p.setBrush(open ? QColor(40, 160, 60) : QColor(200, 40, 40));
    p.drawEllipse(QRectF(3, 3, 42, 42));
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (open) {
        p.drawLine(QPointF(14, 24), QPointF(32, 24));
        p.drawLine(QPointF(25, 16), QPointF(33, 24));
        p.drawLine(QPointF(25, 32), QPointF(33, 24));
    } else {
        p.drawLine(QPointF(16, 16), QPointF(32, 32));
        p.drawLine(QPointF(32, 16), QPointF(16, 32));
    }
    return QIcon(pixmap);
}

QToolButton* imageButton(const char* name, bool open, const char* tooltip, QWidget* parent,
                         const QRect& at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setIcon(buttonPicture(open));
    button->setIconSize(QSize(48, 48));
    button->setAutoRaise(true);
    button->setToolTip(QString::fromUtf8(tooltip));
    button->setAccessibleName(QString::fromUtf8(tooltip));
    button->setGeometry(at);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

QColor titleLetterColour(int k, int n) {
    return QColor(255, 255, int(std::lround(double(k) / n * 100.0 + 155.0)));
}

ExerciseBrowser::ExerciseBrowser(ProgramState& program, Prompter& prompter, OpenExercise open,
                                 QWidget* mainWindow)
    : QDialog(mainWindow), program_(program), prompter_(prompter), open_(std::move(open)) {
    setObjectName(QStringLiteral("Fichexo"));
    setModal(true);
    // It covers the main window exactly: caption, place, size and icon.
    if (mainWindow) {
        setWindowTitle(mainWindow->windowTitle());
        setWindowIcon(mainWindow->windowIcon());
        setFixedSize(mainWindow->size());
        move(mainWindow->frameGeometry().topLeft());
    } else {
        setFixedSize(800, 600);
    }
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    buildLists();
    buildPreview();
    buildLoadingPanel();
    connectControls();

    // Start-up: no title, no loading panel, the program's directory.
    titleLabel_->clear();
    loadingPanel_->hide();
    topicsBox_->clear();
    const QString home = QString::fromStdString(program_.programDirectory);
    if (!home.isEmpty() && folderList_->setPath(home)) {
        driveList_->showDrive(DriveList::driveOf(folderList_->path()));
        fileList_->setDirectory(folderList_->path());
    }
    showPreview(false);
}

void ExerciseBrowser::buildLists() {
    const int w = width(), h = height();
    titlePicture_ = new TitlePicture(this);
    titlePicture_->setGeometry(0, 0, w, 56);

    // The list panel, just under the title (8 pixels of overlap), down to
    // the window's bottom.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Frame1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(0, 56 - 8, 300, h - 48);
    panel->lower();
    makeLabel("Label6", QStringLiteral("Lecteur :"), panel, QRect(12, 16, 276, 16));
    driveList_ = new DriveList(panel);
    driveList_->setObjectName(QStringLiteral("Drive1"));
    driveList_->setGeometry(12, 34, 276, 24);
    makeLabel("Label7", QStringLiteral("Répertoire :"), panel, QRect(12, 66, 276, 16));
    folderList_ = new DirectoryList(panel);
    folderList_->setObjectName(QStringLiteral("Dir1"));
    folderList_->setGeometry(12, 84, 276, 180);
    makeLabel("Label5", QStringLiteral("Liste des exercices:"), panel, QRect(12, 274, 276, 16));
    fileList_ = new FileList(QStringLiteral("*.E34"), panel);
    fileList_->setObjectName(QStringLiteral("File1"));
    fileList_->setGeometry(12, 292, 276, h - 48 - 292 - 44);

    pathBox_ = new QLineEdit(this);
    pathBox_->setObjectName(QStringLiteral("fichierexo"));
    pathBox_->setAccessibleName(QStringLiteral("Exercice sélectionné"));
    pathBox_->setReadOnly(true);
    pathBox_->setGeometry(12, h - 34, w - 12 + 2, 24);
}

void ExerciseBrowser::buildPreview() {
    const int w = width(), h = height();
    invitation_ = makeLabel("intratro", QStringLiteral("Sélectionner un fichier"), this,
                            QRect(320, 260, w - 340, 40));
    invitation_->setAlignment(Qt::AlignCenter);
    invitation_->setFont(timesFont(16, false));
    titleLabel_ = makeLabel("titratexo", QString(), this, QRect(330, 76, w - 350, 56));
    titleLabel_->setFont(timesFont(16, true));
    titleLabel_->setWordWrap(true);
    titleLabel_->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));
    topicsCaption_ = makeLabel("Label1", QStringLiteral("Notions abordées :"), this,
                               QRect(330, 146, w - 350, 22));
    topicsCaption_->setFont(timesFont(12, true));
    topicsBox_ = new QPlainTextEdit(this);
    topicsBox_->setObjectName(QStringLiteral("Text1"));
    topicsBox_->setReadOnly(true);
    topicsBox_->setGeometry(330, 172, w - 350, 150);
    difficultyCaption_ = makeLabel("Label4", QStringLiteral("Niveau de difficulté :"), this,
                                   QRect(330, 342, 150, 28));
    for (int k = 0; k < 3; ++k) {
        marks_[size_t(k)] = makeLabel("Image4", QString(), this, QRect(486 + 34 * k, 342, 28, 28));
        marks_[size_t(k)]->setObjectName(QStringLiteral("Image4_%1").arg(k));
    }
    // The corrected label over its shadow, 2 pixels right and down.
    correctionShadow_ = makeLabel("Label3", QString(), this, QRect(332, 394, 300, 30));
    correctionLabel_ = makeLabel("Label2", QString(), this, QRect(330, 392, 300, 30));
    for (QLabel* l : {correctionLabel_, correctionShadow_}) {
        l->setFont(timesFont(14, true));
    }
    correctionShadow_->setStyleSheet(QStringLiteral("color: rgb(160, 160, 160);"));
    correctionLabel_->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
    openButton_ = imageButton("ouvreur", true, "Ouvrir l'exercice sélectionné", this,
                              QRect(w - 170, h - 110, 60, 60));
    closeButton_ = imageButton("Image5", false, "Fermer sans charger d'exercice", this,
                               QRect(w - 90, h - 110, 60, 60));
}

void ExerciseBrowser::buildLoadingPanel() {
    const int w = width(), h = height();
    loadingPanel_ = new QFrame(this);
    loadingPanel_->setObjectName(QStringLiteral("loading"));
    loadingPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    loadingPanel_->setAutoFillBackground(true);
    loadingPanel_->setGeometry((w - 320) / 2, (h - 100) / 2, 320, 100);
    auto* wait1 = makeLabel("Label8", QStringLiteral("Patienter quelques instants"), loadingPanel_,
                            QRect(10, 20, 300, 24));
    auto* wait2 = makeLabel("Label9", QStringLiteral("Chargement des fichiers"), loadingPanel_,
                            QRect(10, 54, 300, 24));
    for (QLabel* l : {wait1, wait2}) {
        l->setAlignment(Qt::AlignCenter);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        l->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));
    }
}

void ExerciseBrowser::connectControls() {
    connect(openButton_, &QToolButton::clicked, this, [this] { ouvreurClick(); });
    connect(closeButton_, &QToolButton::clicked, this, [this] { closeClick(); });
    fileList_->onClicked = [this](const QString& name) { selectFile(name); };
    fileList_->onActivated = [this](const QString& name) {
        selectFile(name);
        ouvreurClick();
    };
    driveList_->onChosen = [this](const QString& drive) {
        const QString previous = folderList_->path();
        if (!folderList_->setPath(drive)) {
            driveList_->showDrive(DriveList::driveOf(previous)); // cannot be read: stay
            return;
        }
        driveList_->showDrive(DriveList::driveOf(folderList_->path()));
        fileList_->setDirectory(folderList_->path());
    };
    folderList_->onChanged = [this](const QString& path) {
        driveList_->showDrive(DriveList::driveOf(path));
        fileList_->setDirectory(path);
        // The preview of a file elsewhere would open that file: the new
        // directory invites to select one of its own.
        pathBox_->clear();
        apercu();
    };
}

bool ExerciseBrowser::markShown(int k) const {
    return !marks_[size_t(k)]->isHidden();
}

void ExerciseBrowser::showPreview(bool shown) {
    for (QWidget* w :
         {static_cast<QWidget*>(difficultyCaption_), static_cast<QWidget*>(openButton_)}) {
        w->setVisible(shown);
    }
    for (QLabel* mark : marks_) {
        mark->setVisible(false);
    }
    for (QLabel* l : {topicsCaption_, correctionLabel_, correctionShadow_}) {
        l->setVisible(shown);
    }
    topicsBox_->setVisible(shown);
    invitation_->setVisible(!shown);
}

void ExerciseBrowser::setMark(int k, bool lit) {
    lit_[size_t(k)] = lit;
    marks_[size_t(k)]->setPixmap(markPicture(lit));
    marks_[size_t(k)]->setVisible(true);
}

void ExerciseBrowser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activate();
}

void ExerciseBrowser::activate() {
    if (fileList_->count() == 0) {
        return;
    }
    const auto starting = fileList_->findItems(startingName_, Qt::MatchExactly);
    const int row = startingName_.isEmpty() || starting.isEmpty() ? 0 : fileList_->row(starting[0]);
    if (fileList_->currentRow() == row) {
        selectFile(fileList_->item(row)->text());
    } else {
        fileList_->setCurrentRow(row); // the selection previews it
    }
}

bool ExerciseBrowser::showExercise(const QString& path) {
    const QFileInfo file(path);
    if (!folderList_->setPath(file.absolutePath())) {
        return false;
    }
    driveList_->showDrive(DriveList::driveOf(folderList_->path()));
    fileList_->setDirectory(folderList_->path());
    startingName_ = file.fileName();
    return true;
}

void ExerciseBrowser::selectFile(const QString& name) {
    const QString directory =
        QString::fromStdString(files::withFinalSeparator(fileList_->directory().toStdString()));
    program_.dossierexo = directory.toStdString();
    pathBox_->setText(directory + name);
    apercu();
}

void ExerciseBrowser::apercu() {
    corrected_ = false;
    topicsBox_->clear();
    difficultyCaption_->hide();
    openButton_->hide();
    for (QLabel* mark : marks_) {
        mark->hide();
    }
    if (pathBox_->text().trimmed().isEmpty()) {
        // The invitation to select a file, and nothing of the exercise
        // previewed before.
        titleLabel_->clear();
        correctionLabel_->clear();
        correctionShadow_->clear();
        showPreview(false);
        return;
    }
    invitation_->hide();
    for (QWidget* w :
         {static_cast<QWidget*>(difficultyCaption_), static_cast<QWidget*>(openButton_),
          static_cast<QWidget*>(topicsCaption_), static_cast<QWidget*>(correctionLabel_),
          static_cast<QWidget*>(correctionShadow_), static_cast<QWidget*>(topicsBox_)}) {
        w->show();
    }
    const std::optional<ExerciseRecords> e = readExerciseFile(pathBox_->text().toStdString());
    if (!e) {
        prompter_.message(Message{qs(kExerciseUnreadable.text), qs(kExerciseUnreadable.title),
                                  MessageIcon::Stop, MessageButtons::Ok});
        return;
    }
    corrected_ = isCorrected(*e);
    const QString corrected = QString::fromUtf8(corrected_ ? kCorrected : kNotCorrected);
    correctionLabel_->setText(corrected);
    correctionShadow_->setText(corrected);
    const int lit = litMarks(*e);
    for (int k = 0; k < 3; ++k) {
        setMark(k, lit > k);
    }
    topicsBox_->setPlainText(QString::fromStdString(e->topics));
    titleLabel_->setText(QString::fromStdString(shownTitle(*e)));
}

void ExerciseBrowser::ouvreurClick() {
    if (pathBox_->text().trimmed().isEmpty()) {
        return;
    }
    loadingPanel_->show();
    loadingPanel_->raise();
    loadingPanel_->repaint();
    const bool opened = open_ && open_(pathBox_->text(), corrected_);
    loadingPanel_->hide();
    if (opened) {
        accept();
    }
}

void ExerciseBrowser::closeClick() {
    reject();
}

} // namespace ohmora::exercises
