#pragma once
// Pictures as a record stores them: the encoded bytes of a file Qt can read are kept as they
// are (a large JPEG is never decoded and encoded again), a PCX file or a picture from the
// clipboard is stored as PNG. Decoding for a small box asks the decoder for a small picture,
// which for JPEG is much faster than decoding the whole picture and scaling it down.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace tav
{

struct PictureFile {
    QByteArray bytes; // what the record stores
    QImage image;     // the whole picture; null when the file holds no picture we can read
    bool isNull() const { return image.isNull(); }
};

// Reads a picture file (BMP, JPEG, GIF, PNG, ... by content, PCX by our own reader).
PictureFile readPictureFile(const QString &path);

// The name of the JPEG copy written beside `chosen` when a picture is loaded: the file name
// without its last suffix plus ".jpg" ("photo.bmp" -> "photo.jpg", "a.jpeg" -> "a.jpg",
// "photo" -> "photo.jpg"). Empty when no copy is to be written: `chosen` is a ".jpg" itself or
// a file of that name exists already (it is never overwritten).
QString jpegCopyName(const QString &chosen);

// PNG encoding of a picture (empty for a null image).
QByteArray pngBytes(const QImage &image);

// Decodes stored picture bytes. With a valid `fitInto` the result fits that size keeping its
// proportions (never enlarged). Null image when the bytes hold no picture we can read.
QImage decodePicture(const QByteArray &bytes, const QSize &fitInto = QSize());

// A file dialog filter from "Description|patterns|Description|patterns" pairs: each entry's
// description with the patterns in its parentheses separated by blanks, the patterns
// separated by blanks and "*.*" as "*" (so files without a suffix are listed too), joined by
// ";;". "All files (*.*)|*.*" gives "All files (*)".
QString dialogFilter(const QString &pairs);

} // namespace tav
