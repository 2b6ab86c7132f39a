// Pictures on the main window, run offscreen: a record with a 12-megapixel JPEG loaded,
// saved, reopened and moved onto, with the growth of the memo file beside the JPEG's size;
// then Next over 1,000 records that each hold a picture, with the repaint that follows each
// move, beside the same moves over records without pictures.
//
//   QT_QPA_PLATFORM=offscreen bench_images [records with pictures]
//
// The data directory is a temporary folder under the current directory, removed afterwards.

#include "Atach.h"
#include "BenchCommon.h"
#include "DBControls.h"
#include "FDFin.h"
#include "FileDialogs.h"
#include "FileNames.h"
#include "MessageBoxes.h"
#include "PictureFiles.h"
#include "Settings.h"
#include "SuppliedFiles.h"
#include "Table.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>

using namespace tav;
using bench::ms;
using bench::out;

namespace
{

// Wall time and the process's CPU time: on a machine shared with other work the CPU time
// shows what the program itself spends.
struct Clock {
    QElapsedTimer wall;
    std::clock_t cpu = 0;
    Clock() { restart(); }
    void restart()
    {
        cpu = std::clock();
        wall.start();
    }
    double cpuMs() const { return double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC; }
};

struct Figures {
    double total = 0;
    double worst = 0;
    double cpu = 0;
    int runs = 0;
    void add(const Clock &clock)
    {
        const double value = ms(clock.wall);
        total += value;
        worst = std::max(worst, value);
        cpu += clock.cpuMs();
        ++runs;
    }
    QString text() const
    {
        return QStringLiteral("average %1 ms (CPU %2 ms), worst %3 ms (%4 runs)")
            .arg(runs ? total / runs : 0.0, 0, 'f', 3)
            .arg(runs ? cpu / runs : 0.0, 0, 'f', 3)
            .arg(worst, 0, 'f', 3)
            .arg(runs);
    }
};

// A photograph-like picture: smooth gradients with fine noise, so the JPEG is as large as a
// camera's.
QImage photo(int width, int height, quint32 seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random.bounded(48));
            line[x] = qRgb((x * 255 / width + noise) & 255, (y * 255 / height + noise) & 255,
                           (int(seed * 37) + noise) & 255);
        }
    }
    return image;
}

QByteArray jpeg(const QImage &image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    return bytes;
}

// MASTER with `count` records, each with `picture(n)` when given.
void fillMaster(const QString &dataDir, int count, const std::function<QByteArray(int)> &picture)
{
    store::Table table;
    table.setDirectory(dataDir);
    table.setTableName(store::files::recordsTable(store::files::kMaster));
    table.open();
    table.emptyTable();
    const QString comments = QString(180, QChar(u'c'));
    table.transaction([&] {
        for (int i = 1; i <= count; ++i) {
            bench::appendFullRecord(table, i, comments);
            if (picture) {
                table.last();
                table.edit();
                table.setValue(QStringLiteral("Image"), picture(i));
                table.post();
            }
        }
    });
}

qint64 memoSize(const QString &dataDir)
{
    return QFileInfo(QDir(dataDir).filePath(store::files::memoFile(store::files::kMaster))).size();
}

