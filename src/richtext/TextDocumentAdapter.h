#pragma once
// Between the document model and QTextDocument, in both directions. Sizes
// and indents go from twips to the document's pixels at kTwipsPerPixel;
// pictures become image resources of the document, named "rtfimage:N", whose
// bytes are decoded only when the picture is shown.

#include "richtext/RtfModel.h"

class QTextDocument;

namespace ohmora::rtf {

// Replaces the content of `document` with `model`.
void buildTextDocument(const Document& model, QTextDocument& document);

// The content of `document`; what the document leaves unset (font family and
// size) is taken from its default font, and pictures are stored as PNG.
Document extractTextDocument(const QTextDocument& document);

} // namespace ohmora::rtf
