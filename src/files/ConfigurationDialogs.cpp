#include "files/ConfigurationDialogs.h"

#include "dialogs/Prompter.h"
#include "files/FileMessages.h"
#include "files/SavePath.h"
#include "qtbridge/QtStrings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace ohmora {

namespace {

MessageAnswer ask(Prompter& prompter, const files::FileMessage& m, MessageIcon icon,
                  MessageButtons buttons) {
    return prompter.message(Message{qs(m.text), qs(m.title), icon, buttons});
}

QLabel* label(const char* name, const char* text, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QString::fromUtf8(name));
    return l;
}

QPushButton* button(const char* name, const char* text, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setAutoDefault(false);
    b->setMinimumWidth(110);
    return b;
}

// The hourglass of a load: a small picture drawn once.
QPixmap hourglass() {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 2));
    p.drawLine(5, 3, 19, 3);
    p.drawLine(5, 21, 19, 21);
    p.setBrush(QColor(255, 220, 120));
    const QPointF top[] = {{7, 4}, {17, 4}, {12, 12}};
    const QPointF bottom[] = {{12, 12}, {17, 20}, {7, 20}};
    p.drawPolygon(top, 3);
    p.drawPolygon(bottom, 3);
    return pixmap;
}

} // namespace

// --- the lists ------------------------------------------------------------------

ConfigurationDialog::ConfigurationDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), drive1_(new DriveList(this)),
      dir1_(new DirectoryList(this)), file1_(new FileList(QStringLiteral("*.P16"), this)),
      command1_(nullptr), command2_(nullptr) {
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    drive1_->setObjectName(QStringLiteral("Drive1"));
    dir1_->setObjectName(QStringLiteral("Dir1"));
    file1_->setObjectName(QStringLiteral("File1"));
    drive1_->onChosen = [this](const QString& drive) { chooseDrive(drive); };
    dir1_->onChanged = [this](const QString& path) {
        file1_->setDirectory(path);
        drive1_->showDrive(DriveList::driveOf(path));
        directoryChanged();
    };
}

bool ConfigurationDialog::showDirectory(const QString& directory) {
    if (!dir1_->setPath(directory)) {
        return false;
    }
    drive1_->showDrive(DriveList::driveOf(dir1_->path()));
    file1_->setDirectory(dir1_->path());
    directoryChanged();
    return true;
}

void ConfigurationDialog::chooseDrive(const QString& drive) {
    // A drive that cannot be read leaves both lists where they were.
    const QString previous = dir1_->path();
    if (!showDirectory(drive)) {
        drive1_->showDrive(DriveList::driveOf(previous));
    }
}

