#include "ImageLoading.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <cstring>

namespace tav
{

namespace
{

// The 128-byte PCX header, the fields the reader uses.
struct PcxHeader {
    int version = 0;
    int encoding = 0;
    int bitsPerPixel = 0;
    int width = 0;
    int height = 0;
    int planes = 0;
    int bytesPerLine = 0;
};

constexpr int kHeaderSize = 128;
constexpr int kPaletteSize = 769; // marker 0x0C and 256 RGB triples at the end of the file
constexpr int kMaxSide = 16384;

int word(const QByteArray &d, int at)
{
    return quint8(d[at]) | (quint8(d[at + 1]) << 8);
}

bool readHeader(const QByteArray &data, PcxHeader &h)
{
    if (data.size() < kHeaderSize || quint8(data[0]) != 0x0A)
        return false;
    h.version = quint8(data[1]);
    h.encoding = quint8(data[2]);
    h.bitsPerPixel = quint8(data[3]);
    const int xmin = word(data, 4), ymin = word(data, 6);
    const int xmax = word(data, 8), ymax = word(data, 10);
    h.planes = quint8(data[65]);
    h.bytesPerLine = word(data, 66);
    h.width = xmax - xmin + 1;
    h.height = ymax - ymin + 1;
    if (h.encoding > 1 || h.width <= 0 || h.height <= 0 || h.width > kMaxSide ||
        h.height > kMaxSide)
        return false;
    // Each plane's line must hold the whole width.
    return qint64(h.bytesPerLine) * 8 >= qint64(h.width) * h.bitsPerPixel && h.bytesPerLine > 0;
}

// Expands the pixel stream data[begin, end) into exactly `size` bytes; false when the
// stream ends first. Runs may cross line ends, as some writers produce them.
bool expand(const QByteArray &data, int begin, int end, bool rle, QByteArray &out, qint64 size)
{
    // A run yields at most 63 bytes from 2 input bytes: refuse absurd sizes before
    // allocating anything.
    if (size > qint64(end - begin) * 32 + 64)
        return false;
    out.resize(size);
    char *dst = out.data();
    qint64 filled = 0;
    int at = begin;
    while (filled < size) {
        if (at >= end)
            return false;
        const quint8 byte = quint8(data[at++]);
        if (rle && (byte & 0xC0) == 0xC0) {
            if (at >= end)
                return false;
            const char value = data[at++];
            const qint64 count = qMin<qint64>(byte & 0x3F, size - filled);
            std::memset(dst + filled, value, size_t(count));
            filled += count;
        } else {
            dst[filled++] = char(byte);
        }
    }
    return true;
}

QImage indexedImage(const PcxHeader &h, const QVector<QRgb> &colours)
{
    QImage image(h.width, h.height, QImage::Format_Indexed8);
    if (!image.isNull())
        image.setColorTable(colours);
    return image;
}

// 8 bits, one plane, palette at the end of the file.
QImage decode8Bit(const QByteArray &data, const PcxHeader &h)
{
    const int paletteAt = data.size() - kPaletteSize;
    if (paletteAt < kHeaderSize || quint8(data[paletteAt]) != 0x0C)
        return {};
    QByteArray pixels;
    if (!expand(data, kHeaderSize, paletteAt, h.encoding == 1, pixels,
                qint64(h.height) * h.bytesPerLine))
        return {};
    QVector<QRgb> colours(256);
    for (int i = 0; i < 256; ++i) {
        const int p = paletteAt + 1 + 3 * i;
        colours[i] = qRgb(quint8(data[p]), quint8(data[p + 1]), quint8(data[p + 2]));
    }
    QImage image = indexedImage(h, colours);
    if (image.isNull())
        return {};
    for (int y = 0; y < h.height; ++y)
        std::memcpy(image.scanLine(y), pixels.constData() + qint64(y) * h.bytesPerLine,
                    size_t(h.width));
    return image;
}

// 8 bits, three planes: each line holds the red, green and blue rows in turn.
QImage decode24Bit(const QByteArray &data, const PcxHeader &h)
{
    const qint64 lineBytes = qint64(h.bytesPerLine) * 3;
    QByteArray pixels;
    if (!expand(data, kHeaderSize, data.size(), h.encoding == 1, pixels, lineBytes * h.height))
        return {};
    QImage image(h.width, h.height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < h.height; ++y) {
        const auto *line = reinterpret_cast<const quint8 *>(pixels.constData() + y * lineBytes);
        auto *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < h.width; ++x)
            dst[x] = qRgb(line[x], line[x + h.bytesPerLine], line[x + 2 * h.bytesPerLine]);
    }
    return image;
}

// 1 bit in one plane (black and white) or four planes (16 colours from the header).
QImage decodePlanar1Bit(const QByteArray &data, const PcxHeader &h)
{
    QVector<QRgb> colours;
    if (h.planes == 1) {
        colours = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    } else {
        for (int i = 0; i < 16; ++i) {
            const int p = 16 + 3 * i;
            colours << qRgb(quint8(data[p]), quint8(data[p + 1]), quint8(data[p + 2]));
        }
    }
    const qint64 lineBytes = qint64(h.bytesPerLine) * h.planes;
    QByteArray pixels;
    if (!expand(data, kHeaderSize, data.size(), h.encoding == 1, pixels, lineBytes * h.height))
        return {};
    QImage image = indexedImage(h, colours);
    if (image.isNull())
        return {};
    for (int y = 0; y < h.height; ++y) {
        const auto *line = reinterpret_cast<const quint8 *>(pixels.constData() + y * lineBytes);
        uchar *dst = image.scanLine(y);
        for (int x = 0; x < h.width; ++x) {
            int index = 0;
            for (int plane = 0; plane < h.planes; ++plane) {
                const quint8 byte = line[plane * h.bytesPerLine + x / 8];
                index |= ((byte >> (7 - x % 8)) & 1) << plane;
            }
            dst[x] = uchar(index);
        }
    }
    return image;
}

bool looksLikePcx(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("pcx"), Qt::CaseInsensitive) == 0;
}

QImage loadPcxFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodePcx(file.readAll());
}

} // namespace

QImage decodePcx(const QByteArray &data)
{
    PcxHeader h;
    if (!readHeader(data, h))
        return {};
    if (h.bitsPerPixel == 8 && h.planes == 1)
        return decode8Bit(data, h);
    if (h.bitsPerPixel == 8 && h.planes == 3)
        return decode24Bit(data, h);
    if (h.bitsPerPixel == 1 && (h.planes == 1 || h.planes == 4))
        return decodePlanar1Bit(data, h);
    return {};
}

QImage loadImage(const QString &path)
{
    if (looksLikePcx(path))
        return loadPcxFile(path);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true); // a ".jpg" that is really a GIF still loads
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        image = loadPcxFile(path); // a PCX under another name
    return image;
}

bool saveAsJpeg(const QImage &image, const QString &path, int quality)
{
    if (image.isNull())
        return false;
    QImage flat = image;
    // JPEG has no transparency: put transparent parts on white, not on black.
    if (image.hasAlphaChannel()) {
        flat = QImage(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    // Written beside the target and renamed, so a failed write leaves an old copy whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(flat)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace tav
