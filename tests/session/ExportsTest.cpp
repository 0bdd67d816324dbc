// The copy menu's exports: the recording as CSV and the pictures as image
// files, each through the save dialog whose filter chooses the kind,
// written completely or not at all.

#include "session/Exports.h"
#include "Recordings.h"
#include "SessionFixture.h"
#include "dialogs/MenuEntry.h"
#include "graph/RecordingCsv.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSvgRenderer>

namespace ohmora::test {
namespace {

using session::ImageKind;
using session::PictureKind;

class Exports : public SessionFixture {
protected:
    void record() {
        Simulator& sim = session->simulator();
        session->redraw(clickK(sim, 1));
        while (sim.state().run.enregEnCours) {
            session->redraw(sim.tick());
        }
    }
    QByteArray read(const std::string& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(Exports, TheCopyMenuEndsWithTheExports) {
    QStringList captions;
    for (const MenuEntry& entry : session::copyMenu()) {
        captions << QString::fromUtf8(entry.caption.data(), qsizetype(entry.caption.size()));
    }
    EXPECT_EQ(captions.mid(3),
              (QStringList{"Copier le contenu du tableau", "Exporter les mesures (CSV)…",
                           "Enregistrer le graphe en image…", "Enregistrer le schéma en image…"}));
    EXPECT_TRUE(session::copyMenu()[5].separatorBefore);
}

// No recording: the message, no dialog, no file, and no copy message on
// the help line (nothing was copied).
TEST_F(Exports, WithoutARecordingTheMeasuresAreNotExported) {
    const std::string info = session->simulator().state().info;
    session->copy(CopyKind::MeasuresFile);
    EXPECT_TRUE(prompter.fileRequests().empty());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Aucun enregistrement à exporter");
    EXPECT_EQ(prompter.messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(session->simulator().state().info, info);
}

// The dialog offers the French file first, then the international one,
// starting in a folder the user can write; the filter chosen gives the
// convention; a file that cannot be written leaves nothing and says why.
TEST_F(Exports, MeasuresInTheConventionOfTheFilterChosen) {
    record();
    prompter.queueFile(path("mesures.csv"));
    prompter.queueKind(1);
    session->copy(CopyKind::MeasuresFile);
    ASSERT_EQ(prompter.kindRequests().size(), 1u);
    ASSERT_EQ(prompter.kindRequests()[0].size(), 2u);
    EXPECT_TRUE(prompter.kindRequests()[0][0].filter.startsWith("CSV français"));
    EXPECT_EQ(prompter.fileRequests()[0].title, "Exporter les mesures (CSV)");
    EXPECT_TRUE(QFileInfo(prompter.fileRequests()[0].directory).isWritable());
    const std::optional<std::string> intl =
        recordingCsv(session->simulator().state().recording, CsvFormat::International);
    EXPECT_EQ(read("mesures.csv").toStdString(), *intl);

    prompter.queueFile(path("mesures.csv"));
    session->copy(CopyKind::MeasuresFile);
    EXPECT_EQ(prompter.fileRequests()[1].directory, QString::fromStdString(dir.string())); // last
    EXPECT_TRUE(read("mesures.csv").startsWith("t (s);i (A);"));

    prompter.queueFile(path("nulle-part/mesures.csv"));
    session->copy(CopyKind::MeasuresFile);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_TRUE(prompter.messages()[0].text.contains("nulle-part/mesures.csv"));
    EXPECT_FALSE(QFileInfo::exists(path("nulle-part")));
}

// The images: PNG at the filter's scale, or SVG; a name ending in .svg or
// .png tells the format whatever the filter.
TEST_F(Exports, PicturesAsTheFilterOrTheirNameSays) {
    record();
    const struct {
        const char* name;
        int filter;
        PictureKind picture;
        QSize size; // empty for SVG
    } rows[] = {
        {"graphe.png", 0, PictureKind::Graph, {529, 249}},
        {"graphe2.png", 1, PictureKind::Graph, {1058, 498}},
        {"schema4.png", 2, PictureKind::Schematic, {996, 996}},
        {"graphe.svg", 3, PictureKind::Graph, {}},
        {"nomme.svg", 2, PictureKind::Schematic, {}},
    };
    for (const auto& row : rows) {
        prompter.queueFile(path(row.name));
        prompter.queueKind(row.filter);
        session->copy(row.picture == PictureKind::Graph ? CopyKind::GraphFile
                                                        : CopyKind::SchematicFile);
        const QByteArray bytes = read(row.name);
        if (row.size.isEmpty()) {
            EXPECT_TRUE(QSvgRenderer(bytes).isValid()) << row.name;
        } else {
            EXPECT_EQ(QImage::fromData(bytes, "PNG").size(), row.size) << row.name;
        }
    }
    EXPECT_EQ(prompter.kindRequests().back().size(), 4u);
    EXPECT_EQ(prompter.fileRequests()[0].title, "Enregistrer le graphe en image");
    EXPECT_EQ(prompter.fileRequests()[2].title, "Enregistrer le schéma en image");
    EXPECT_TRUE(prompter.messages().empty());
    // At 1× the image is the graph shown, measuring tools included.
    session->simulator().constructTau(TauPart::Tangent, SlotUC);
    EXPECT_EQ(QImage::fromData(session->exports().image(PictureKind::Graph, ImageKind{}), "PNG")
                  .convertToFormat(QImage::Format_RGB32),
              session->pictures().graphShown(session->simulator().state()));
}

} // namespace
} // namespace ohmora::test
