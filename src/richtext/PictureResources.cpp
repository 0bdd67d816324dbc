#include "richtext/PictureResources.h"

#include "richtext/DocumentResources.h"
#include "richtext/MetafileConverter.h"
#include "richtext/QtFormats.h"

#include <QBuffer>
#include <QImageReader>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>

namespace ohmora::rtf {

namespace {

// The size of a picture whose file gives none, in pixels.
constexpr double kPlaceholderWidth = 64;
constexpr double kPlaceholderHeight = 48;

constexpr double kUsualBaseline = 0.75;

// The number of an attribute of an SVG element, or a negative number.
double attribute(std::string_view element, std::string_view name) {
    const std::string key = " " + std::string(name) + "=\"";
    const std::size_t at = element.find(key);
    if (at == std::string_view::npos) {
        return -1;
    }
    const std::size_t start = at + key.size();
    const std::size_t end = element.find('"', start);
    bool ok = false;
    const double value =
        QByteArray(element.data() + start, static_cast<qsizetype>(end - start)).toDouble(&ok);
    return ok ? value : -1;
}

// The top and height of an SVG picture's view, from its viewBox or its size.
std::pair<double, double> verticalView(std::string_view svg) {
    const std::size_t root = svg.find("<svg");
    const std::string_view head = svg.substr(root, svg.find('>', root) - root);
    const std::size_t box = head.find("viewBox=\"");
    if (box != std::string_view::npos) {
        const QList<QByteArray> numbers =
            QByteArray(head.data() + box + 9,
                       static_cast<qsizetype>(head.find('"', box + 9) - box - 9))
                .simplified()
                .split(' ');
        if (numbers.size() == 4) {
            return {numbers[1].toDouble(), numbers[3].toDouble()};
        }
    }
    return {0.0, attribute(head, "height")};
}

// The baseline of the most text among the largest texts of an SVG picture.
double svgBaseline(std::string_view svg) {
    if (svg.find("<svg") == std::string_view::npos) {
        return kUsualBaseline;
    }
    const auto [top, height] = verticalView(svg);
    std::map<long, std::pair<double, std::size_t>> lines; // by rounded size and baseline
    double largest = 0;
    for (std::size_t at = svg.find("<text"); at != std::string_view::npos;
         at = svg.find("<text", at + 1)) {
        const std::size_t close = svg.find("</text>", at);
        const std::size_t tagEnd = svg.find('>', at);
        if (close == std::string_view::npos || tagEnd > close) {
            break;
        }
        const std::string_view element = svg.substr(at, tagEnd - at);
        const double size = attribute(element, "font-size");
        const double y = attribute(element, "y");
        if (size <= 0 || y < top) {
            continue;
        }
        largest = std::max(largest, size);
        auto& line = lines[std::lround(size * 8) << 32 | std::lround(y)];
        line = {y, line.second + (close - tagEnd)};
    }
    std::pair<double, std::size_t> best{0, 0};
    for (const auto& [key, line] : lines) {
        if ((key >> 32) >= std::lround(largest * 8) - 1 && line.second > best.second) {
            best = line;
        }
    }
    return best.second > 0 && height > 0 ? std::clamp((best.first - top) / height, 0.0, 1.0)
                                         : kUsualBaseline;
}

bool isMetafile(ImageKind kind) {
    return kind == ImageKind::Wmf || kind == ImageKind::Emf;
}

QString placeholderText(ImageKind kind) {
    switch (kind) {
    case ImageKind::Wmf:
        return QStringLiteral("Image WMF impossible à afficher");
    case ImageKind::Emf:
        return QStringLiteral("Image EMF impossible à afficher");
    default:
        return QStringLiteral("Image impossible à afficher");
    }
}

bool isBitmap(ImageKind kind) {
    return kind == ImageKind::Png || kind == ImageKind::Jpeg;
}

bool readable(const Image& image, QByteArray& bytes) {
    if (image.kind != ImageKind::Png && image.kind != ImageKind::Jpeg) {
        return false;
    }
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    return reader.canRead() && reader.size().isValid();
}

} // namespace

PictureResources::PictureResources(const Document& model, QTextDocument& document)
    : model_(model), document_(document), svgs_(model.images.size()),
      kept_(model.images.size(), false), shown_(model.images.size(), false),
      objectsKept_(model.objects.size(), false) {
    convertMetafiles();
}

// The picture that shows picture `index`: its metafile twin when it is a
// bitmap that has one, else itself.
int PictureResources::drawnFrom(int index, int fallback) const {
    const auto valid = [this](int i) {
        return i >= 0 && static_cast<std::size_t>(i) < model_.images.size();
    };
    if (valid(fallback) && isBitmap(model_.images[static_cast<std::size_t>(index)].kind) &&
        isMetafile(model_.images[static_cast<std::size_t>(fallback)].kind)) {
        return fallback;
    }
    return index;
}

void PictureResources::convertMetafiles() {
    // The metafiles the document shows, whatever their place.
    std::vector<bool> drawn(model_.images.size(), false);
    const auto note = [&drawn, this](const Paragraph& p) {
        for (const Span& span : p.spans) {
            if (span.image >= 0 && static_cast<std::size_t>(span.image) < drawn.size()) {
                drawn[static_cast<std::size_t>(drawnFrom(span.image, span.fallbackImage))] = true;
            }
        }
    };
    forEachParagraph(model_.blocks, note);
    for (const Footnote& footnote : model_.footnotes) {
        forEachParagraph(footnote.blocks, note);
    }
    std::vector<MetafileJob> jobs;
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < model_.images.size(); ++i) {
        if (drawn[i] && isMetafile(model_.images[i].kind)) {
            jobs.push_back({model_.images[i].kind, &model_.images[i].data});
            indices.push_back(i);
        }
    }
    const std::vector<QByteArray> svgs = ohmora::rtf::convertMetafiles(jobs);
    for (std::size_t k = 0; k < indices.size() && k < svgs.size(); ++k) {
        svgs_[indices[k]] = svgs[k];
    }
}

