// The library as the text area uses it: files, text documents, pictures.

#include "richtext/RichText.h"
#include "RtfTestSupport.h"
#include "richtext/DocumentResources.h"
#include "richtext/TextDocumentAdapter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

namespace ohmora::rtf {
namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct FileCase {
    const char* name;
    const char* file; // created in a scratch directory; "" stands for the directory itself
    QByteArray bytes;
    const char* reason;
};

std::ostream& operator<<(std::ostream& out, const FileCase& c) {
    return out << c.name;
}

class UnreadableFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(UnreadableFile, LeavesTheDocumentAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8(GetParam().file));
    if (!GetParam().bytes.isNull()) {
        writeBytes(path, GetParam().bytes);
    }
    QTextDocument document;
    document.setPlainText(QStringLiteral("texte de l'élève"));
    QString error;
    EXPECT_FALSE(readRtfFile(path, document, &error));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("texte de l'élève"));
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reason))) << error.toStdString();
}

const FileCase kUnreadableFiles[] = {
    {"missing", "absent.rtf", QByteArray(), "impossible de lire"},
    {"directory", "", QByteArray(), "est un dossier"},
    {"empty", "vide.rtf", QByteArray(""), "fichier vide"},
    {"not_rtf", "texte.rtf", QByteArray("Bonjour"), "n'est pas un fichier RTF"},
};

INSTANTIATE_TEST_SUITE_P(RichText, UnreadableFile, ::testing::ValuesIn(kUnreadableFiles),
                         [](const auto& row) { return std::string(row.param.name); });

// The welcome text as the text area formats it: Arial 10, a centred title in
// Arial 18 lowered by 80 twips, blue pieces, a left indent.
void welcomeText(QTextDocument& document) {
    QTextCursor cursor(&document);
    QTextCharFormat base;
    base.setFontFamilies({QStringLiteral("Arial")});
    base.setFontPointSize(10);
    QTextCharFormat title = base;
    title.setFontPointSize(18);
    title.setForeground(QColor(0, 0, 200));
    title.setBaselineOffset(-4.0 / 18.0 * 100.0);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.setBlockCharFormat(base);
    cursor.insertText(QStringLiteral("Ohmora"), title);
    QTextBlockFormat indented;
    indented.setLeftMargin(20.0 / 15.0);
    cursor.insertBlock(indented, base);
    cursor.insertText(QStringLiteral("Ce simulateur permet d'étudier la charge "), base);
    QTextCharFormat blue = base;
    blue.setForeground(QColor(0, 0, 200));
    cursor.insertText(QStringLiteral("- basculer l'interrupteur sur le schéma."), blue);
    cursor.insertBlock(indented, base);
}

TEST(RichText, WelcomeTextComesBackWithItsFormatting) {
    QTextDocument document;
    welcomeText(document);
    const QByteArray rtf = writeRtf(document);
    EXPECT_TRUE(rtf.contains("\\qc\\plain\\f0\\fs20 {\\plain\\f0\\fs36\\dn8\\cf1 Ohmora}\\par"))
        << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\ql\\li20\\plain\\f0\\fs20 ")) << rtf.toStdString();
    QTextDocument back;
    ASSERT_TRUE(readRtf(rtf, back));
    EXPECT_EQ(extractTextDocument(back), extractTextDocument(document));
    EXPECT_EQ(plainText(back), QStringLiteral("Ohmora\nCe simulateur permet d'étudier la charge - "
                                              "basculer l'interrupteur sur le schéma.\n"));
}

TEST(RichText, SavedFileOpensAgain) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("réponse.rtf"));
    QTextDocument document;
    welcomeText(document);
    QString error;
    ASSERT_TRUE(writeRtfFile(path, document, &error)) << error.toStdString();
    QTextDocument back;
    ASSERT_TRUE(readRtfFile(path, back, &error)) << error.toStdString();
    EXPECT_EQ(extractTextDocument(back), extractTextDocument(document));
}

TEST(RichText, FailedSaveSaysWhyAndLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ancien.rtf"));
    writeBytes(path, "{\\rtf1 ancien}");
    QTextDocument document;
    QString error;
    EXPECT_FALSE(writeRtfFile(dir.filePath(QStringLiteral("absent/x.rtf")), document, &error));
    EXPECT_FALSE(error.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("{\\rtf1 ancien}"));
}

TEST(RichText, SelectionIsWrittenAlone) {
    QTextDocument document;
    welcomeText(document);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::NextBlock);
    cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor, 2);
    QTextDocument back;
    ASSERT_TRUE(readRtf(writeRtf(cursor.selection()), back));
    EXPECT_EQ(plainText(back), QStringLiteral("Ce simulateur "));
    EXPECT_EQ(back.begin().begin().fragment().charFormat().fontPointSize(), 10.0);
}

TEST(RichText, PlainTextSeparatesParagraphsAndLinesByLineFeeds) {
    QTextDocument document;
    ASSERT_TRUE(readRtf("{\\rtf1 a\\line b\\par c~\\~d{\\pict\\pngblip 00}\\par}", document));
    EXPECT_EQ(plainText(document), QStringLiteral("a\nb\nc~ d"));
}

QByteArray pngFile() {
    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 200));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QTextImageFormat firstImage(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                return it.fragment().charFormat().toImageFormat();
            }
        }
    }
    return {};
}

