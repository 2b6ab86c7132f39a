#pragma once
// Picture loading for both programs: BMP, JPEG, GIF, PNG through QImage, plus PCX
// through a small reader of our own.

#include <QImage>
#include <QString>

namespace tav {

// The picture in the file, or a null image when it cannot be read.
QImage loadImage(const QString &path);
// Decodes a PCX file's bytes (8-bit palette and 24-bit); null image on bad data.
QImage decodePcx(const QByteArray &data);
// Saves a JPEG copy of the picture; false on failure.
bool saveAsJpeg(const QImage &image, const QString &path, int quality = 90);

} // namespace tav
