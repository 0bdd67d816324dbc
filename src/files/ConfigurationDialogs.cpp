#include "files/ConfigurationDialogs.h"

#include "dialogs/Prompter.h"
#include "files/FileMessages.h"
#include "files/SavePath.h"
#include "picture/SharpPixmap.h"
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
    QPixmap pixmap = sharpPixmap(QSize(24, 24));
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
    : QDialog(parent), prompter_(prompter), driveList_(new DriveList(this)),
      folderList_(new DirectoryList(this)), fileList_(new FileList(QStringLiteral("*.P16"), this)),
      actionButton_(nullptr), cancelButton_(nullptr) {
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    driveList_->setObjectName(QStringLiteral("Drive1"));
    folderList_->setObjectName(QStringLiteral("Dir1"));
    fileList_->setObjectName(QStringLiteral("File1"));
    driveList_->onChosen = [this](const QString& drive) { chooseDrive(drive); };
    folderList_->onChanged = [this](const QString& path) {
        fileList_->setDirectory(path);
        driveList_->showDrive(DriveList::driveOf(path));
        directoryChanged();
    };
}

bool ConfigurationDialog::showDirectory(const QString& directory) {
    if (!folderList_->setPath(directory)) {
        return false;
    }
    driveList_->showDrive(DriveList::driveOf(folderList_->path()));
    fileList_->setDirectory(folderList_->path());
    directoryChanged();
    return true;
}

void ConfigurationDialog::chooseDrive(const QString& drive) {
    // A drive that cannot be read leaves both lists where they were.
    const QString previous = folderList_->path();
    if (!showDirectory(drive)) {
        driveList_->showDrive(DriveList::driveOf(previous));
    }
}

void ConfigurationDialog::layOut(const char* action, const std::array<Caption, 2>& lists,
                                 std::initializer_list<QWidget*> below) {
    actionButton_ = button("Command1", action, this);
    cancelButton_ = button("Command2", "ANNULER", this);
    auto* grid = new QGridLayout;
    grid->addWidget(label("Label1", "Lecteur:", this), 0, 0);
    grid->addWidget(driveList_, 1, 0);
    grid->addWidget(label(lists[0].name, lists[0].text, this), 2, 0);
    grid->addWidget(folderList_, 3, 0);
    grid->addWidget(label(lists[1].name, lists[1].text, this), 0, 1);
    grid->addWidget(fileList_, 1, 1, 3, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(actionButton_);
    buttons->addWidget(cancelButton_);
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
    : ConfigurationDialog(prompter, parent), nameBox_(new QLineEdit(this)),
      saveconfig_(std::move(saveconfig)) {
    setObjectName(QStringLiteral("enregistrer"));
    setWindowTitle(QStringLiteral("Enregistrer les paramètres."));
    nameBox_->setObjectName(QStringLiteral("Text1"));
    nameBox_->setAccessibleName(QStringLiteral("Nom du fichier"));
    layOut("ENREGISTRER", {{{"Label3", "Répertoire:"}, {"Label4", "Fichiers enregistrés"}}},
           {label("Label2", "Nom du fichier:", this), nameBox_});
    setFixedSize(580, 340);

    connect(actionButton_, &QPushButton::clicked, this, [this] { clickSave(); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(nameBox_, &QLineEdit::returnPressed, this, [this] { clickSave(); });
    fileList_->onActivated = [this](const QString& name) { doubleClickFile(name); };

    if (!showDirectory(directory)) {
        showDirectory(QDir::homePath());
    }
    nameBox_->setText(cheminconfig);
    nameBox_->setFocus(Qt::OtherFocusReason);
}

void SaveDialog::directoryChanged() {
    // The name is saved in the directory chosen now.
    nameBox_->setText(QString::fromStdString(files::bareName(nameBox_->text().toStdString())));
}

void SaveDialog::doubleClickFile(const QString& name) {
    nameBox_->setText(name);
    clickSave();
}

void SaveDialog::clickSave() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = [] { QApplication::restoreOverrideCursor(); };
    const std::optional<std::string> path =
        files::buildSavePath(nameBox_->text().toStdString(), folderList_->path().toStdString());
    if (!path) {
        restore();
        ask(prompter_, files::kNoFileName, MessageIcon::Stop, MessageButtons::Ok);
        return;
    }
    builtPath_ = QString::fromStdString(*path);
    nameBox_->setText(builtPath_);
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

OpenDialog::OpenDialog(Prompter& prompter, const QString& directory, OpenConfiguration open,
                       QWidget* parent)
    : ConfigurationDialog(prompter, parent), pathBox_(new QLineEdit(this)),
      waitPanel_(new QFrame(this)), open_(std::move(open)) {
    setObjectName(QStringLiteral("ouvrir"));
    setWindowTitle(QStringLiteral("Ouvrir une configuration"));
    pathBox_->setObjectName(QStringLiteral("ficharge"));
    pathBox_->setAccessibleName(QStringLiteral("Configuration à ouvrir"));
    layOut("OUVRIR", {{{"Label2", "Répertoire"}, {"Label3", "Fichiers"}}}, {pathBox_});
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

    connect(actionButton_, &QPushButton::clicked, this, [this] { clickOpen(); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    fileList_->onClicked = [this](const QString& name) { clickFile(name); };
    fileList_->onActivated = [this](const QString& name) {
        clickFile(name);
        clickOpen();
    };
    if (!showDirectory(directory)) {
        showDirectory(QDir::homePath());
    }
}

void OpenDialog::clickFile(const QString& name) {
    pathBox_->setText(
        QString::fromStdString(files::withFinalSeparator(fileList_->directory().toStdString())) +
        name);
}

void OpenDialog::clickOpen() {
    const QString path = pathBox_->text();
    if (path.trimmed().isEmpty() || !open_) {
        return;
    }
    const bool done = open_(path, [this] {
        waitPanel_->show();
        waitPanel_->raise();
        waitPanel_->repaint();
    });
    waitPanel_->hide();
    if (done) {
        accept(); // whatever the outcome of the load
    }
}

} // namespace ohmora
