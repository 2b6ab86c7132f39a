#include "PictureFiles.h"

#include "ImageLoading.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringList>

namespace tav
{

namespace
{

constexpr int kBoxQuality = 49; // below 50 the JPEG reader takes its fast paths

// What the reader makes of the bytes; `fitInto` applied before decoding.
QImage readBytes(const QByteArray &bytes, const QSize &fitInto)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The usual formats by their signature; probing every image plugin costs more than a
    // small picture's decoding.
    if (bytes.startsWith("\xFF\xD8\xFF"))
        reader.setFormat("jpeg");
    else if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        reader.setFormat("png");
    else
        reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (fitInto.isValid()) {
        QSize size = reader.size();
        QSize box = fitInto;
        // The scaled size is applied before a turn the file asks for.
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            box.transpose();
        if (size.isValid() && (size.width() > box.width() || size.height() > box.height())) {
            reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
            // For a small box the decoder's fast integer transform looks the same.
            reader.setQuality(kBoxQuality);
        }
    }
    return reader.read();
}

QImage fitted(const QImage &image, const QSize &fitInto)
{
    if (image.isNull() || !fitInto.isValid() ||
        (image.width() <= fitInto.width() && image.height() <= fitInto.height()))
        return image;
    return image.scaled(fitInto, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

PictureFile readPictureFile(const QString &path)
{
    PictureFile picture;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return picture;
    const QByteArray bytes = file.readAll();
    picture.image = readBytes(bytes, QSize());
    if (!picture.image.isNull()) {
        picture.bytes = bytes;
        return picture;
    }
    picture.image = decodePcx(bytes);
    if (!picture.image.isNull())
        picture.bytes = pngBytes(picture.image);
    return picture;
}

QString jpegCopyName(const QString &chosen)
{
    const QFileInfo info(chosen);
    if (info.suffix().compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0)
        return {};
    QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) // ".profile" has no suffix to replace
        name.truncate(dot);
    const QString copy = info.dir().filePath(name + QStringLiteral(".jpg"));
    return QFileInfo::exists(copy) ? QString() : copy;
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage decodePicture(const QByteArray &bytes, const QSize &fitInto)
{
    if (bytes.isEmpty())
        return {};
    QImage image = readBytes(bytes, fitInto);
    if (image.isNull())
        image = decodePcx(bytes); // pictures stored as PCX bytes by older versions
    return fitted(image, fitInto);
}

QString dialogFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (QString pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
            if (!pattern.isEmpty())
                patterns << pattern;
        }
        QString description = parts.at(i).trimmed();
        const int open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0)
            description.truncate(open);
        entries << description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace tav
