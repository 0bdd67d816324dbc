#pragma once
// `confimp`, the print options: the printer (changed with "&Imprimantes"),
// the page title, whether the schematic and the graph are printed, and the
// number of copies, 1 to 40. "&OK" prints and closes; while the pages are
// built a wait notice replaces the controls. Each opening starts from the
// same title, options and single copy; the printer chosen in an earlier
// opening stays chosen. With no printer installed, the page goes to a PDF
// file the user names.

#include "dialogs/Prompter.h"
#include "output/PrintedPage.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ohmora {

class CopyCountArrows;
class PictureSet;
struct SimState;

class PrintOptionsDialog : public QDialog {
public:
    static constexpr int kWidth = 376;  // 5640 twips
    static constexpr int kHeight = 221; // 3315 twips
    // How far below the top of the main window the dialog's top goes.
    static constexpr int kBelowOwnerTop = 20;

    // The pictures as they are when "&OK" is clicked: a recording may go on
    // behind the dialog.
    using PictureSource = std::function<PagePictures()>;

    // The dialog starts from `printer`, or from the system's default
    // printer.
    PrintOptionsDialog(PictureSource pictures, Prompter& prompter, QWidget* parent = nullptr,
                       const std::optional<PrinterChoice>& printer = std::nullopt);

    // The click on "&Imprimer": the dialog, opened modally over `window`
    // with its top 20 pixels below the window's, prints the pictures the
    // window shows. `chosenPrinter` is the printer chosen with
    // "&Imprimantes" in an earlier opening: the dialog starts from it, and
    // a new choice replaces it.
    static void open(QWidget* window, Prompter& prompter, const PictureSet& pictures,
                     const SimState& state, std::optional<PrinterChoice>& chosenPrinter);
    // Where the dialog's frame goes: 20 pixels below the top of the
    // owner's frame, centred across it.
    static QPoint position(const QRect& ownerFrame, const QSize& frame);

    PageOptions options() const;
    // The printer, or PDF file, the pages go to.
    const PrinterChoice& destination() const { return destination_; }
    // The printer chosen with "&Imprimantes" in this opening, if any (a PDF
    // file chosen there holds for this opening only).
    std::optional<PrinterChoice> chosenPrinter() const;

    // `Command2_Click`: the system's printer choice; what is chosen there
    // is used afterwards.
    void choosePrinter();
    // `Command1_Click`: prints, then closes. A destination that fails is
    // reported and the dialog stays open; without a printer, the user
    // names the PDF file first, and cancelling that leaves the dialog open.
    void print();

private:
    void buildControls();
    void showDestination();
    void setWaiting(bool waiting);
    QString suggestedPdfPath() const;

    PictureSource pictures_;
    Prompter& prompter_;
    PrinterChoice destination_;
    bool printerChosen_ = false;

    QLabel* defaut_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QGroupBox* options_ = nullptr;
    QLineEdit* text1_ = nullptr;
    std::array<QCheckBox*, 3> check1_{};
    QLabel* label4_ = nullptr;
    CopyCountArrows* upDown1_ = nullptr;
    QGroupBox* wait_ = nullptr;
};

} // namespace ohmora
