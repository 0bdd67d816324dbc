// Pictures, equations, footnotes and the formats the text area draws itself,
// through a text document and back; the metafile helper's failures.

#include "RtfTestSupport.h"
#include "richtext/DocumentResources.h"
#include "richtext/MetafileConverter.h"
#include "richtext/RichText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/TextDocumentAdapter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

namespace ohmora::rtf {
namespace {

// The test program reads metafiles through the helper program of this
// build, wherever the test runs.
[[maybe_unused]] const bool kHelper = [] {
    return qputenv("OHMORA_METAFILE_HELPER", OHMORA_METAFILE_HELPER);
}();

QByteArray sample(const char* name) {
    QFile file(QStringLiteral(OHMORA_TEST_DATA_DIR "/rtf/") + QString::fromUtf8(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray encoded(const char* format) {
    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(QColor(40, 90, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The character format of the first picture of a document, and where it is.
QTextCharFormat firstPicture(const QTextDocument& document, int* position = nullptr) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat() || format.objectType() == kDrawnPictureObject) {
                if (position != nullptr) {
                    *position = it.fragment().position();
                }
                return format;
            }
        }
    }
    return {};
}

struct PictureCase {
    const char* name;
    const char* word; // the picture's format word
    QByteArray bytes;
    bool drawn; // drawn from its SVG rather than shown as an image
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c) {
    return out << c.name;
}

class TextAreaPicture : public ::testing::TestWithParam<PictureCase> {
protected:
    void SetUp() override {
        ASSERT_FALSE(GetParam().bytes.isEmpty());
        const QByteArray rtf = QByteArray("{\\rtf1 a{\\pict\\") + GetParam().word +
                               "\\picwgoal1440\\pichgoal960\\picscalex50\\picscaley50 " +
                               GetParam().bytes.toHex() + "}b}";
        ASSERT_TRUE(readRtf(rtf, document_));
    }
    // The one picture of the document written, as read back.
    Image written() {
        const Document back = readRtfDocument(writeRtf(document_).toStdString());
        EXPECT_EQ(back.images.size(), 1U);
        return back.images.empty() ? Image{} : back.images.front();
    }
    QTextDocument document_;
};

TEST_P(TextAreaPicture, IsShownAtItsGoalSizeAndScale) {
    const QTextCharFormat format = firstPicture(document_);
    EXPECT_EQ(format.doubleProperty(QTextFormat::ImageWidth), 48.0);
    EXPECT_EQ(format.doubleProperty(QTextFormat::ImageHeight), 32.0);
    EXPECT_EQ(format.objectType() == kDrawnPictureObject, GetParam().drawn);
    if (GetParam().drawn) {
        EXPECT_FALSE(format.hasProperty(kPlaceholderProperty));
        const QByteArray svg =
            document_
                .resource(QTextDocument::UserResource, QUrl(format.stringProperty(kSvgProperty)))
                .toByteArray();
        EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).toStdString();
    }
    EXPECT_EQ(plainText(document_), QStringLiteral("ab"));
}

TEST_P(TextAreaPicture, KeepsItsBytesFormatAndScale) {
    const Image image = written();
    EXPECT_EQ(image.data, GetParam().bytes.toStdString());
    EXPECT_EQ(std::string(defaultFormatWord(image.kind)) + image.format, GetParam().word);
    EXPECT_EQ(image.goalWidth, 1440);
    EXPECT_EQ(image.goalHeight, 960);
    EXPECT_EQ(image.scaleX, 50);
    EXPECT_EQ(image.scaleY, 50);
}

// A picture made larger in the text area keeps its bytes and takes its new
// size, its scale unchanged.
TEST_P(TextAreaPicture, ResizedKeepsItsBytes) {
    int position = 0;
    QTextCharFormat format = firstPicture(document_, &position);
    format.setProperty(QTextFormat::ImageWidth, 96.0);
    format.setProperty(QTextFormat::ImageHeight, 64.0);
    QTextCursor cursor(&document_);
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
    const Image image = written();
    EXPECT_EQ(image.data, GetParam().bytes.toStdString());
    EXPECT_EQ(image.goalWidth, 2880);
    EXPECT_EQ(image.goalHeight, 1920);
    EXPECT_EQ(image.scaleX, 50);
}

const PictureCase kPictureCases[] = {
    {"png", "pngblip", encoded("PNG"), false},
    {"jpeg", "jpegblip", encoded("JPEG"), false},
    {"wmf", "wmetafile8", sample("circuit-draw.wmf"), true},
    {"emf", "emfblip", sample("circuit-draw.emf"), true},
};

INSTANTIATE_TEST_SUITE_P(RichText, TextAreaPicture, ::testing::ValuesIn(kPictureCases),
                         [](const auto& row) { return std::string(row.param.name); });

struct KeptCase {
    const char* name;
    const char* body;
    std::function<bool(const QTextDocument&)> shown; // what the text area shows of it
    const char* written;                             // what its rewrite holds
};

std::ostream& operator<<(std::ostream& out, const KeptCase& c) {
    return out << c.name;
}

class TextAreaKeeps : public ::testing::TestWithParam<KeptCase> {};

// The formats the text area shows in its own way are written back as read.
TEST_P(TextAreaKeeps, ShowsItAndWritesItBack) {
    QTextDocument document;
    ASSERT_TRUE(readRtf(QByteArray("{\\rtf1\\ansi ") + GetParam().body + "}", document));
    EXPECT_TRUE(GetParam().shown(document));
    const QByteArray rewrite = writeRtf(document);
    EXPECT_TRUE(rewrite.contains(GetParam().written)) << rewrite.toStdString();
    QTextDocument back;
    ASSERT_TRUE(readRtf(rewrite, back));
    EXPECT_EQ(extractTextDocument(back), extractTextDocument(document));
}

const KeptCase kKeptCases[] = {
    {"small_capitals", "{\\scaps\\fs24 Ohm}",
     [](const QTextDocument& d) {
         const QTextCharFormat f = d.begin().begin().fragment().charFormat();
         return plainText(d) == QStringLiteral("Ohm") &&
                f.intProperty(kSmallCapitalsProperty) == 24;
     },
     "\\scaps"},
    {"exact_spacing_with_a_tall_picture",
     "\\sl-240\\slmult0 a{\\pict\\pngblip\\picwgoal720\\pichgoal960 89504e47}b\\par",
     [](const QTextDocument& d) {
         return d.begin().blockFormat().lineHeightType() == QTextBlockFormat::MinimumHeight;
     },
     "\\sl-240\\slmult0"},
    {"footnotes", "texte{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} note}.",
     [](const QTextDocument& d) { return plainText(d) == QStringLiteral("texte1.\n\n1 note"); },
     "{\\footnote"},
};

INSTANTIATE_TEST_SUITE_P(RichText, TextAreaKeeps, ::testing::ValuesIn(kKeptCases),
                         [](const auto& row) { return std::string(row.param.name); });

// What the text area keeps reads back as itself: an equation without a
// picture shows its text, control characters left out, and with no text
// either it shows nothing and is not kept; a note's picture, which the text
// area shows after the text, is numbered where the file has it.
TEST(RichText, WhatTheTextAreaKeepsReadsBackAsItself) {
    const struct {
        const char* name;
        const char* body;
        const char* shown;
    } rows[] = {{"control_character_in_its_text",
                 "a{\\mmath \x02"
                 "0}b",
                 "a0b"},
                {"nothing_to_show", "a{\\mmath \x04}b", "ab"},
                {"a_note_s_picture_before_the_text_s",
                 "{\\chftn\\footnote{\\pict{00}}}{\\pict{cb}}", "1\n\n1"}};
    for (const auto& row : rows) {
        QTextDocument document;
        ASSERT_TRUE(readRtf(QByteArray("{\\rtf1\\ansi ") + row.body + "}", document)) << row.name;
        EXPECT_EQ(plainText(document), QString::fromUtf8(row.shown)) << row.name;
        const Document kept = extractTextDocument(document);
        EXPECT_EQ(readRtfDocument(writeRtfDocument(kept)), kept) << row.name;
    }
}

// Helpers that fail: each picture they do not answer keeps no SVG, and the
// pictures after one that crashes it go to a new run.
struct HelperCase {
    const char* name;
    const char* script; // "" for no helper at all
    std::vector<bool> answered;
};

std::ostream& operator<<(std::ostream& out, const HelperCase& c) {
    return out << c.name;
}

class FailingHelper : public ::testing::TestWithParam<HelperCase> {};

TEST_P(FailingHelper, LeavesPicturesWithoutSvg) {
    QTemporaryDir dir;
    QString helper = dir.filePath(QStringLiteral("absent"));
    if (*GetParam().script != '\0') {
        helper = dir.filePath(QStringLiteral("helper"));
        QFile file(helper);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("#!/bin/sh\n") + GetParam().script + "\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    const std::string bytes = sample("circuit-draw.wmf").toStdString();
    const std::vector<MetafileJob> jobs(3, MetafileJob{ImageKind::Wmf, &bytes});
    const std::vector<QByteArray> svgs = convertMetafiles(jobs, {helper, 2000});
    std::vector<bool> answered;
    for (const QByteArray& svg : svgs) {
        answered.push_back(!svg.isEmpty());
    }
    EXPECT_EQ(answered, GetParam().answered);
}

const HelperCase kHelperCases[] = {
    {"missing", "", {false, false, false}},
    {"crashes", "kill -SEGV $$", {false, false, false}},
    {"hangs", "exec sleep 60", {false, false, false}},
    {"garbage", "cat >/dev/null; echo garbage", {false, false, false}},
    {"endless_frame", "cat >/dev/null; printf 'S\\377\\377\\377\\177<svg'", {false, false, false}},
    // Answers the first picture of each run, then crashes on the next.
    {"crashes_after_one",
     "cat >/dev/null; printf 'S\\006\\000\\000\\000<svg/>'; kill -SEGV $$",
     {true, false, true}},
};

INSTANTIATE_TEST_SUITE_P(RichText, FailingHelper, ::testing::ValuesIn(kHelperCases),
                         [](const auto& row) { return std::string(row.param.name); });

// Without its helper, the text area shows the metafile's placeholder, keeps
// the text, and writes the picture back as it was.
TEST(RichText, MetafileWithoutHelperKeepsItsPlaceAndBytes) {
    const QByteArray wmf = sample("circuit-draw.wmf");
    const QByteArray saved = qgetenv("OHMORA_METAFILE_HELPER");
    qputenv("OHMORA_METAFILE_HELPER", "/nonexistent/ohmora-metafile");
    QTextDocument document;
    const bool read = readRtf(
        "{\\rtf1 a{\\pict\\wmetafile8\\picwgoal720\\pichgoal480 " + wmf.toHex() + "}b}", document);
    qputenv("OHMORA_METAFILE_HELPER", saved);
    ASSERT_TRUE(read);
    EXPECT_EQ(firstPicture(document).stringProperty(kPlaceholderProperty),
              QStringLiteral("Image WMF impossible à afficher"));
    EXPECT_EQ(plainText(document), QStringLiteral("ab"));
    const Document back = readRtfDocument(writeRtf(document).toStdString());
    ASSERT_EQ(back.images.size(), 1U);
    EXPECT_EQ(back.images.front().data, wmf.toStdString());
}

} // namespace
} // namespace ohmora::rtf
