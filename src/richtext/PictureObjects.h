#pragma once
// The drawing of the pictures a text document cannot show by itself (objects
// of type kDrawnPictureObject): a metafile from its SVG, as vectors on the
// screen, in a PDF or on a printer, at its size in the text; a picture that
// cannot be shown as a framed grey box that says so in French. Printing
// gives the printed copy of a document the handlers of the document.

class QTextDocument;

namespace ohmora::rtf {

// Makes the document draw its drawn pictures; the drawings it kept of
// earlier contents are forgotten.
void installPictureHandler(QTextDocument& document);

} // namespace ohmora::rtf
