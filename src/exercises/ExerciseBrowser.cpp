#include "exercises/ExerciseBrowser.h"

#include "core/ProgramState.h"
#include "dialogs/Prompter.h"
#include "exercises/ExerciseFile.h"
#include "files/SavePath.h"

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

const char* const kUnreadable = "Vérifier:\n- le nom du fichier,\n- l'état du lecteur.";

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
    QPixmap pixmap(28, 28);
    pixmap.fill(Qt::transparent);
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
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
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
    const int w = width(), h = height();

    tito_ = new TitlePicture(this);
    tito_->setGeometry(0, 0, w, 56);

    // The list panel, just under the title (8 pixels of overlap), down to
    // the window's bottom.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Frame1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(0, 56 - 8, 300, h - 48);
    panel->lower();
    makeLabel("Label6", QStringLiteral("Lecteur :"), panel, QRect(12, 16, 276, 16));
    drive1_ = new DriveList(panel);
    drive1_->setObjectName(QStringLiteral("Drive1"));
    drive1_->setGeometry(12, 34, 276, 24);
    makeLabel("Label7", QStringLiteral("Répertoire :"), panel, QRect(12, 66, 276, 16));
    dir1_ = new DirectoryList(panel);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    dir1_->setGeometry(12, 84, 276, 180);
    makeLabel("Label5", QStringLiteral("Liste des exercices:"), panel, QRect(12, 274, 276, 16));
    file1_ = new FileList(QStringLiteral("*.E34"), panel);
    file1_->setObjectName(QStringLiteral("File1"));
    file1_->setGeometry(12, 292, 276, h - 48 - 292 - 44);

    fichierexo_ = new QLineEdit(this);
    fichierexo_->setObjectName(QStringLiteral("fichierexo"));
    fichierexo_->setReadOnly(true);
    fichierexo_->setGeometry(12, h - 34, w - 12 + 2, 24);

    // The preview.
    intratro_ = makeLabel("intratro", QStringLiteral("Sélectionner un fichier"), this,
                          QRect(320, 260, w - 340, 40));
    intratro_->setAlignment(Qt::AlignCenter);
    intratro_->setFont(timesFont(16, false));
    titratexo_ = makeLabel("titratexo", QString(), this, QRect(330, 76, w - 350, 56));
    titratexo_->setFont(timesFont(16, true));
    titratexo_->setWordWrap(true);
    titratexo_->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));
    label1_ = makeLabel("Label1", QStringLiteral("Notions abordées :"), this,
                        QRect(330, 146, w - 350, 22));
    label1_->setFont(timesFont(12, true));
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text1_->setGeometry(330, 172, w - 350, 150);
    label4_ = makeLabel("Label4", QStringLiteral("Niveau de difficulté :"), this,
                        QRect(330, 342, 150, 28));
    for (int k = 0; k < 3; ++k) {
        image4_[size_t(k)] = makeLabel("Image4", QString(), this, QRect(486 + 34 * k, 342, 28, 28));
        image4_[size_t(k)]->setObjectName(QStringLiteral("Image4_%1").arg(k));
    }
    // The corrected label over its shadow, 2 pixels right and down.
    label3_ = makeLabel("Label3", QString(), this, QRect(332, 394, 300, 30));
    label2_ = makeLabel("Label2", QString(), this, QRect(330, 392, 300, 30));
    for (QLabel* l : {label2_, label3_}) {
        l->setFont(timesFont(14, true));
    }
    label3_->setStyleSheet(QStringLiteral("color: rgb(160, 160, 160);"));
    label2_->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
    ouvreur_ = imageButton("ouvreur", true, "Ouvrir l'exercice sélectionné", this,
                           QRect(w - 170, h - 110, 60, 60));
    image5_ = imageButton("Image5", false, "Fermer sans charger d'exercice", this,
                          QRect(w - 90, h - 110, 60, 60));

    loading_ = new QFrame(this);
    loading_->setObjectName(QStringLiteral("loading"));
    loading_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    loading_->setAutoFillBackground(true);
    loading_->setGeometry((w - 320) / 2, (h - 100) / 2, 320, 100);
    auto* wait1 = makeLabel("Label8", QStringLiteral("Patienter quelques instants"), loading_,
                            QRect(10, 20, 300, 24));
    auto* wait2 = makeLabel("Label9", QStringLiteral("Chargement des fichiers"), loading_,
                            QRect(10, 54, 300, 24));
    for (QLabel* l : {wait1, wait2}) {
        l->setAlignment(Qt::AlignCenter);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        l->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128);"));
    }

    connect(ouvreur_, &QToolButton::clicked, this, [this] { ouvreurClick(); });
    connect(image5_, &QToolButton::clicked, this, [this] { closeClick(); });
    file1_->onClicked = [this](const QString& name) { selectFile(name); };
    file1_->onActivated = [this](const QString& name) {
        selectFile(name);
        ouvreurClick();
    };
    drive1_->onChosen = [this](const QString& drive) {
        const QString previous = dir1_->path();
        if (!dir1_->setPath(drive)) {
            drive1_->showDrive(DriveList::driveOf(previous)); // cannot be read: stay
            return;
        }
        drive1_->showDrive(DriveList::driveOf(dir1_->path()));
        file1_->setDirectory(dir1_->path());
    };
    dir1_->onChanged = [this](const QString& path) {
        drive1_->showDrive(DriveList::driveOf(path));
        file1_->setDirectory(path);
        // The preview of a file elsewhere would open that file: the new
        // directory invites to select one of its own.
        fichierexo_->clear();
        apercu();
    };

    // Start-up: no title, no loading panel, the program's directory.
    titratexo_->clear();
    loading_->hide();
    text1_->clear();
    const QString home = QString::fromStdString(program_.programDirectory);
    if (!home.isEmpty() && dir1_->setPath(home)) {
        drive1_->showDrive(DriveList::driveOf(dir1_->path()));
        file1_->setDirectory(dir1_->path());
    }
    showPreview(false);
}

