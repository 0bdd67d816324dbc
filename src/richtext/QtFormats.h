#pragma once
// The formats of the document model and those of QTextDocument, in both
// directions: sizes and indents go from twips to the document's pixels at
// kTwipsPerPixel, colours from 0xRRGGBB to QColor.

#include "richtext/RtfModel.h"

#include <QColor>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextFormat>

#include <cstdint>
#include <string>
#include <vector>

namespace ohmora::rtf {

// A table with no widths of its own is as wide as a page's text.
constexpr int kDefaultTableTwips = 9000;

QString toQString(const std::u16string& text);
int toTwips(double pixels);
double toPixels(int twips);

QTextCharFormat qtCharFormat(const CharFormat& format, const std::vector<std::u16string>& fonts);
QTextBlockFormat qtBlockFormat(const ParagraphFormat& format);

// The model's format of a Qt format, without its font (left to the
// caller); `defaultPoints` is the size where the format sets none.
CharFormat modelCharFormat(const QTextCharFormat& format, double defaultPoints);
ParagraphFormat modelParagraphFormat(const QTextBlockFormat& format);

} // namespace ohmora::rtf
