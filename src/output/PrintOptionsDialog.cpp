#include "output/PrintOptionsDialog.h"

#include "output/CopyCountArrows.h"
#include "output/PrinterOutput.h"
#include "picture/PictureArea.h"
#include "pictureset/PictureSet.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>

namespace ohmora {

namespace {

const QColor kDialogColour(192, 192, 192);
const QColor kNavy(0, 0, 128);

// A control's place in twips, relative to its container, as the dialog's
// layout gives it; on screen 15 twips make a pixel.
struct TwipsRect {
    int left, top, width, height;
};

QRect pixels(TwipsRect r) {
    return QRect(r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel,
                 r.height / kTwipsPerPixel);
}

template <class W> W* place(W* widget, const char* name, TwipsRect where) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(pixels(where));
    return widget;
}

// Text in the colour given; the controls inside a frame keep black text
// whatever colour the frame's caption has.
void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

// A caption a little wider than its place in this font keeps its last
// letters: the label grows to the right, where the layout leaves room.
QLabel* fitToText(QLabel* label) {
    const int needed = label->sizeHint().width();
    if (needed > label->width()) {
        label->resize(needed, label->height());
    }
    return label;
}

QLabel* whiteLabel(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

// The file name a title suggests: characters that file systems refuse
// become hyphens.
QString fileNameFor(const QString& title) {
    QString name = title.trimmed();
    for (QChar& c : name) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.category() == QChar::Other_Control) {
            c = QLatin1Char('-');
        }
    }
    return (name.isEmpty() ? QStringLiteral("Ohmora") : name) + QStringLiteral(".pdf");
}

} // namespace

