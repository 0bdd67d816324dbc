#pragma once
// Reading printed PDF documents back with poppler's tools: the page count
// (pdfinfo), the text (pdftotext, pages separated by form feeds) and the
// pages rendered as pictures (pdftoppm).

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace ohmora::test {

// Standard output of `program`, or an empty result and a test failure when
// it does not run to a clean end.
inline QByteArray runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted() || !process.waitForFinished(60000) ||
        process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed on " << arguments.join(' ').toStdString()
                      << ": " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

inline int pdfPageCount(const QString& file) {
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {file}));
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                                         QRegularExpression::MultilineOption)
                                          .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text of each page, in order.
inline QStringList pdfPageTexts(const QString& file) {
    QStringList pages = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {file, "-"}))
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast(); // after the last page's form feed
    }
    return pages;
}

// Each page rendered at `dpi`, in RGB32.
inline std::vector<QImage> pdfPageImages(const QString& file, int dpi) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"), {"-r", QString::number(dpi), "-png", file, prefix});
    QStringList names = QDir(dir.path()).entryList({"page-*.png"}, QDir::Files, QDir::Name);
    std::vector<QImage> pages;
    for (const QString& name : names) {
        pages.push_back(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32));
    }
    return pages;
}

} // namespace ohmora::test
