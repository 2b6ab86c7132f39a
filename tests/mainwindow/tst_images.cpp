// The record's picture on the real main window: loading a file (the JPEG copy beside it,
// never over a user's file, a file without a picture refused), zooming, Open in Paint, copy
// and paste between records and Delete Image, with what the records table holds afterwards.

#include "../platform/FakeDesktop.h"
#include "../platform/PcxBuilder.h"
#include "DBControls.h"
#include "DialogDriver.h"
#include "FDFin.h"
#include "MainWindowFixture.h"
#include "PictureFiles.h"
#include "RecordsFixture.h"
#include "Table.h"
#include "TestEnvironment.h"
#include "ViewImage.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

using namespace tav;
using namespace tav::test;
using tav::store::DataSetState;

namespace
{
const QString kImage = QStringLiteral("Image");

QByteArray encoded(int width, int height, const char *format, QRgb colour = qRgb(200, 40, 40))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The stored picture of MASTER's record `recNo`, read from the file, not from the window.
QByteArray storedPicture(const QString &dataDir, int recNo)
{
    store::Table records;
    records.setDirectory(dataDir);
    records.setTableName(QStringLiteral("table1.db"));
    records.open();
    records.setRecNo(recNo);
    return records.asBytes(kImage);
}

DBImage *imageBox(TFDFin *w)
{
    return w->findChild<DBImage *>(QStringLiteral("EditImage"));
}
} // namespace

