#pragma once
// What a QTextDocument built from the model keeps of it, so that writing
// the document gives back what was read: each picture's original bytes,
// format, goal size and scaling (a resource of the document, with the
// picture's own name), each equation's or object's RTF, the footnotes'
// marks and the frame that holds their text. Resources are copied with the
// document (printing clones it) and stay with it whatever the text area
// does; formats carry only names and numbers.

#include "richtext/RtfModel.h"

#include <QByteArray>
#include <QString>
#include <QTextFormat>

#include <optional>

namespace ohmora::rtf {

// Pictures the document draws itself: metafiles from their SVG, and the
// placeholders of pictures that cannot be shown.
constexpr int kDrawnPictureObject = QTextFormat::UserObject + 1;

enum : int {
    // The column widths of a table as the file gave them, in twips.
    kColumnTwipsProperty = QTextFormat::UserProperty + 1,
    // On a picture: the name of its twin for older readers.
    kFallbackPictureProperty,
    // On a picture or a text: the name of the equation or object it shows.
    kObjectProperty,
    // On a footnote's mark: the footnote's number, from 1.
    kFootnoteProperty,
    // On a footnote's mark the document adds, which the file did not hold.
    kAddedMarkProperty,
    // On the frame of the footnotes.
    kNotesFrameProperty,
    // On the line above the footnotes.
    kNotesRuleProperty,
    // On a paragraph of exact line spacing shown at least that high, so that
    // a taller picture has room: the exact spacing, in twips.
    kExactLineProperty,
    // On a drawn picture: its SVG's resource, or the text of its placeholder.
    kSvgProperty,
    kPlaceholderProperty,
    // On text in small capitals, which the document shows as capitals, the
    // small ones in a smaller size (Qt prints its own small capitals too
    // small): the text's size in half points.
    kSmallCapitalsProperty,
    // On an equation's picture, whose font is sized to lower it: the size
    // of its text, in half points.
    kTextSizeProperty,
};

// Resources are found by name whatever their type, so each has a name of
// its own: a picture's image ("rtfimage:N", the name its format carries),
// its original ("rtfpicture:N"), its SVG ("rtfsvg:N"), an object's RTF
// ("rtfobject:N").
QString pictureName(int index);
QString originalName(int index);
QString svgName(int index);
QString objectName(int index);
// The original of the picture of that name (for a name of this document).
QString originalOf(const QString& pictureName);

QByteArray encodeImage(const Image& image);
std::optional<Image> decodeImage(const QByteArray& bytes);
QByteArray encodeObject(const EmbeddedObject& object);
std::optional<EmbeddedObject> decodeObject(const QByteArray& bytes);

} // namespace ohmora::rtf