// Lets the window repaint after a move, until the picture box has painted the record's
// picture (it is decoded on a worker thread).
void showMove(TFDFin &window)
{
    QCoreApplication::processEvents();
    auto *image = window.findChild<DBImage *>(QStringLiteral("EditImage"));
    while (!image->isPictureShown())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

Figures timeNext(TFDFin &window, int moves)
{
    Figures figures;
    window.SBFirstClick();
    showMove(window);
    for (int i = 0; i < moves; ++i) {
        Clock clock;
        window.SBNextClick();
        showMove(window);
        figures.add(clock);
    }
    return figures;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;

    QTemporaryDir temporary(QDir::current().filePath(QStringLiteral("bench_images-XXXXXX")));
    const QString dataDir = QDir(temporary.path()).absolutePath();
    QDir::setCurrent(dataDir);
    Settings::setFilePath(QDir(dataDir).filePath(QStringLiteral("bench.ini")));
    Settings::writeInt(QStringLiteral("displayw"), 1); // no start-up wizard
    Settings::writeString(QStringLiteral("LastData"), store::files::kMaster);
    Settings::sync();
    MessageBoxes::setHandler([](const MessageRequest &request) {
        out() << "unexpected message: " << request.text << "\n";
        return int(MsgCancel);
    });
    store::ensureSuppliedFiles(dataDir);

    // 1. The 12-megapixel JPEG.
    const QString big = QDir(dataDir).filePath(QStringLiteral("camera.jpg"));
    {
        QFile file(big);
        file.open(QIODevice::WriteOnly);
        file.write(jpeg(photo(4000, 3000, 7), 92));
    }
    const qint64 jpegSize = QFileInfo(big).size();
    fillMaster(dataDir, 3, {});
    {
        TFDFin window;
        window.FormCreate();
        window.show();
        window.OpenDatabase(store::files::kMaster);
        QCoreApplication::processEvents();
        window.SBNextClick(); // record 2 takes the picture
        QCoreApplication::processEvents();

        FileDialogs::setHandler([&](const FileDialogRequest &) { return big; });
        Figures load, save, reopen, onto;
        Clock clock;
        window.BOpenClick();
        showMove(window);
        load.add(clock);
        FileDialogs::setHandler({});

        const qint64 before = memoSize(dataDir);
        clock.restart();
        window.SBSaveClick();
        save.add(clock);
        const qint64 grown = memoSize(dataDir) - before;

        for (int run = 0; run < 5; ++run) {
            clock.restart();
            window.OpenDatabase(store::files::kMaster);
            window.SBNextClick();
            showMove(window);
            reopen.add(clock);
            window.SBPrevClick();
            showMove(window);
            clock.restart();
            window.SBNextClick();
            showMove(window);
            onto.add(clock);
        }
        out() << QStringLiteral("12-megapixel JPEG: %1 bytes\n").arg(jpegSize);
        out() << "load (decode, JPEG copy, clipboard): " << load.text() << "\n";
        out() << "save: " << save.text() << "\n";
        out() << "reopen the database and show the record: " << reopen.text()
              << "\n  (the first run decodes the picture for the box: the worst; later runs find it"
                 " decoded)\n";
        out() << "move onto the record with repaint: " << onto.text() << "\n";
        out() << QStringLiteral(".mb grew by %1 bytes = %2 x the JPEG\n")
                     .arg(grown)
                     .arg(double(grown) / double(jpegSize), 0, 'f', 4);
        out().flush();
    }

    // 2. Next over records with pictures, beside records without.
    QVector<QByteArray> pictures;
    for (int i = 0; i < 8; ++i)
        pictures << jpeg(photo(640, 480, quint32(i + 11)), 85);
    for (bool withPictures : {false, true}) {
        fillMaster(dataDir, records + 1,
                   withPictures ? std::function<QByteArray(int)>(
                                      [&](int n) { return pictures[n % pictures.size()]; })
                                : std::function<QByteArray(int)>());
        TFDFin window;
        window.FormCreate();
        window.show();
        window.OpenDatabase(store::files::kMaster);
        QCoreApplication::processEvents();
        const Figures next = timeNext(window, records);
        out() << "Next x" << records << (withPictures ? " over 640x480 JPEGs" : " without pictures")
              << " with repaint: " << next.text() << "\n";
        if (withPictures) {
            // The parts of a move: re-reading the record's attachments, decoding for the box.
            Figures refresh, decode;
            const QSize box = window.findChild<DBImage *>(QStringLiteral("EditImage"))->size();
            for (int i = 0; i < 200; ++i) {
                Clock clock;
                window.attachmentsWindow()->refresh();
                refresh.add(clock);
                clock.restart();
                decodePicture(pictures[i % pictures.size()], box);
                decode.add(clock);
            }
            out() << "  of which attachments re-read: " << refresh.text() << "\n";
            out() << "  of which decoding a 640x480 JPEG for the " << box.width() << "x"
                  << box.height() << " box: " << decode.text() << "\n";
        }
        out().flush();
    }
    return 0;
}
