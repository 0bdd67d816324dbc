#pragma once
// `confimp`, the print options: the printer (changed with "&Imprimantes"),
// the page title, whether the schematic and the graph are printed, and the
// number of copies, 1 to 40. "&OK" has the session print its page and
// closes; while the pages are built a wait notice replaces the controls.
// Each opening starts from the same title, options and single copy; the
// printer chosen in an earlier opening stays chosen (the session keeps it).
// With no printer installed, the page goes to a PDF file the user names.

#include "dialogs/Prompter.h"
#include "output/PrintedPage.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ohmora {

class UpDownControl;
class WindowPrompter;

namespace session {
class Session;
}

class PrintOptionsDialog : public QDialog {
public:
    static constexpr int kWidth = 376;  // 5640 twips
    static constexpr int kHeight = 221; // 3315 twips
    // How far below the top of the main window the dialog's top goes.
    static constexpr int kBelowOwnerTop = 20;

    // The dialog starts from the printer the session's printing starts
    // from.
    explicit PrintOptionsDialog(session::Session& session, QWidget* parent = nullptr);

    // The click on "&Imprimer": the dialog, opened modally over `window`
    // with its top 20 pixels below the window's, prints the session's page.
    static void open(QWidget* window, WindowPrompter& prompter, session::Session& session);
    // Where the dialog's frame goes: 20 pixels below the top of the
    // owner's frame, centred across it.
    static QPoint position(const QRect& ownerFrame, const QSize& frame);

    PageOptions options() const;
    // The printer, or PDF file, the pages go to.
    const PrinterChoice& destination() const { return destination_; }

    // `Command2_Click`: the system's printer choice; what is chosen there
    // is used afterwards.
    void choosePrinter();
    // `Command1_Click`: prints, then closes. A destination that fails is
    // reported and the dialog stays open; without a printer, the user
    // names the PDF file first, and cancelling that leaves the dialog open.
    void print();

private:
    void buildControls();
    void buildOptions();
    void showDestination();
    void setWaiting(bool waiting);

    session::Session& session_;
    PrinterChoice destination_;

    QLabel* printerName_ = nullptr;         // `defaut`
    QPushButton* okButton_ = nullptr;       // `Command1`
    QPushButton* printersButton_ = nullptr; // `Command2`
    QPushButton* cancelButton_ = nullptr;   // `Command3`
    QGroupBox* optionsFrame_ = nullptr;
    QLineEdit* pageTitle_ = nullptr;           // `Text1`
    std::array<QCheckBox*, 3> printedParts_{}; // `Check1`: schematic, graph, table
    QLabel* copiesShown_ = nullptr;            // `Label4`
    UpDownControl* copies_ = nullptr;          // `UpDown1`
    QGroupBox* waitFrame_ = nullptr;
};

} // namespace ohmora
