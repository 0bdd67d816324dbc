#include "output/PrintOptionsDialog.h"

#include "dialogs/UpDownControl.h"
#include "dialogs/WindowPrompter.h"
#include "picture/PictureArea.h"
#include "session/Printing.h"
#include "session/Session.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

} // namespace

PrintOptionsDialog::PrintOptionsDialog(session::Session& session, QWidget* parent)
    : QDialog(parent), session_(session), destination_(session.printing().startingDestination()) {
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
    printerName_ = place(whiteLabel(new QLabel(this)), "defaut", {1200, 240, 2655, 285});
    printerName_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    printerName_->setIndent(2);
    printersButton_ = place(new QPushButton(QStringLiteral("&Imprimantes"), this), "Command2",
                            {4320, 120, 1095, 855});
    cancelButton_ = place(new QPushButton(QStringLiteral("&Annuler"), this), "Command3",
                          {4320, 1200, 1095, 855});
    okButton_ =
        place(new QPushButton(QStringLiteral("&OK"), this), "Command1", {4320, 2280, 1095, 855});
    okButton_->setDefault(true);
    connect(printersButton_, &QPushButton::clicked, this, [this] { choosePrinter(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { reject(); });
    connect(okButton_, &QPushButton::clicked, this, [this] { print(); });

    buildOptions();

    waitFrame_ = place(new QGroupBox(this), "waitFrame", {240, 1080, 5175, 855});
    QLabel* notice =
        place(new QLabel(QStringLiteral("Veuillez patienter quelques instants..."), waitFrame_),
              "Label1", {840, 360, 4095, 255});
    // The notice's face stands in for a bitmap sans serif of another system.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(fontPixelSize(9.75));
    font.setBold(true);
    notice->setFont(font);
    fitToText(notice);
    setTextColour(notice, kNavy);
    waitFrame_->hide();
}

void PrintOptionsDialog::buildOptions() {
    optionsFrame_ = place(new QGroupBox(QStringLiteral("Options"), this), "optionsFrame",
                          {360, 840, 3495, 2295});
    setTextColour(optionsFrame_, kNavy);
    fitToText(place(new QLabel(QStringLiteral("Titre de la page :"), optionsFrame_), "Label5",
                    {120, 240, 1200, 195}));
    pageTitle_ = place(new QLineEdit(QStringLiteral("Varlune - Ohmora"), optionsFrame_), "Text1",
                       {120, 480, 3255, 285});
    const char* const checkCaptions[] = {"Le schéma", "Le graphe", "Le tableau de valeur"};
    const TwipsRect checkPlaces[] = {
        {360, 1080, 2655, 195}, {360, 1440, 2655, 195}, {120, 2040, 2655, 195}};
    for (size_t i = 0; i < printedParts_.size(); ++i) {
        const QByteArray name = "Check1_" + QByteArray::number(qsizetype(i));
        printedParts_[i] = place(new QCheckBox(QString::fromUtf8(checkCaptions[i]), optionsFrame_),
                                 name.constData(), checkPlaces[i]);
        printedParts_[i]->setChecked(true);
    }
    // Printing never shows nor prints the table.
    printedParts_[2]->setChecked(false);
    printedParts_[2]->hide();
    fitToText(place(new QLabel(QStringLiteral("Nombre d'exemplaires :"), optionsFrame_), "Label3",
                    {480, 1920, 1695, 255}));
    copiesShown_ = place(whiteLabel(new QLabel(QStringLiteral("1"), optionsFrame_)), "Label4",
                         {2280, 1890, 615, 255});
    copiesShown_->setAlignment(Qt::AlignCenter);
    copies_ =
        place(new UpDownControl(1, kMaxCopies, optionsFrame_), "UpDown1", {2880, 1890, 240, 285});
    copies_->onChange = [this](int value) { copiesShown_->setText(QString::number(value)); };
    for (QWidget* child : optionsFrame_->findChildren<QWidget*>()) {
        setTextColour(child, Qt::black);
    }
}

void PrintOptionsDialog::open(QWidget* window, WindowPrompter& prompter,
                              session::Session& session) {
    PrintOptionsDialog dialog(session, window);
    if (window) {
        dialog.move(position(window->frameGeometry(), dialog.frameGeometry().size()));
    }
    prompter.runModal(dialog);
}

QPoint PrintOptionsDialog::position(const QRect& ownerFrame, const QSize& frame) {
    return QPoint(ownerFrame.x() + (ownerFrame.width() - frame.width()) / 2,
                  ownerFrame.y() + kBelowOwnerTop);
}

PageOptions PrintOptionsDialog::options() const {
    PageOptions o;
    o.title = pageTitle_->text();
    o.schematic = printedParts_[0]->isChecked();
    o.graph = printedParts_[1]->isChecked();
    o.copies = copies_->value();
    return o;
}

void PrintOptionsDialog::showDestination() {
    const QString text = session::destinationText(destination_);
    printerName_->setText(printerName_->fontMetrics().elidedText(
        text, Qt::ElideMiddle, printerName_->contentsRect().width() - 4));
    if (!destination_.pdfFile.isEmpty()) {
        printerName_->setToolTip(QDir::toNativeSeparators(destination_.pdfFile));
    } else if (destination_.printerName.isEmpty()) {
        printerName_->setToolTip(
            QStringLiteral("Aucune imprimante n'est installée : «\u00A0OK\u00A0» "
                           "enregistre la page dans un fichier PDF."));
    } else {
        printerName_->setToolTip(text);
    }
}

void PrintOptionsDialog::choosePrinter() {
    if (const auto chosen = session_.printing().choosePrinter(destination_)) {
        destination_ = *chosen;
    }
    showDestination();
}

void PrintOptionsDialog::setWaiting(bool waiting) {
    for (QWidget* w :
         {static_cast<QWidget*>(okButton_), static_cast<QWidget*>(printersButton_),
          static_cast<QWidget*>(cancelButton_), static_cast<QWidget*>(optionsFrame_)}) {
        w->setVisible(!waiting);
    }
    waitFrame_->setVisible(waiting);
    repaint();
}

void PrintOptionsDialog::print() {
    const std::optional<PrinterChoice> target =
        session_.printing().target(destination_, pageTitle_->text());
    if (!target) {
        return;
    }
    setWaiting(true);
    const bool printed = session_.printPage(*target, options());
    setWaiting(false);
    if (printed) {
        accept();
    }
}

} // namespace ohmora
