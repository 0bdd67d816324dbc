#include "richtext/DocumentResources.h"

#include <QDataStream>
#include <QIODevice>

namespace ohmora::rtf {

namespace {

constexpr quint32 kImageTag = 0x4F48494D;  // "OHIM"
constexpr quint32 kObjectTag = 0x4F484F42; // "OHOB"

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string stringOf(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

QString pictureName(int index) {
    return QStringLiteral("rtfimage:%1").arg(index + 1);
}

QString originalName(int index) {
    return QStringLiteral("rtfpicture:%1").arg(index + 1);
}

QString originalOf(const QString& pictureName) {
    const QString prefix = QStringLiteral("rtfimage:");
    return pictureName.startsWith(prefix)
               ? QStringLiteral("rtfpicture:") + pictureName.mid(prefix.size())
               : QString();
}

QString svgName(int index) {
    return QStringLiteral("rtfsvg:%1").arg(index + 1);
}

QString objectName(int index) {
    return QStringLiteral("rtfobject:%1").arg(index + 1);
}

QByteArray encodeImage(const Image& image) {
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream << kImageTag << static_cast<quint8>(image.kind) << bytesOf(image.format)
           << bytesOf(image.data) << image.pixelWidth << image.pixelHeight << image.goalWidth
           << image.goalHeight << image.scaleX << image.scaleY << bytesOf(image.otherWords)
           << image.widthTwips << image.heightTwips;
    return out;
}

std::optional<Image> decodeImage(const QByteArray& bytes) {
    QDataStream stream(bytes);
    quint32 tag = 0;
    quint8 kind = 0;
    QByteArray format, data, otherWords;
    Image image;
    stream >> tag >> kind >> format >> data >> image.pixelWidth >> image.pixelHeight >>
        image.goalWidth >> image.goalHeight >> image.scaleX >> image.scaleY >> otherWords >>
        image.widthTwips >> image.heightTwips;
    if (stream.status() != QDataStream::Ok || tag != kImageTag ||
        kind > static_cast<quint8>(ImageKind::Other)) {
        return std::nullopt;
    }
    image.kind = static_cast<ImageKind>(kind);
    image.format = stringOf(format);
    image.data = stringOf(data);
    image.otherWords = stringOf(otherWords);
    return image;
}

QByteArray encodeObject(const EmbeddedObject& object) {
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream << kObjectTag << static_cast<quint8>(object.kind) << bytesOf(object.rtf)
           << static_cast<quint64>(object.pictureAt);
    return out;
}

std::optional<EmbeddedObject> decodeObject(const QByteArray& bytes) {
    QDataStream stream(bytes);
    quint32 tag = 0;
    quint8 kind = 0;
    QByteArray rtf;
    quint64 pictureAt = 0;
    stream >> tag >> kind >> rtf >> pictureAt;
    if (stream.status() != QDataStream::Ok || tag != kObjectTag ||
        kind > static_cast<quint8>(ObjectKind::Ole)) {
        return std::nullopt;
    }
    return EmbeddedObject{static_cast<ObjectKind>(kind), stringOf(rtf),
                          static_cast<std::size_t>(pictureAt)};
}

} // namespace ohmora::rtf