class TestImages : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTestCase::init();
        QVERIFY(m_pictures.isValid());
        QApplication::clipboard()->clear();
    }

    void loadingLeavesAJpegCopyAndAPendingRecord()
    {
        fillMaster(m_env->dataDir(), 3);
        const QString photo = m_pictures.filePath(QStringLiteral("photo.bmp"));
        const QByteArray bmp = encoded(64, 48, "BMP");
        writeFile(photo, bmp);
        auto w = startMainWindow(WizardAnswer::Ok);
        showRecord(w.get(), 2);

        m_env->answerFileDialog(photo);
        click(w.get(), "SBLoadImage");

        const QImage copy(m_pictures.filePath(QStringLiteral("photo.jpg")));
        QCOMPARE(copy.size(), QSize(64, 48));
        QVERIFY(imageBox(w.get())->isVisibleTo(w.get()));
        QCOMPARE(imageBox(w.get())->picture().size(), QSize(64, 48));
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(64, 48));
        // Like typing: pending until saved, and no new record meanwhile.
        QCOMPARE(w->dataSource1()->state(), DataSetState::Edit);
        QVERIFY(!isEnabled(w.get(), "SBAdd"));
        QVERIFY(storedPicture(m_env->dataDir(), 2).isEmpty());

        click(w.get(), "SBSave");
        QCOMPARE(storedPicture(m_env->dataDir(), 2), bmp); // the file's own bytes
        QVERIFY(storedPicture(m_env->dataDir(), 1).isEmpty());
    }

    void pcxBesideAUsersJpgLeavesItAlone()
    {
        fillMaster(m_env->dataDir(), 1);
        const QString userJpg = m_pictures.filePath(QStringLiteral("x.jpg"));
        writeFile(userJpg, "the user's own x.jpg");
        PcxLayout layout{2, 1, 8, 1, 2, 1};
        writeFile(m_pictures.filePath(QStringLiteral("x.pcx")),
                  pcxHeader(layout) + pcxRle(QByteArray("\x00\x01", 2)) +
                      pcxPalette({{0, qRgb(0, 255, 0)}, {1, qRgb(0, 0, 255)}}));
        auto w = startMainWindow(WizardAnswer::Ok);

        m_env->answerFileDialog(m_pictures.filePath(QStringLiteral("x.pcx")));
        trigger(w.get(), "MMImportImage");
        click(w.get(), "SBSave");

        QCOMPARE(readFile(userJpg), QByteArray("the user's own x.jpg"));
        const QImage stored = decodePicture(storedPicture(m_env->dataDir(), 1));
        QCOMPARE(stored.size(), QSize(2, 1));
        QCOMPARE(stored.pixel(1, 0), qRgb(0, 0, 255));
    }

    void aFileWithoutAPictureIsRefused()
    {
        fillMaster(m_env->dataDir(), 1);
        const QString broken = m_pictures.filePath(QStringLiteral("broken.jpg"));
        writeFile(broken, encoded(64, 48, "JPEG").left(20)); // cut off in the header
        auto w = startMainWindow(WizardAnswer::Ok);

        m_env->answerFileDialog(broken);
        m_env->messages().answer(MsgOk);
        click(w.get(), "SBLoadImage");

        QVERIFY(m_env->messages().lastText().contains(broken));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
        QVERIFY(!imageBox(w.get())->isVisibleTo(w.get()));
        QVERIFY(!imageBox(w.get())->hasPicture());
        QVERIFY(!QFile::exists(m_pictures.filePath(QStringLiteral("broken.jpg.jpg"))));
    }

    void zoomRightAfterLoadingSavesFirst()
    {
        fillMaster(m_env->dataDir(), 2);
        const QString big = m_pictures.filePath(QStringLiteral("big.png"));
        writeFile(big, encoded(1024, 768, "PNG"));
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        m_env->answerFileDialog(big);
        click(w.get(), "SBLoadImage");

        QSize shown;
        QString caption;
        DataSetState stateWhileShown = DataSetState::Inactive;
        bool storedWhileShown = false;
        onModal<TFViewImage>([&](TFViewImage *view) {
            shown = view->size();
            caption = view->windowTitle();
            stateWhileShown = w->dataSource1()->state();
            storedWhileShown = !storedPicture(m_env->dataDir(), 1).isEmpty();
            view->reject();
        });
        click(w.get(), "SBZoomIn");

        QCOMPARE(caption, QStringLiteral("View Image"));
        QCOMPARE(shown, QSize(640, 480));
        QCOMPARE(stateWhileShown, DataSetState::Browse);
        QVERIFY(storedWhileShown);
    }

    void zoomAndDoubleClickWithoutAPicture_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QString>("message");
        QTest::newRow("zoom") << false
                              << "You have to Import an image and save it in the database first!";
        QTest::newRow("double click") << true
                                      << "You have to insert an image AND save it in your "
                                         "database before you can open it for editing.";
    }

    void zoomAndDoubleClickWithoutAPicture()
    {
        QFETCH(bool, doubleClick);
        QFETCH(QString, message);
        fillMaster(m_env->dataDir(), 1);
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        QWidget *id = control(w.get(), "EditID");
        id->setFocus();
        QTRY_COMPARE(w->currentFieldPosition(), 80);
        QWidget *image2 = control(w.get(), "Image2");
        QTRY_VERIFY(image2->isVisible());
        QTest::mouseClick(image2, Qt::LeftButton); // opens the empty image box
        DBImage *box = imageBox(w.get());
        QTRY_VERIFY(box->isVisible());
        QVERIFY(!image2->isVisible());
        QTest::mouseClick(box, Qt::LeftButton); // the picture's field becomes the current one
        QCOMPARE(w->currentFieldPosition(), 78);
        m_env->messages().answer(MsgOk);
        if (doubleClick)
            QTest::mouseDClick(box, Qt::LeftButton);
        else
            trigger(w.get(), "MMZoom");
        QCOMPARE(m_env->messages().lastText(), message);
    }

    void openInPaintHandsOverThePictureOrStops()
    {
        FakeDesktop desktop;
        desktop.install({QStringLiteral("kolourpaint")});
        QTemporaryDir home;
        // "c:" is the home folder: a temporary one, put back also when a check fails.
        struct HomeFolder {
            QByteArray old = qgetenv("HOME");
            ~HomeFolder() { qputenv("HOME", old); }
        } restoreHome;
        qputenv("HOME", QFile::encodeName(home.path()));
        fillMaster(m_env->dataDir(), 2, [](store::Table &t, int n) {
            if (n == 2)
                t.setValue(kImage, encoded(30, 20, "PNG"));
        });
        auto w = startMainWindow(WizardAnswer::Ok);
        const QString handedOver = QDir(home.path()).filePath(QStringLiteral("aaa.bmp"));

        m_env->messages().answer(MsgOk);
        trigger(w.get(), "MMOpen");
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("Sorry, you don't have an image !"));
        QVERIFY(desktop.starts().isEmpty());
        QVERIFY(!QFile::exists(handedOver));

        showRecord(w.get(), 2);
        trigger(w.get(), "MMOpen");
        QCOMPARE(desktop.startedNames(), QStringList{QStringLiteral("kolourpaint")});
        QCOMPARE(desktop.starts().first().arguments, QStringList{handedOver});
        QCOMPARE(QImage(handedOver).size(), QSize(30, 20));
    }

    // The box decodes on a worker: a move shows the new record's picture once it is ready,
    // never the previous record's meanwhile, and the next record's is decoded ahead.
    void movesShowEachRecordsPictureOnly()
    {
        const QRgb colours[] = {qRgb(200, 0, 0), qRgb(0, 0, 200), qRgb(0, 200, 0)};
        fillMaster(m_env->dataDir(), 3, [&](store::Table &t, int n) {
            t.setValue(kImage, encoded(64, 48, "PNG", colours[n - 1]));
        });
        auto w = startMainWindow(WizardAnswer::Ok);
        DBImage *box = imageBox(w.get());
        const auto centre = [box] {
            return box->grab().toImage().pixel(box->width() / 2, box->height() / 2);
        };
        QTRY_VERIFY(box->isPictureShown());
        QCOMPARE(centre(), colours[0]);

        click(w.get(), "SBNext");
        QVERIFY(centre() != colours[0]);
        QTRY_COMPARE(centre(), colours[1]);
        QVERIFY(box->isPictureShown());

        QCoreApplication::processEvents(); // the read-ahead starts once the move is painted
        box->settlePicture();
        click(w.get(), "SBNext");
        QCOMPARE(centre(), colours[2]); // decoded before the move
    }

    void copyInOneRecordPasteInAnother()
    {
        fillMaster(m_env->dataDir(), 2, [](store::Table &t, int n) {
            if (n == 1)
                t.setValue(kImage, encoded(30, 20, "PNG", qRgb(10, 20, 200)));
        });
        auto w = startMainWindow(WizardAnswer::Ok);
        click(w.get(), "SBCopyImage");
        showRecord(w.get(), 2);
        w->ShowImageIfAny();
        QVERIFY(!imageBox(w.get())->isVisibleTo(w.get()));

        click(w.get(), "SBPasteImage");
        QVERIFY(imageBox(w.get())->isVisibleTo(w.get()));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Edit);
        QVERIFY(storedPicture(m_env->dataDir(), 2).isEmpty());
        click(w.get(), "SBSave");
        const QImage pasted = decodePicture(storedPicture(m_env->dataDir(), 2));
        QCOMPARE(pasted.size(), QSize(30, 20));
        QCOMPARE(pasted.pixel(5, 5), qRgb(10, 20, 200));
    }

    void deleteImage()
    {
        fillMaster(m_env->dataDir(), 2, [](store::Table &t, int n) {
            if (n == 2)
                t.setValue(kImage, encoded(30, 20, "PNG"));
        });
        auto w = startMainWindow(WizardAnswer::Ok);
        // Record 1 has none: said, nothing asked.
        m_env->messages().answer(MsgOk);
        click(w.get(), "SBDeleteImage");
        QCOMPARE(m_env->messages().texts(), QStringList{QStringLiteral("You have no image!")});

        showRecord(w.get(), 2);
        w->ShowImageIfAny();
        m_env->messages().answer(MsgCancel);
        click(w.get(), "SBDeleteImage");
        const MessageRequest asked = m_env->messages().shown().last();
        QCOMPARE(asked.text, QStringLiteral("Are you sure you want to delete this image?"));
        QCOMPARE(asked.buttons, MsgYes | MsgNo | MsgCancel);
        QVERIFY(!storedPicture(m_env->dataDir(), 2).isEmpty());

        m_env->messages().answer(MsgYes);
        click(w.get(), "SBDeleteImage");
        QVERIFY(storedPicture(m_env->dataDir(), 2).isEmpty());
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
        QVERIFY(!imageBox(w.get())->isVisibleTo(w.get()));
    }

private:
    QTemporaryDir m_pictures;
};

QTEST_MAIN(TestImages)
#include "tst_images.moc"
