#pragma once
// The handler through which a text document draws its drawn pictures (see
// PictureObjects.h): each metafile from its SVG, with one renderer per SVG
// kept while the document shows the same contents.

#include <QHash>
#include <QObject>
#include <QString>
#include <QTextObjectInterface>

#include <memory>

class QSvgRenderer;

namespace ohmora::rtf {

class PictureHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    explicit PictureHandler(QObject* parent) : QObject(parent) {}

    // The contents changed: the renderers of the earlier ones are dropped.
    void forget() { renderers_.clear(); }

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    QSvgRenderer* renderer(QTextDocument& document, const QString& name);
    static void drawPlaceholder(QPainter* painter, const QRectF& rect, const QString& text);

    QHash<QString, std::shared_ptr<QSvgRenderer>> renderers_;
};

} // namespace ohmora::rtf
