#include "exercises/NewExerciseDialog.h"

#include "dialogs/Prompter.h"
#include "qtbridge/QtStrings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ohmora::exercises {

namespace {

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

QLabel* label(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

QPushButton* button(const char* name, const char* text, QWidget* parent) {
    auto* b = named(new QPushButton(QString::fromUtf8(text), parent), name);
    b->setAutoDefault(false);
    return b;
}

// A file box with its "Parcourir…" button on its right.
QWidget* fileRow(QLineEdit* box, QPushButton* browse, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box, 1);
    layout->addWidget(browse);
    return row;
}

ExercisePart filePart(const QLineEdit* box) {
    const QString path = box->text().trimmed();
    return path.isEmpty() ? ExercisePart{} : ExercisePart{PartSource::File, path.toStdString()};
}

const char* const kRtfFilter = "Texte au format RTF (*.RTF)";

} // namespace

NewExerciseDialog::NewExerciseDialog(Prompter& prompter, const QString& folder, Create create,
                                     QWidget* parent)
    : QDialog(parent), prompter_(prompter), create_(std::move(create)),
      driveList_(named(new DriveList(this), "Drive1")),
      folderList_(named(new DirectoryList(this), "Dir1")),
      fileList_(named(new FileList(QStringLiteral("*.E34"), this), "File1")) {
    setObjectName(QStringLiteral("creeexo"));
    setWindowTitle(QStringLiteral("Créer un exercice"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* columns = new QHBoxLayout;
    columns->addWidget(buildFolder(), 2);
    auto* right = new QVBoxLayout;
    right->addWidget(buildExercise());
    right->addWidget(buildParts());
    columns->addLayout(right, 3);

    namesLabel_ = named(new QLabel(this), "names");
    namesLabel_->setWordWrap(true);
    createButton_ = button("Command1", "CRÉER", this);
    auto* cancel = button("Command2", "ANNULER", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(namesLabel_, 1);
    buttons->addWidget(createButton_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    resize(760, 540);

    connect(createButton_, &QPushButton::clicked, this, [this] { clickCreate(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    driveList_->onChosen = [this](const QString& drive) {
        const QString previous = folderList_->path();
        if (!showFolder(drive)) {
            showFolder(previous); // a drive that cannot be read: stay
        }
    };
    folderList_->onChanged = [this](const QString& path) {
        driveList_->showDrive(DriveList::driveOf(path));
        fileList_->setDirectory(path);
    };
    if (!showFolder(folder)) {
        showFolder(QDir::homePath());
    }
    showNames();
    titleBox_->setFocus(Qt::OtherFocusReason);
}

QWidget* NewExerciseDialog::buildFolder() {
    auto* box = new QGroupBox(QStringLiteral("Dossier de l'exercice"), this);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(label("Lecteur\u00A0:", box));
    layout->addWidget(driveList_);
    layout->addWidget(label("Répertoire\u00A0:", box));
    layout->addWidget(folderList_, 3);
    layout->addWidget(label("Exercices déjà dans ce dossier\u00A0:", box));
    layout->addWidget(fileList_, 2);
    return box;
}

QWidget* NewExerciseDialog::buildExercise() {
    auto* box = new QGroupBox(QStringLiteral("Présentation dans la fenêtre d'ouverture"), this);
    titleBox_ = named(new QLineEdit(box), "titre");
    titleBox_->setMaxLength(int(126));
    topicsBox_ = named(new QPlainTextEdit(box), "notions");
    topicsBox_->setTabChangesFocus(true);
    topicsBox_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    topicsBox_->setFixedHeight(72);
    difficultyBox_ = named(new QSpinBox(box), "difficulte");
    difficultyBox_->setRange(0, kMaxDifficulty);
    difficultyBox_->setValue(1);
    auto* form = new QFormLayout(box);
    form->addRow(label("Titre\u00A0:", box), titleBox_);
    form->addRow(label("Notions abordées\u00A0:", box), topicsBox_);
    form->addRow(label("Difficulté (0 à 3)\u00A0:", box), difficultyBox_);
    connect(titleBox_, &QLineEdit::textChanged, this, [this] { showNames(); });
    return box;
}

QWidget* NewExerciseDialog::buildParts() {
    auto* box = new QGroupBox(QStringLiteral("Fichiers de l'exercice"), this);
    statementFromText_ = named(
        new QRadioButton(QStringLiteral("Énoncé\u00A0: le texte de la fenêtre exercice"), box),
        "enonceTexte");
    statementFromFile_ = named(
        new QRadioButton(QStringLiteral("Énoncé\u00A0: un fichier RTF"), box), "enonceFichier");
    statementFromText_->setChecked(true);
    auto* group = new QButtonGroup(box);
    group->addButton(statementFromText_);
    group->addButton(statementFromFile_);
    statementBox_ = named(new QLineEdit(box), "enonce");
    configurationBox_ = named(
        new QCheckBox(QStringLiteral("Configuration de l'énoncé\u00A0: celle du simulateur, telle "
                                     "qu'elle est maintenant"),
                      box),
        "configuration");
    configurationBox_->setChecked(true);
    correctionBox_ = named(new QLineEdit(box), "corrige");
    correctionConfigurationBox_ = named(new QLineEdit(box), "configurationCorrige");

    auto* layout = new QVBoxLayout(box);
    layout->addWidget(statementFromText_);
    layout->addWidget(statementFromFile_);
    auto* browseStatement = button("parcourirEnonce", "Parcourir…", box);
    layout->addWidget(fileRow(statementBox_, browseStatement, box));
    layout->addWidget(configurationBox_);
    layout->addWidget(label("Corrigé, texte RTF (facultatif)\u00A0:", box));
    auto* browseCorrection = button("parcourirCorrige", "Parcourir…", box);
    layout->addWidget(fileRow(correctionBox_, browseCorrection, box));
    layout->addWidget(label("Configuration du corrigé, fichier .P16 (facultatif)\u00A0:", box));
    auto* browseConfiguration = button("parcourirConfiguration", "Parcourir…", box);
    layout->addWidget(fileRow(correctionConfigurationBox_, browseConfiguration, box));

    connect(browseStatement, &QPushButton::clicked, this, [this] { chooseStatement(); });
    connect(browseCorrection, &QPushButton::clicked, this, [this] { chooseCorrection(); });
    connect(browseConfiguration, &QPushButton::clicked, this,
            [this] { chooseCorrectionConfiguration(); });
    connect(statementBox_, &QLineEdit::textEdited, this,
            [this] { statementFromFile_->setChecked(true); });
    for (QLineEdit* edit : {statementBox_, correctionBox_, correctionConfigurationBox_}) {
        connect(edit, &QLineEdit::textChanged, this, [this] { showNames(); });
    }
    connect(configurationBox_, &QCheckBox::toggled, this, [this] { showNames(); });
    connect(statementFromText_, &QRadioButton::toggled, this, [this] { showNames(); });
    return box;
}

bool NewExerciseDialog::showFolder(const QString& folder) {
    if (folder.isEmpty() || !folderList_->setPath(folder)) {
        return false;
    }
    driveList_->showDrive(DriveList::driveOf(folderList_->path()));
    fileList_->setDirectory(folderList_->path());
    return true;
}

NewExercise NewExerciseDialog::exercise() const {
    NewExercise e;
    e.title = titleBox_->text().trimmed().toStdString();
    e.topics = topicsBox_->toPlainText().trimmed().toStdString();
    e.difficulty = difficultyBox_->value();
    e.statement = statementFromText_->isChecked() ? ExercisePart{PartSource::Program, {}}
                                                  : filePart(statementBox_);
    e.configuration =
        configurationBox_->isChecked() ? ExercisePart{PartSource::Program, {}} : ExercisePart{};
    e.correction = filePart(correctionBox_);
    e.correctionConfiguration = filePart(correctionConfigurationBox_);
    return e;
}

QString NewExerciseDialog::exercisePath() const {
    const std::string stem = exerciseBaseName(titleBox_->text().toStdString());
    return QDir(folderList_->path()).filePath(qs(stem) + QStringLiteral(".E34"));
}

void NewExerciseDialog::showNames() {
    const std::string stem = exerciseBaseName(titleBox_->text().toStdString());
    const CompanionNames names = companionNames(stem, exercise());
    QStringList files{qs(stem) + QStringLiteral(".E34")};
    for (const std::string* name : {&names.statement, &names.configuration, &names.correction,
                                    &names.correctionConfiguration}) {
        if (!name->empty()) {
            files << qs(*name);
        }
    }
    namesLabel_->setText(QStringLiteral("Fichiers écrits\u00A0: ") +
                         files.join(QStringLiteral(", ")));
}

std::optional<QString> NewExerciseDialog::chooseFile(const char* title, const char* filter,
                                                     const QLineEdit* box) {
    FileChoice choice;
    choice.title = QString::fromUtf8(title);
    choice.filter = QString::fromUtf8(filter);
    const QFileInfo current(box->text().trimmed());
    choice.directory =
        box->text().trimmed().isEmpty() ? folderList_->path() : current.absolutePath();
    return prompter_.chooseOpenFile(choice);
}

void NewExerciseDialog::chooseStatement() {
    if (const auto path = chooseFile("Énoncé de l'exercice", kRtfFilter, statementBox_)) {
        statementBox_->setText(*path);
        statementFromFile_->setChecked(true);
    }
}

void NewExerciseDialog::chooseCorrection() {
    if (const auto path = chooseFile("Corrigé de l'exercice", kRtfFilter, correctionBox_)) {
        correctionBox_->setText(*path);
    }
}

void NewExerciseDialog::chooseCorrectionConfiguration() {
    if (const auto path = chooseFile("Configuration du corrigé", "Configuration (*.P16)",
                                     correctionConfigurationBox_)) {
        correctionConfigurationBox_->setText(*path);
    }
}

void NewExerciseDialog::clickCreate() {
    const QString path = exercisePath();
    if (create_ && create_(path, exercise())) {
        createdPath_ = path;
        accept();
        return;
    }
    fileList_->refresh(); // what a refusal left there, or a file written meanwhile
}

} // namespace ohmora::exercises
