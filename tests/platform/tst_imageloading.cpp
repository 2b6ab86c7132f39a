// Picture loading (BMP, JPEG, GIF, PNG, PCX) and JPEG copies.

#include "ImageLoading.h"
#include "PcxBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tav;
using namespace tav::test;

Q_DECLARE_METATYPE(QImage)

namespace
{

// 3 x 2 pixels, 8 bits, lines padded to 4 bytes. The pad byte of line 0 starts a run that
// carries on into line 1, and index 0xC5 must be escaped in the stream.
const PcxLayout k8BitLayout{3, 2, 8, 1, 4, 1};
const QRgb kDarkBlue = qRgb(10, 20, 30);

QByteArray eightBitStream()
{
    return pcxRle(QByteArray("\x01\x01\x02\x03"
                             "\x03\x03\xC5\x00",
                             8));
}

QByteArray eightBitPalette()
{
    return pcxPalette(
        {{1, qRgb(255, 0, 0)}, {2, qRgb(0, 255, 0)}, {3, qRgb(0, 0, 255)}, {0xC5, kDarkBlue}});
}

QByteArray eightBitPcx()
{
    return pcxHeader(k8BitLayout) + eightBitStream() + eightBitPalette();
}

// 2 x 2 pixels, 24 bits: each line holds its red, green and blue rows.
QByteArray twentyFourBitPcx()
{
    const QByteArray raw("\xFF\x00"
                         "\x00\xFF"
                         "\x00\x00" // line 0: R, G, B
                         "\x00\x0A"
                         "\x00\x14"
                         "\xFF\x1E", // line 1
                         12);
    return pcxHeader({2, 2, 8, 3, 2, 1}) + pcxRle(raw);
}

bool sameColour(QRgb a, QRgb b, int tolerance = 0)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// A 2 x 2 GIF: red, green / blue, white.
const unsigned char kGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00,
                              0xf1, 0x03, 0x00, 0xff, 0x00, 0x00, 0x00, 0xff, 0x00, 0x00,
                              0x00, 0xff, 0xff, 0xff, 0xff, 0x21, 0xf9, 0x04, 0x00, 0x00,
                              0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00,
                              0x02, 0x00, 0x00, 0x02, 0x03, 0x44, 0x34, 0x05, 0x00, 0x3b};

