#pragma once
// The pictures of the model as a QTextDocument shows them: PNG and JPEG as
// the document's own images, WMF and EMF drawn from the SVG the helper
// makes of them (all the document's metafiles in one run), the others as
// placeholders that say so. A bitmap whose twin for older readers is a
// metafile (as word processors store equations) is shown through the
// metafile, which stays sharp at any size. Every picture keeps its original
// as a resource of the document, to be written back as it was read.

#include "richtext/RtfModel.h"

#include <QString>
#include <QTextImageFormat>

#include <vector>

class QTextDocument;

namespace ohmora::rtf {

class PictureResources {
public:
    PictureResources(const Document& model, QTextDocument& document);

    // The format of picture `index` (with its twin `fallback`, or -1), with
    // the character format it stands in.
    QTextImageFormat format(int index, int fallback, const QTextCharFormat& base);
    // Keeps a picture that is not shown (a twin for older readers); its name.
    QString keep(int index);
    // Keeps an equation or an object; its name.
    QString keepObject(int index);
    // The height of the picture in the document's pixels (0 when unknown).
    double heightOf(int index) const;
    // Where the picture's baseline stands, as a part of its height from its
    // top: that of the largest text of a drawn metafile (an equation's main
    // line), else the usual three quarters.
    double baselineOf(int index, int fallback) const;
    // True when a picture the document draws itself was given.
    bool drewAny() const { return drewAny_; }

private:
    void convertMetafiles();
    int drawnFrom(int index, int fallback) const;
    void show(int index, int drawn);

    const Document& model_;
    QTextDocument& document_;
    std::vector<QByteArray> svgs_;
    std::vector<bool> kept_;
    std::vector<bool> shown_;
    std::vector<bool> objectsKept_;
    bool drewAny_ = false;
};

} // namespace ohmora::rtf
