#pragma once
// Picture loading for both programs: BMP, JPEG, GIF, PNG through QImage, plus PCX
// through a small reader of our own.

#include <QImage>
#include <QString>

namespace tav {

// The picture in the file, or a null image when it cannot be read.
QImage loadImage(const QString &path);
// Decodes a PCX file's bytes (8-bit with palette, 24-bit, 1-bit mono, 16 colours);
// null image on bad or truncated data.
QImage decodePcx(const QByteArray &data);
// Saves a JPEG copy of the picture (transparent parts on white); false on failure, and
// then an older file of that name is left whole.
bool saveAsJpeg(const QImage &image, const QString &path, int quality = 90);

} // namespace tav