PrintOptionsDialog::PrintOptionsDialog(PictureSource pictures, Prompter& prompter, QWidget* parent,
                                       const std::optional<PrinterChoice>& printer)
    : QDialog(parent), pictures_(std::move(pictures)), prompter_(prompter),
      destination_(printer ? *printer : defaultPrinterChoice()) {
    setObjectName(QStringLiteral("confimp"));
    setWindowTitle(QStringLiteral("Imprimer"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(kWidth, kHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kDialogColour);
    palette.setColor(QPalette::Button, kDialogColour);
    setPalette(palette);
    setAutoFillBackground(true);
    buildControls();
    showDestination();
}

void PrintOptionsDialog::buildControls() {
    fitToText(
        place(new QLabel(QStringLiteral("Imprimante:"), this), "Label2", {120, 270, 975, 255}));
    defaut_ = place(whiteLabel(new QLabel(this)), "defaut", {1200, 240, 2655, 285});
    defaut_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    defaut_->setIndent(2);
    command2_ = place(new QPushButton(QStringLiteral("&Imprimantes"), this), "Command2",
                      {4320, 120, 1095, 855});
    command3_ = place(new QPushButton(QStringLiteral("&Annuler"), this), "Command3",
                      {4320, 1200, 1095, 855});
    command1_ =
        place(new QPushButton(QStringLiteral("&OK"), this), "Command1", {4320, 2280, 1095, 855});
    command1_->setDefault(true);
    connect(command2_, &QPushButton::clicked, this, [this] { choosePrinter(); });
    connect(command3_, &QPushButton::clicked, this, [this] { reject(); });
    connect(command1_, &QPushButton::clicked, this, [this] { print(); });

    options_ = place(new QGroupBox(QStringLiteral("Options"), this), "optionsFrame",
                     {360, 840, 3495, 2295});
    setTextColour(options_, kNavy);
    fitToText(place(new QLabel(QStringLiteral("Titre de la page :"), options_), "Label5",
                    {120, 240, 1200, 195}));
    text1_ = place(new QLineEdit(QStringLiteral("Varlune - Ohmora"), options_), "Text1",
                   {120, 480, 3255, 285});
    const char* const checkCaptions[] = {"Le schéma", "Le graphe", "Le tableau de valeur"};
    const TwipsRect checkPlaces[] = {
        {360, 1080, 2655, 195}, {360, 1440, 2655, 195}, {120, 2040, 2655, 195}};
    for (size_t i = 0; i < check1_.size(); ++i) {
        const QByteArray name = "Check1_" + QByteArray::number(qsizetype(i));
        check1_[i] = place(new QCheckBox(QString::fromUtf8(checkCaptions[i]), options_),
                           name.constData(), checkPlaces[i]);
        check1_[i]->setChecked(true);
    }
    // Printing never shows nor prints the table.
    check1_[2]->setChecked(false);
    check1_[2]->hide();
    fitToText(place(new QLabel(QStringLiteral("Nombre d'exemplaires :"), options_), "Label3",
                    {480, 1920, 1695, 255}));
    label4_ = place(whiteLabel(new QLabel(QStringLiteral("1"), options_)), "Label4",
                    {2280, 1890, 615, 255});
    label4_->setAlignment(Qt::AlignCenter);
    upDown1_ =
        place(new CopyCountArrows(1, kMaxCopies, options_), "UpDown1", {2880, 1890, 240, 285});
    upDown1_->onChange = [this](int value) { label4_->setText(QString::number(value)); };
    for (QWidget* child : options_->findChildren<QWidget*>()) {
        setTextColour(child, Qt::black);
    }

    wait_ = place(new QGroupBox(this), "waitFrame", {240, 1080, 5175, 855});
    QLabel* notice =
        place(new QLabel(QStringLiteral("Veuillez patienter quelques instants..."), wait_),
              "Label1", {840, 360, 4095, 255});
    // The notice's face stands in for a bitmap sans serif of another system.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(fontPixelSize(9.75));
    font.setBold(true);
    notice->setFont(font);
    fitToText(notice);
    setTextColour(notice, kNavy);
    wait_->hide();
}

void PrintOptionsDialog::open(QWidget* window, Prompter& prompter, const PictureSet& pictures,
                              const SimState& state, std::optional<PrinterChoice>& chosenPrinter) {
    PrintOptionsDialog dialog([&pictures, &state] { return pagePictures(pictures, state); },
                              prompter, window, chosenPrinter);
    if (window) {
        dialog.move(position(window->frameGeometry(), dialog.frameGeometry().size()));
    }
    prompter.runModal(dialog);
    if (const std::optional<PrinterChoice> chosen = dialog.chosenPrinter()) {
        chosenPrinter = chosen;
    }
}

QPoint PrintOptionsDialog::position(const QRect& ownerFrame, const QSize& frame) {
    return QPoint(ownerFrame.x() + (ownerFrame.width() - frame.width()) / 2,
                  ownerFrame.y() + kBelowOwnerTop);
}

PageOptions PrintOptionsDialog::options() const {
    PageOptions o;
    o.title = text1_->text();
    o.schematic = check1_[0]->isChecked();
    o.graph = check1_[1]->isChecked();
    o.copies = upDown1_->value();
    return o;
}

void PrintOptionsDialog::showDestination() {
    const QString text = destinationText(destination_);
    defaut_->setText(defaut_->fontMetrics().elidedText(text, Qt::ElideMiddle,
                                                       defaut_->contentsRect().width() - 4));
    if (!destination_.pdfFile.isEmpty()) {
        defaut_->setToolTip(QDir::toNativeSeparators(destination_.pdfFile));
    } else if (destination_.printerName.isEmpty()) {
        defaut_->setToolTip(QStringLiteral("Aucune imprimante n'est installée : «\u00A0OK\u00A0» "
                                           "enregistre la page dans un fichier PDF."));
    } else {
        defaut_->setToolTip(text);
    }
}

std::optional<PrinterChoice> PrintOptionsDialog::chosenPrinter() const {
    if (!printerChosen_ || destination_.printerName.isEmpty()) {
        return std::nullopt;
    }
    return destination_;
}

void PrintOptionsDialog::choosePrinter() {
    const std::optional<PrinterChoice> chosen = prompter_.choosePrinter(destination_);
    if (chosen) {
        destination_ = *chosen;
        printerChosen_ = true;
    }
    showDestination();
}

void PrintOptionsDialog::setWaiting(bool waiting) {
    for (QWidget* w : {static_cast<QWidget*>(command1_), static_cast<QWidget*>(command2_),
                       static_cast<QWidget*>(command3_), static_cast<QWidget*>(options_)}) {
        w->setVisible(!waiting);
    }
    wait_->setVisible(waiting);
    repaint();
}

QString PrintOptionsDialog::suggestedPdfPath() const {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents.isEmpty() ? QDir::homePath() : documents)
        .filePath(fileNameFor(text1_->text()));
}

void PrintOptionsDialog::print() {
    PrinterChoice target = destination_;
    if (target.printerName.isEmpty() && target.pdfFile.isEmpty()) {
        const std::optional<QString> file = prompter_.choosePdfFile(
            QStringLiteral("Aucune imprimante : enregistrer la page au format PDF"),
            suggestedPdfPath());
        if (!file || file->isEmpty()) {
            return;
        }
        target.pdfFile = *file;
    }
    setWaiting(true);
    QString failure;
    const bool printed = printDocument(target, pictures_(), options(), &failure);
    setWaiting(false);
    if (!printed) {
        prompter_.message(Message{failure, QStringLiteral("Imprimer"), MessageIcon::Exclamation,
                                  MessageButtons::Ok});
        return;
    }
    accept();
}

} // namespace ohmora
