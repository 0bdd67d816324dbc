#include "richtext/PictureObjects.h"

#include "richtext/DocumentResources.h"
#include "richtext/PictureHandler.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>

#include <memory>

namespace ohmora::rtf {

namespace {

const QColor kPlaceholderFill(224, 224, 224);
const QColor kPlaceholderLine(128, 128, 128);
constexpr qreal kStandardDpi = 96.0;

} // namespace

QSizeF PictureHandler::intrinsicSize(QTextDocument* document, int, const QTextFormat& format) {
    QSizeF size(format.doubleProperty(QTextFormat::ImageWidth),
                format.doubleProperty(QTextFormat::ImageHeight));
    // On a printer or in a PDF, the text's pixels are those of the screen,
    // as Qt scales its own pictures.
    if (const QPaintDevice* device = document->documentLayout()->paintDevice()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal screenDpi = screen ? screen->logicalDotsPerInchY() : kStandardDpi;
        size *= device->logicalDpiY() / screenDpi;
    }
    return size;
}

void PictureHandler::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                                const QTextFormat& format) {
    const QString svg = format.stringProperty(kSvgProperty);
    if (QSvgRenderer* renderer = this->renderer(*document, svg)) {
        renderer->render(painter, rect);
        return;
    }
    drawPlaceholder(painter, rect, format.stringProperty(kPlaceholderProperty));
}

QSvgRenderer* PictureHandler::renderer(QTextDocument& document, const QString& name) {
    if (name.isEmpty()) {
        return nullptr;
    }
    auto found = renderers_.find(name);
    if (found == renderers_.end()) {
        const QByteArray svg =
            document.resource(QTextDocument::UserResource, QUrl(name)).toByteArray();
        auto renderer = std::make_shared<QSvgRenderer>(svg);
        found = renderers_.insert(name, renderer->isValid() ? renderer : nullptr);
    }
    return found->get();
}

void PictureHandler::drawPlaceholder(QPainter* painter, const QRectF& rect, const QString& text) {
    painter->save();
    painter->setPen(QPen(kPlaceholderLine, 0));
    painter->setBrush(kPlaceholderFill);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    QFont font = painter->font();
    font.setPixelSize(std::max(6, static_cast<int>(std::min(rect.height() / 4, 12.0))));
    painter->setFont(font);
    painter->setPen(Qt::black);
    painter->drawText(rect.adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap, text);
    painter->restore();
}

void installPictureHandler(QTextDocument& document) {
    auto* handler = document.findChild<PictureHandler*>(QString(), Qt::FindDirectChildrenOnly);
    if (handler) {
        handler->forget();
    } else {
        handler = new PictureHandler(&document);
    }
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    if (layout->handlerForObject(kDrawnPictureObject) != handler) {
        layout->registerHandler(kDrawnPictureObject, handler);
    }
}

} // namespace ohmora::rtf
