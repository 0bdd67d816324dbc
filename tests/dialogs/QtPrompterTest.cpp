// The real dialogs as the prompt interface builds them, looked at before
// they are shown modally: the file dialogs ask before replacing a file
// unless the program asks in its own words, and a message box is wide
// enough for its title.

#include "dialogs/QtPrompter.h"

#include <QFileDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace ohmora {
namespace {

TEST(QtPrompter, SaveDialogsAskBeforeReplacingAFileUnlessTheProgramAsks) {
    FileChoice pdf{QStringLiteral("Aucune imprimante : enregistrer au format PDF"),
                   QStringLiteral("Documents PDF (*.pdf)"), QStringLiteral("pdf"), QString(),
                   QStringLiteral("page.pdf")};
    struct Case {
        const char* name;
        bool save;
        bool programAsks;
        bool dialogAsks;
    };
    const Case cases[] = {
        {"save", true, false, true},
        {"save, the program asking", true, true, false},
        {"open", false, false, false},
    };
    for (const Case& c : cases) {
        pdf.asksBeforeOverwriting = !c.programAsks;
        const auto dialog = fileDialog(nullptr, pdf, c.save);
        EXPECT_EQ(!dialog->testOption(QFileDialog::DontConfirmOverwrite), c.dialogAsks) << c.name;
        EXPECT_EQ(dialog->acceptMode() == QFileDialog::AcceptSave, c.save) << c.name;
    }
}

TEST(QtPrompter, MessageBoxesAreWideEnoughForTheirTitle) {
    for (const char* title : {"Enregistrement impossible", "Erreur lors du chargement du fichier",
                              "Ce fichier existe déjà!"}) {
        const auto box =
            messageBox(Message{QStringLiteral("Il faut donner un nom au fichier!"),
                               QString::fromUtf8(title), MessageIcon::Stop, MessageButtons::Ok},
                       nullptr);
        box->show(); // the box takes its size when shown
        EXPECT_GE(box->width(), titleBarWidth(QString::fromUtf8(title))) << title;
        EXPECT_GT(titleBarWidth(QString::fromUtf8(title)),
                  box->fontMetrics().horizontalAdvance(QString::fromUtf8(title)))
            << title;
        box->hide();
    }
}

} // namespace
} // namespace ohmora
