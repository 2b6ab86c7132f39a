// Pictures as records store them: the file's own bytes when Qt reads them, PNG for PCX,
// refusal of what holds no picture, the JPEG copy's name, decoding for a small box on the
// picture box's worker, and the dialog filters.

#include "PcxBuilder.h"
#include "PictureDecoder.h"
#include "PictureFiles.h"

#include <QSignalSpy>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tav;
using namespace tav::test;

namespace
{
QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 90));
    return image;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class TestPictureFiles : public QObject
{
    Q_OBJECT

private slots:
    void readKeepsTheFilesBytesOrStoresPng_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("keepsBytes");
        const QImage picture = gradient(40, 30);
        QTest::newRow("jpeg") << encoded(picture, "JPEG") << "photo.jpg" << true;
        QTest::newRow("bmp") << encoded(picture, "BMP") << "photo.bmp" << true;
        QTest::newRow("png named jpg") << encoded(picture, "PNG") << "really-png.jpg" << true;
        // An 8-bit PCX of 4 x 2 pixels, two colours.
        PcxLayout layout{4, 2, 8, 1, 4, 1};
        const QByteArray pcx = pcxHeader(layout) +
                               pcxRle(QByteArray("\x00\x01\x00\x01\x01\x01\x00\x00", 8)) +
                               pcxPalette({{0, qRgb(255, 0, 0)}, {1, qRgb(0, 0, 255)}});
        QTest::newRow("pcx") << pcx << "old.pcx" << false;
    }

    void readKeepsTheFilesBytesOrStoresPng()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(bool, keepsBytes);
        QTemporaryDir dir;
        write(dir.filePath(name), bytes);
        const PictureFile picture = readPictureFile(dir.filePath(name));
        QVERIFY(!picture.isNull());
        if (keepsBytes) {
            QCOMPARE(picture.bytes, bytes);
        } else {
            QVERIFY(picture.bytes.startsWith("\x89PNG"));
            const QImage stored = decodePicture(picture.bytes);
            QCOMPARE(stored.size(), QSize(4, 2));
            QCOMPARE(stored.pixel(0, 0), qRgb(255, 0, 0));
            QCOMPARE(stored.pixel(1, 0), qRgb(0, 0, 255));
        }
    }

    void whatHoldsNoPictureIsRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("garbage") << QByteArray("this is no picture at all");
        QTest::newRow("jpeg header only") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
        PcxLayout layout{4, 2, 4, 2, 4, 1}; // 4 bits in 2 planes: not a layout we read
        QTest::newRow("unsupported pcx") << pcxHeader(layout) + QByteArray(64, '\x01');
        QTest::newRow("empty") << QByteArray();
    }

    void whatHoldsNoPictureIsRefused()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        write(dir.filePath(QStringLiteral("bad.pcx")), bytes);
        const PictureFile picture = readPictureFile(dir.filePath(QStringLiteral("bad.pcx")));
        QVERIFY(picture.isNull());
        QVERIFY(picture.bytes.isEmpty());
        QVERIFY(readPictureFile(dir.filePath(QStringLiteral("missing.bmp"))).isNull());
    }

    void jpegCopyNameNeverOverwrites_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("copy");
        QTest::newRow("bmp") << "photo.bmp" << QStringList() << "photo.jpg";
        QTest::newRow("jpeg suffix") << "a.jpeg" << QStringList() << "a.jpg";
        QTest::newRow("no suffix") << "photo" << QStringList() << "photo.jpg";
        QTest::newRow("two dots") << "my.holiday.gif" << QStringList() << "my.holiday.jpg";
        QTest::newRow("jpg itself") << "x.jpg" << QStringList() << "";
        QTest::newRow("upper-case jpg") << "X.JPG" << QStringList() << "";
        QTest::newRow("another x.jpg exists") << "x.pcx" << QStringList{"x.jpg"} << "";
    }

    void jpegCopyNameNeverOverwrites()
    {
        QFETCH(QString, chosen);
        QFETCH(QStringList, existing);
        QFETCH(QString, copy);
        QTemporaryDir dir;
        for (const QString &name : existing)
            write(dir.filePath(name), "user's own file");
        const QString expected = copy.isEmpty() ? QString() : dir.filePath(copy);
        QCOMPARE(jpegCopyName(dir.filePath(chosen)), expected);
    }

    void decodingForABoxKeepsProportions()
    {
        const QByteArray jpeg = encoded(gradient(1024, 768), "JPEG");
        QCOMPARE(decodePicture(jpeg, QSize(180, 180)).size(), QSize(180, 135));
        QCOMPARE(decodePicture(jpeg).size(), QSize(1024, 768));
        // Small pictures are never enlarged.
        QCOMPARE(decodePicture(encoded(gradient(40, 30), "PNG"), QSize(180, 180)).size(),
                 QSize(40, 30));
        QVERIFY(decodePicture("garbage", QSize(180, 180)).isNull());
    }

    // While one decoding runs, later requests replace each other (only the latest is
    // decoded), and reading ahead never pushes out a request.
    void decoderDecodesTheLatestRequest()
    {
        const QSize box(20, 20);
        const QByteArray first = encoded(gradient(40, 30), "PNG");
        const QByteArray skipped = encoded(gradient(30, 40), "PNG");
        const QByteArray latest = encoded(gradient(80, 20), "JPEG");
        const QByteArray ahead = encoded(gradient(10, 10), "PNG");
        PictureDecoder decoder;
        QSignalSpy ready(&decoder, &PictureDecoder::ready);
        decoder.request(first, box);
        QVERIFY(decoder.isBusy());
        decoder.request(skipped, box);
        decoder.request(latest, box);
        decoder.readAhead(ahead, box);
        QTRY_COMPARE(ready.size(), 2);
        QVERIFY(!decoder.isBusy());

        QImage picture;
        QVERIFY(decoder.cached(first, box, &picture));
        QCOMPARE(picture.size(), QSize(20, 15));
        QVERIFY(decoder.cached(latest, box, &picture));
        QCOMPARE(picture.size(), QSize(20, 5));
        QVERIFY(!decoder.cached(skipped, box, &picture));
        QVERIFY(!decoder.cached(ahead, box, &picture));
        QVERIFY(!decoder.cached(first, QSize(10, 10), &picture)); // another box size

        // Read ahead when nothing waits; bytes no decoder reads are known as such.
        decoder.readAhead(ahead, box);
        decoder.request("no picture at all", box);
        decoder.waitForIdle();
        QVERIFY(decoder.cached(ahead, box, &picture));
        QCOMPARE(picture.size(), QSize(10, 10)); // never enlarged
        QVERIFY(decoder.cached("no picture at all", box, &picture));
        QVERIFY(picture.isNull());
    }

    void dialogFilters()
    {
        QCOMPARE(dialogFilter(QStringLiteral(
                     "All Formats (*.bmp, *.jpg, *.gif, *.pcx)|*.bmp; *.jpg; *.gif; *.pcx|GIF "
                     "(*.gif)|*.gif|JPEG (*.jpg)|*.jpg|PCX (*.pcx)|*.pcx|BMP (*.bmp)|*.bmp|All "
                     "files (*.*)|*.*")),
                 QStringLiteral("All Formats (*.bmp *.jpg *.gif *.pcx);;GIF (*.gif);;JPEG "
                                "(*.jpg);;PCX (*.pcx);;BMP (*.bmp);;All files (*)"));
        QCOMPARE(dialogFilter(QStringLiteral("All files (*.*)|*.*")),
                 QStringLiteral("All files (*)"));
    }
};

QTEST_GUILESS_MAIN(TestPictureFiles)
#include "tst_picturefiles.moc"