void ConfigurationDialog::layOut(const char* action, const std::array<Caption, 2>& lists,
                                 std::initializer_list<QWidget*> below) {
    command1_ = button("Command1", action, this);
    command2_ = button("Command2", "ANNULER", this);
    auto* grid = new QGridLayout;
    grid->addWidget(label("Label1", "Lecteur:", this), 0, 0);
    grid->addWidget(drive1_, 1, 0);
    grid->addWidget(label(lists[0].name, lists[0].text, this), 2, 0);
    grid->addWidget(dir1_, 3, 0);
    grid->addWidget(label(lists[1].name, lists[1].text, this), 0, 1);
    grid->addWidget(file1_, 1, 1, 3, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1_);
    buttons->addWidget(command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    for (QWidget* widget : below) {
        layout->addWidget(widget);
    }
    layout->addLayout(buttons);
}

void placeBesideMainWindow(QDialog& dialog, const QWidget* mainWindow) {
    if (mainWindow) {
        dialog.move(mainWindow->frameGeometry().topLeft() + QPoint(20, 20));
    }
}

// --- save -----------------------------------------------------------------------

SaveDialog::SaveDialog(Prompter& prompter, const QString& cheminconfig, const QString& directory,
                       SaveConfig saveconfig, QWidget* parent)
    : ConfigurationDialog(prompter, parent), text1_(new QLineEdit(this)),
      saveconfig_(std::move(saveconfig)) {
    setObjectName(QStringLiteral("enregistrer"));
    setWindowTitle(QStringLiteral("Enregistrer les paramètres."));
    text1_->setObjectName(QStringLiteral("Text1"));
    layOut("ENREGISTRER", {{{"Label3", "Répertoire:"}, {"Label4", "Fichiers enregistrés"}}},
           {label("Label2", "Nom du fichier:", this), text1_});
    setFixedSize(580, 340);

    connect(command1_, &QPushButton::clicked, this, [this] { clickSave(); });
    connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
    connect(text1_, &QLineEdit::returnPressed, this, [this] { clickSave(); });
    file1_->onActivated = [this](const QString& name) { doubleClickFile(name); };

    if (!showDirectory(directory)) {
        showDirectory(QDir::homePath());
    }
    text1_->setText(cheminconfig);
    text1_->setFocus(Qt::OtherFocusReason);
}

void SaveDialog::directoryChanged() {
    // The name is saved in the directory chosen now.
    text1_->setText(QString::fromStdString(files::bareName(text1_->text().toStdString())));
}

void SaveDialog::doubleClickFile(const QString& name) {
    text1_->setText(name);
    clickSave();
}

void SaveDialog::clickSave() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = [] { QApplication::restoreOverrideCursor(); };
    const std::optional<std::string> path =
        files::buildSavePath(text1_->text().toStdString(), dir1_->path().toStdString());
    if (!path) {
        restore();
        ask(prompter_, files::kNoFileName, MessageIcon::Stop, MessageButtons::Ok);
        return;
    }
    builtPath_ = QString::fromStdString(*path);
    text1_->setText(builtPath_);
    if (QFileInfo::exists(builtPath_)) {
        restore();
        if (ask(prompter_, files::kOverwrite, MessageIcon::Exclamation, MessageButtons::YesNo) !=
            MessageAnswer::Yes) {
            return;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    const bool saved = !saveconfig_ || saveconfig_(builtPath_);
    restore();
    if (saved) {
        accept(); // a failed save leaves the dialog open
    }
}

// --- open -----------------------------------------------------------------------

OpenDialog::OpenDialog(Prompter& prompter, const QString& directory,
                       std::function<void(const QString&)> setCheminconfig, OpenConfig openconfig,
                       QWidget* parent)
    : ConfigurationDialog(prompter, parent), ficharge_(new QLineEdit(this)),
      waitPanel_(new QFrame(this)), setCheminconfig_(std::move(setCheminconfig)),
      openconfig_(std::move(openconfig)) {
    setObjectName(QStringLiteral("ouvrir"));
    setWindowTitle(QStringLiteral("Ouvrir une configuration"));
    ficharge_->setObjectName(QStringLiteral("ficharge"));
    layOut("OUVRIR", {{{"Label2", "Répertoire"}, {"Label3", "Fichiers"}}}, {ficharge_});
    setFixedSize(580, 320);

    // The wait notice covers the dialog's middle while a file loads.
    waitPanel_->setObjectName(QStringLiteral("waitPanel"));
    waitPanel_->setAutoFillBackground(true);
    auto* image1 = new QLabel(waitPanel_);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(hourglass());
    auto* label4 = label("Label4", "Patience: chargement du fichier", waitPanel_);
    QFont bold = label4->font();
    bold.setBold(true);
    label4->setFont(bold);
    auto* wait = new QHBoxLayout(waitPanel_);
    wait->addStretch();
    wait->addWidget(image1);
    wait->addSpacing(8);
    wait->addWidget(label4);
    wait->addStretch();
    waitPanel_->setGeometry(140, 120, 300, 60);
    waitPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    waitPanel_->hide();

    connect(command1_, &QPushButton::clicked, this, [this] { clickOpen(); });
    connect(command2_, &QPushButton::clicked, this, &QDialog::reject);
    file1_->onClicked = [this](const QString& name) { clickFile(name); };
    file1_->onActivated = [this](const QString& name) {
        clickFile(name);
        clickOpen();
    };
    if (!showDirectory(directory)) {
        showDirectory(QDir::homePath());
    }
}

void OpenDialog::clickFile(const QString& name) {
    ficharge_->setText(
        QString::fromStdString(files::withFinalSeparator(file1_->directory().toStdString())) +
        name);
}

void OpenDialog::clickOpen() {
    const QString path = ficharge_->text();
    if (path.trimmed().isEmpty()) {
        return;
    }
    if (setCheminconfig_) {
        setCheminconfig_(path);
    }
    if (!QFileInfo::exists(path)) {
        ask(prompter_, files::kNoSuchFile, MessageIcon::Stop, MessageButtons::Ok);
        return;
    }
    waitPanel_->show();
    waitPanel_->raise();
    waitPanel_->repaint();
    if (openconfig_) {
        openconfig_();
    }
    waitPanel_->hide();
    accept(); // whatever the outcome of the load
}

} // namespace ohmora