TEST(RichText, PngPictureBecomesAnImageResourceAtItsGoalSize) {
    const QByteArray png = pngFile();
    QTextDocument document;
    ASSERT_TRUE(readRtf("{\\rtf1 {\\pict\\pngblip\\picw24\\pich16\\picwgoal720\\pichgoal480 " +
                            png.toHex() + "}}",
                        document));
    const QTextImageFormat format = firstImage(document);
    ASSERT_TRUE(format.isValid());
    EXPECT_EQ(format.width(), 48.0);
    EXPECT_EQ(format.height(), 32.0);
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    EXPECT_EQ(resource.toByteArray(), png);
    // Written back as the same PNG bytes.
    EXPECT_TRUE(writeRtf(document).contains(
        "\\pngblip\\picw24\\pich16\\picwgoal720\\pichgoal480\r\n" + png.toHex().left(64)));
}

TEST(RichText, SelectedPictureIsWrittenWithItsData) {
    const QByteArray png = pngFile();
    QTextDocument document;
    ASSERT_TRUE(readRtf("{\\rtf1 avant {\\pict\\pngblip\\picwgoal720\\pichgoal480 " + png.toHex() +
                            "} apr\\'e8s}",
                        document));
    QTextCursor cursor(&document);
    cursor.setPosition(6);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    EXPECT_FALSE(writeRtf(cursor.selection()).contains("\\pict"));
    const QByteArray rtf = writeRtfSelection(cursor);
    EXPECT_TRUE(rtf.contains("\\pngblip\\picw24\\pich16\\picwgoal720\\pichgoal480\r\n" +
                             png.toHex().left(64)))
        << rtf.toStdString();
}

TEST(RichText, PictureShownTwiceIsWrittenAsOnePicture) {
    const QByteArray hex = pngFile().toHex();
    QTextDocument document;
    ASSERT_TRUE(
        readRtf("{\\rtf1 {\\pict\\pngblip " + hex + "}x{\\pict\\pngblip " + hex + "}}", document));
    const Document model = extractTextDocument(document);
    EXPECT_EQ(model.images.size(), 1u);
    EXPECT_EQ(test::modelText(model), "[image]x[image]");
}

struct PlaceholderCase {
    const char* name;
    const char* picture; // a \pict group
    const char* text;
};

std::ostream& operator<<(std::ostream& out, const PlaceholderCase& c) {
    return out << c.name;
}

class UnshowablePicture : public ::testing::TestWithParam<PlaceholderCase> {};

// A picture the text area cannot show keeps its place and size, and says so.
TEST_P(UnshowablePicture, ShowsAPlaceholderThatSaysSo) {
    QTextDocument document;
    ASSERT_TRUE(readRtf(QByteArray("{\\rtf1 a") + GetParam().picture + "b}", document));
    QTextCharFormat picture;
    for (auto it = document.begin().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().objectType() == kDrawnPictureObject) {
            picture = it.fragment().charFormat();
        }
    }
    EXPECT_EQ(picture.stringProperty(kPlaceholderProperty).toStdString(), GetParam().text);
    EXPECT_EQ(picture.doubleProperty(QTextFormat::ImageWidth), 48.0);
    EXPECT_EQ(picture.doubleProperty(QTextFormat::ImageHeight), 32.0);
    EXPECT_EQ(plainText(document), QStringLiteral("ab"));
}

const PlaceholderCase kPlaceholderCases[] = {
    {"damaged_wmf", "{\\pict\\wmetafile8\\picwgoal720\\pichgoal480 0100090000}",
     "Image WMF impossible à afficher"},
    {"damaged_emf", "{\\pict\\emfblip\\picwgoal720\\pichgoal480 01000000}",
     "Image EMF impossible à afficher"},
    {"damaged_png", "{\\pict\\pngblip\\picwgoal720\\pichgoal480 89504e47}",
     "Image impossible à afficher"},
    {"device_bitmap", "{\\pict\\dibitmap0\\picwgoal720\\pichgoal480 28000000}",
     "Image impossible à afficher"},
};

INSTANTIATE_TEST_SUITE_P(RichText, UnshowablePicture, ::testing::ValuesIn(kPlaceholderCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(RichText, ReadingAgainForgetsThePreviousPictures) {
    QTextDocument document;
    ASSERT_TRUE(readRtf("{\\rtf1 {\\pict\\pngblip " + pngFile().toHex() + "}}", document));
    ASSERT_TRUE(readRtf("{\\rtf1 texte}", document));
    EXPECT_FALSE(document.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("rtfimage:1")))
                     .isValid());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(plainText(document), QStringLiteral("texte"));
}

} // namespace
} // namespace ohmora::rtf

namespace ohmora::rtf {
namespace {

TEST(RichText, TableColumnsShareTheWidthAndKeepTheirTwips) {
    QTextDocument document;
    ASSERT_TRUE(
        readRtf("{\\rtf1 \\trowd\\cellx1000\\cellx4000\\intbl a\\cell b\\cell\\row}", document));
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::NextBlock);
    const QTextTable* table = cursor.currentTable();
    ASSERT_NE(table, nullptr);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_EQ(widths[0].type(), QTextLength::PercentageLength);
    EXPECT_DOUBLE_EQ(widths[0].rawValue(), 25.0);
    EXPECT_DOUBLE_EQ(widths[1].rawValue(), 75.0);
    EXPECT_TRUE(writeRtf(document).contains("\\cellx1000\\clbrdrt"));
    EXPECT_TRUE(writeRtf(document).contains("\\cellx4000\r\n"));
}

TEST(RichText, HangingIndentHasItsTabStop) {
    QTextDocument document;
    ASSERT_TRUE(readRtf("{\\rtf1 \\li720\\fi-360 \\'95\\tab item\\par}", document));
    const QList<QTextOption::Tab> tabs = document.begin().blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_DOUBLE_EQ(tabs.front().position, 24.0); // from the start of the first line
    EXPECT_DOUBLE_EQ(document.begin().blockFormat().leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(document.begin().blockFormat().textIndent(), -24.0);
}

} // namespace
} // namespace ohmora::rtf