QImage quadrants()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 255));
    return image;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestImageLoading : public QObject
{
    Q_OBJECT

private slots:
    void decodes8BitRleWithPalette()
    {
        const QImage image = decodePcx(eightBitPcx());
        QCOMPARE(image.size(), QSize(3, 2));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(1, 0), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(2, 0), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(0, 1), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(1, 1), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(2, 1), kDarkBlue);
    }

    void decodesOtherDepths_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QRgb>>("pixels"); // row by row

        QTest::newRow("24-bit, three planes")
            << twentyFourBitPcx() << QSize(2, 2)
            << QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), kDarkBlue};

        // 10 x 1 black and white: bits 1010000000 0100000000 (lines padded to 2 bytes).
        const QRgb w = qRgb(255, 255, 255), b = qRgb(0, 0, 0);
        QTest::newRow("1-bit mono")
            << pcxHeader({10, 1, 1, 1, 2, 1}) + pcxRle(QByteArray("\xA0\x40", 2)) << QSize(10, 1)
            << QList<QRgb>{w, b, w, b, b, b, b, b, b, w};

        // 2 x 1, 16 colours in four bit planes: pixel 0 is index 5, pixel 1 index 10,
        // both from the palette in the header.
        QByteArray header = pcxHeader({2, 1, 1, 4, 2, 1});
        header[16 + 15] = char(1), header[16 + 16] = char(2), header[16 + 17] = char(3);
        header[16 + 30] = char(200), header[16 + 31] = char(100), header[16 + 32] = char(50);
        QTest::newRow("16 colours, four planes")
            << header + pcxRle(QByteArray("\x80\x00"
                                          "\x40\x00"
                                          "\x80\x00"
                                          "\x40\x00",
                                          8))
            << QSize(2, 1) << QList<QRgb>{qRgb(1, 2, 3), qRgb(200, 100, 50)};
    }

    void decodesOtherDepths()
    {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        QFETCH(QList<QRgb>, pixels);
        const QImage image = decodePcx(file);
        QCOMPARE(image.size(), size);
        for (int i = 0; i < pixels.size(); ++i)
            QCOMPARE(image.pixel(i % size.width(), i / size.width()), pixels[i]);
    }

    void rejectsBadData_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = eightBitPcx();
        const QByteArray stream = eightBitStream();

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header cut short") << good.left(100);
        QByteArray notPcx = good;
        notPcx[0] = char(0x0B);
        QTest::newRow("not a PCX file") << notPcx;
        QTest::newRow("pixel data cut")
            << pcxHeader(k8BitLayout) + stream.left(3) + eightBitPalette();
        QTest::newRow("palette missing") << pcxHeader(k8BitLayout) + stream;
        QTest::newRow("palette cut") << good.chopped(1);
        QTest::newRow("24-bit data cut") << twentyFourBitPcx().chopped(2);
        QTest::newRow("run byte without its value")
            << pcxHeader({2, 1, 8, 3, 2, 1}) + QByteArray("\xC6", 1);
        QTest::newRow("lines narrower than the image")
            << pcxHeader({3, 2, 8, 1, 2, 1}) + stream + eightBitPalette();
        QTest::newRow("huge picture from a few bytes")
            << pcxHeader({16000, 16000, 8, 1, 16000, 1}) + stream + eightBitPalette();
        QByteArray backwards = good;
        putWord(backwards, 4, 5); // xmin beyond xmax
        QTest::newRow("xmin beyond xmax") << backwards;
        QTest::newRow("unsupported depth") << pcxHeader({3, 2, 4, 1, 2, 1}) + stream;
    }

    void rejectsBadData()
    {
        QFETCH(QByteArray, file);
        QVERIFY(decodePcx(file).isNull());
    }

    void loadsEveryFormat_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes"); // empty: written from the test picture
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("bmp") << "photo.bmp" << QByteArray() << QByteArray("BMP") << 0;
        QTest::newRow("png") << "photo.png" << QByteArray() << QByteArray("PNG") << 0;
        QTest::newRow("jpeg") << "photo.jpg" << QByteArray() << QByteArray("JPEG") << 80;
        QTest::newRow("gif") << "photo.gif"
                             << QByteArray(reinterpret_cast<const char *>(kGif), sizeof kGif)
                             << QByteArray() << 0;
        QTest::newRow("png named .jpg") << "wrong.jpg" << QByteArray() << QByteArray("PNG") << 0;
    }

    void loadsEveryFormat()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, format);
        QFETCH(int, tolerance);
        QTemporaryDir dir;
        const QString path = dir.filePath(fileName);
        if (bytes.isEmpty()) {
            // Large enough blocks that JPEG keeps the colours of the quadrants.
            QVERIFY(quadrants().scaled(64, 64).save(path, format.constData(), 100));
        } else {
            QVERIFY(writeFile(path, bytes));
        }
        const QImage image = loadImage(path);
        QVERIFY(!image.isNull());
        const QImage expected = bytes.isEmpty() ? quadrants().scaled(64, 64) : quadrants();
        QCOMPARE(image.size(), expected.size());
        const int w = image.width(), h = image.height();
        for (QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            QVERIFY2(sameColour(image.pixel(p), expected.pixel(p), tolerance),
                     qPrintable(QString::number(image.pixel(p), 16)));
    }

    void loadsPcxFiles()
    {
        QTemporaryDir dir;
        // By extension (either case), and by content under another name.
        for (const char *name : {"scan.pcx", "SCAN2.PCX", "scan.dat"}) {
            QVERIFY(writeFile(dir.filePath(name), eightBitPcx()));
            const QImage image = loadImage(dir.filePath(name));
            QCOMPARE(image.size(), QSize(3, 2));
            QCOMPARE(image.pixel(2, 1), kDarkBlue);
        }
        QVERIFY(writeFile(dir.filePath("broken.pcx"), eightBitPcx().left(140)));
        QVERIFY(loadImage(dir.filePath("broken.pcx")).isNull());
        QVERIFY(loadImage(dir.filePath("missing.bmp")).isNull());
    }

    void jpegCopyRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("photo.jpg");
        const QImage picture = quadrants().scaled(64, 48);
        QVERIFY(saveAsJpeg(picture, path, 80));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("\xFF\xD8", 2)); // a JPEG stream
        file.close();
        const QImage back = loadImage(path);
        QCOMPARE(back.size(), picture.size());
        QVERIFY(sameColour(back.pixel(2, 2), qRgb(255, 0, 0), 40));
        QVERIFY(sameColour(back.pixel(61, 45), qRgb(255, 255, 255), 40));
        // Nothing but the copy is left behind.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"photo.jpg"});
    }

    void jpegCopyPutsTransparencyOnWhite()
    {
        QTemporaryDir dir;
        QImage picture(16, 16, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QVERIFY(saveAsJpeg(picture, dir.filePath("clear.jpg")));
        QVERIFY(
            sameColour(loadImage(dir.filePath("clear.jpg")).pixel(8, 8), qRgb(255, 255, 255), 8));
    }

    void jpegCopyFailures()
    {
        QTemporaryDir dir;
        QVERIFY(!saveAsJpeg(QImage(), dir.filePath("null.jpg")));
        QVERIFY(!QFile::exists(dir.filePath("null.jpg")));
        QVERIFY(!saveAsJpeg(quadrants(), dir.filePath("no/such/folder/x.jpg")));
    }
};

QTEST_MAIN(TestImageLoading)

#include "tst_imageloading.moc"