bool ExerciseBrowser::markShown(int k) const {
    return !image4_[size_t(k)]->isHidden();
}

void ExerciseBrowser::showPreview(bool shown) {
    for (QWidget* w : {static_cast<QWidget*>(label4_), static_cast<QWidget*>(ouvreur_)}) {
        w->setVisible(shown);
    }
    for (QLabel* mark : image4_) {
        mark->setVisible(false);
    }
    for (QLabel* l : {label1_, label2_, label3_}) {
        l->setVisible(shown);
    }
    text1_->setVisible(shown);
    intratro_->setVisible(!shown);
}

void ExerciseBrowser::setMark(int k, bool lit) {
    lit_[size_t(k)] = lit;
    image4_[size_t(k)]->setPixmap(markPicture(lit));
    image4_[size_t(k)]->setVisible(true);
}

void ExerciseBrowser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activate();
}

void ExerciseBrowser::activate() {
    if (file1_->count() > 0) {
        if (file1_->currentRow() == 0) {
            selectFile(file1_->item(0)->text());
        } else {
            file1_->setCurrentRow(0); // the selection previews it
        }
    }
}

void ExerciseBrowser::selectFile(const QString& name) {
    const QString directory =
        QString::fromStdString(files::withFinalSeparator(file1_->directory().toStdString()));
    program_.dossierexo = directory.toStdString();
    fichierexo_->setText(directory + name);
    apercu();
}

void ExerciseBrowser::apercu() {
    text1_->clear();
    label4_->hide();
    ouvreur_->hide();
    for (QLabel* mark : image4_) {
        mark->hide();
    }
    if (fichierexo_->text().trimmed().isEmpty()) {
        showPreview(false); // the invitation to select a file
        return;
    }
    intratro_->hide();
    for (QWidget* w : {static_cast<QWidget*>(label4_), static_cast<QWidget*>(ouvreur_),
                       static_cast<QWidget*>(label1_), static_cast<QWidget*>(label2_),
                       static_cast<QWidget*>(label3_), static_cast<QWidget*>(text1_)}) {
        w->show();
    }
    const std::optional<ExerciseRecords> e = readExerciseFile(fichierexo_->text().toStdString());
    if (!e) {
        prompter_.message(Message{QString::fromUtf8(kUnreadable),
                                  QStringLiteral("Lecture impossible"), MessageIcon::Stop,
                                  MessageButtons::Ok});
        return;
    }
    const QString corrected = QString::fromUtf8(isCorrected(*e) ? kCorrected : kNotCorrected);
    label2_->setText(corrected);
    label3_->setText(corrected);
    const int lit = litMarks(*e);
    for (int k = 0; k < 3; ++k) {
        setMark(k, lit > k);
    }
    text1_->setPlainText(QString::fromStdString(e->topics));
    titratexo_->setText(QString::fromStdString(shownTitle(*e)));
}

void ExerciseBrowser::ouvreurClick() {
    if (fichierexo_->text().trimmed().isEmpty()) {
        return;
    }
    loading_->show();
    loading_->raise();
    loading_->repaint();
    const bool opened =
        open_ && open_(fichierexo_->text(), label2_->text() == QString::fromUtf8(kCorrected));
    loading_->hide();
    if (opened) {
        accept();
    }
}

void ExerciseBrowser::closeClick() {
    reject();
}

} // namespace ohmora::exercises