QString PictureResources::keep(int index) {
    const auto at = static_cast<std::size_t>(index);
    QString name = originalName(index);
    if (!kept_[at]) {
        kept_[at] = true;
        document_.addResource(QTextDocument::UserResource, QUrl(name),
                              encodeImage(model_.images[at]));
    }
    return name;
}

QString PictureResources::keepObject(int index) {
    const auto at = static_cast<std::size_t>(index);
    QString name = objectName(index);
    if (!objectsKept_[at]) {
        objectsKept_[at] = true;
        document_.addResource(QTextDocument::UserResource, QUrl(name),
                              encodeObject(model_.objects[at]));
    }
    return name;
}

void PictureResources::show(int index, int drawn) {
    keep(index);
    const auto at = static_cast<std::size_t>(drawn);
    if (shown_[at]) {
        return;
    }
    shown_[at] = true;
    const Image& image = model_.images[at];
    QByteArray bytes = QByteArray::fromStdString(image.data);
    if (drawn == index && readable(image, bytes)) {
        document_.addResource(QTextDocument::ImageResource, QUrl(pictureName(index)), bytes);
    } else if (!svgs_[at].isEmpty()) {
        document_.addResource(QTextDocument::UserResource, QUrl(svgName(drawn)), svgs_[at]);
    }
}

QTextImageFormat PictureResources::format(int index, int fallback, const QTextCharFormat& base) {
    int drawn = drawnFrom(index, fallback);
    if (drawn != index && svgs_[static_cast<std::size_t>(drawn)].isEmpty()) {
        drawn = index; // the twin cannot be drawn: the bitmap is shown
    }
    show(index, drawn);
    const Image& image = model_.images[static_cast<std::size_t>(index)];
    QTextImageFormat q;
    q.merge(base);
    q.setName(pictureName(index));
    const bool native = document_.resource(QTextDocument::ImageResource, QUrl(q.name())).isValid();
    if (!native) {
        drewAny_ = true;
        q.setObjectType(kDrawnPictureObject);
        if (!svgs_[static_cast<std::size_t>(drawn)].isEmpty()) {
            q.setProperty(kSvgProperty, svgName(drawn));
        } else {
            q.setProperty(kPlaceholderProperty, placeholderText(image.kind));
        }
    }
    if (image.widthTwips > 0 && image.heightTwips > 0) {
        q.setWidth(toPixels(image.widthTwips));
        q.setHeight(toPixels(image.heightTwips));
    } else if (!native) {
        q.setWidth(kPlaceholderWidth);
        q.setHeight(kPlaceholderHeight);
    }
    return q;
}

double PictureResources::baselineOf(int index, int fallback) const {
    const QByteArray& svg = svgs_[static_cast<std::size_t>(drawnFrom(index, fallback))];
    return svgBaseline(std::string_view(svg.constData(), static_cast<std::size_t>(svg.size())));
}

double PictureResources::heightOf(int index) const {
    const Image& image = model_.images[static_cast<std::size_t>(index)];
    return image.heightTwips > 0 ? toPixels(image.heightTwips) : 0.0;
}

} // namespace ohmora::rtf
