// The attachments window on the real main window: adding, showing, removing and opening
// attached files, and the window following the current record through moves, Insert and
// Delete. The bitmap chosen for a path is checked on its own.

#include "../platform/FakeDesktop.h"
#include "Atach.h"
#include "DialogDriver.h"
#include "FDFin.h"
#include "MainWindowFixture.h"
#include "RecordDialogs.h"
#include "RecordsFixture.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace tav;
using namespace tav::test;

namespace
{
QListWidget *listOf(TFAtach *window)
{
    return window->findChild<QListWidget *>(QStringLiteral("ListBox1"));
}

QPushButton *buttonOf(TFAtach *window, const char *name)
{
    return window->findChild<QPushButton *>(QString::fromLatin1(name));
}

QString caption(int record)
{
    return QStringLiteral("Files Attached to MASTER, Record %1").arg(record);
}

void selectItems(QListWidget *list, const QList<int> &rows)
{
    for (int row : rows) {
        const QRect at = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, at.center());
    }
}

// Answers the insertion dialog with one record.
void answerInsertOne()
{
    onModal<TFIns>([](TFIns *d) {
        auto *count = d->findChild<QLineEdit *>(QStringLiteral("efrom"));
        count->selectAll();
        QTest::keyClicks(count, QStringLiteral("1"));
        d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    });
}

// Answers the deletion dialog with the current record.
void answerDeleteCurrent()
{
    onModal<TFDelRec>(
        [](TFDelRec *d) { d->findChild<QPushButton *>(QStringLiteral("bOK"))->click(); });
}
} // namespace

class TestAttachmentsWindow : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void bitmapByPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("bitmap");
        QTest::newRow("word") << "/home/u/letter.doc"
                              << "Word";
        QTest::newRow("web page") << "/home/u/index.html"
                                  << "Html";
        QTest::newRow("sheet") << "/home/u/sums.xlsx"
                               << "Excel";
        QTest::newRow("text") << "/home/u/notes.txt"
                              << "Note";
        QTest::newRow("sound") << "/home/u/ring.wav"
                               << "Audio";
        QTest::newRow("au") << "/home/u/old.au"
                            << "Audio";
        QTest::newRow("text and picture: the picture wins") << "/p/a.txt.bmp"
                                                            << "Picture";
        QTest::newRow("picture folder with a text") << "/pics.jpeg/readme.txt"
                                                    << "Picture";
        QTest::newRow("case counts") << "/home/u/LETTER.DOC"
                                     << "";
        QTest::newRow("none") << "/home/u/archive.zip"
                              << "";
    }
    void bitmapByPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, bitmap);
        QCOMPARE(attachmentBitmap(path), bitmap);
        QCOMPARE(attachmentPixmap(bitmap).isNull(), bitmap.isEmpty());
    }

    void attachingShowsTheFileAndTheButton()
    {
        fillMaster(m_env->dataDir(), 5);
        auto w = startMainWindow(WizardAnswer::Ok);
        showRecord(w.get(), 3);
        QWidget *viewAttachment = control(w.get(), "BViewAttachment");
        QVERIFY(!viewAttachment->isVisibleTo(w.get()));
        trigger(w.get(), "MMAtach");
        TFAtach *window = w->attachmentsWindow();
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), caption(3));

        const QString doc = QStringLiteral("/home/user/report.doc");
        m_env->answerFileDialog(doc);
        buttonOf(window, "BAdd")->click();
        QCOMPARE(window->files(), QStringList{doc});
        QCOMPARE(attachmentBitmap(doc), QStringLiteral("Word"));
        QVERIFY(viewAttachment->isVisibleTo(w.get()));
        QCOMPARE(attachmentRows(m_env->dataDir()), QStringLiteral("3:") + doc);

        // The same path twice on one record is refused.
        m_env->answerFileDialog(doc);
        m_env->messages().answer(MsgOk);
        buttonOf(window, "BAdd")->click();
        QCOMPARE(m_env->messages().lastText(),
                 QStringLiteral("The file: '%1' is already attached to record 3!").arg(doc));
        QCOMPARE(attachmentRows(m_env->dataDir()), QStringLiteral("3:") + doc);

        // Close hides it; the button stays while the record has files.
        buttonOf(window, "BClose")->click();
        QVERIFY(!window->isVisible());
        QVERIFY(viewAttachment->isVisibleTo(w.get()));
        QTest::mouseClick(viewAttachment, Qt::LeftButton);
        QTRY_VERIFY(window->isVisible());
    }

    void followsMovesInsertAndDelete()
    {
        fillMaster(m_env->dataDir(), 5);
        addAttachments(m_env->dataDir(), {{3, "/d/three.doc"}, {4, "/d/four.txt"}});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), 3);
        trigger(w.get(), "MMAtach");
        TFAtach *window = w->attachmentsWindow();
        QCOMPARE(window->files(), QStringList{"/d/three.doc"});

        click(w.get(), "SBNext");
        QCOMPARE(window->windowTitle(), caption(4));
        QCOMPARE(window->files(), QStringList{"/d/four.txt"});

        // A new record before record 4: it has nothing, the old 4th follows as 5.
        answerInsertOne();
        m_env->messages().answer(MsgYes);
        trigger(w.get(), "SMInsert");
        QCOMPARE(window->windowTitle(), caption(4));
        QVERIFY(window->files().isEmpty());
        QVERIFY(!control(w.get(), "BViewAttachment")->isVisibleTo(w.get()));
        click(w.get(), "SBNext");
        QCOMPARE(window->windowTitle(), caption(5));
        QCOMPARE(window->files(), QStringList{"/d/four.txt"});

        // Deleting record 5 shows the one that followed, with its own files (none).
        answerDeleteCurrent();
        m_env->messages().answer(MsgYes);
        trigger(w.get(), "SMDelete");
        QCOMPARE(window->windowTitle(), caption(5));
        QVERIFY(window->files().isEmpty());

        // Add empties the list while the new record is unsaved.
        click(w.get(), "SBFirst");
        click(w.get(), "SBNext");
        click(w.get(), "SBNext");
        QCOMPARE(window->files(), QStringList{"/d/three.doc"});
        click(w.get(), "SBAdd");
        QVERIFY(window->files().isEmpty());
        click(w.get(), "SBCancel");
    }

    void removingSeveralSelectedItems()
    {
        QTemporaryDir docs;
        const QString a = docs.filePath(QStringLiteral("a.doc"));
        const QString b = docs.filePath(QStringLiteral("b.xls"));
        const QString c = docs.filePath(QStringLiteral("c.txt"));
        for (const QString &path : {a, b, c}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        fillMaster(m_env->dataDir(), 2);
        addAttachments(m_env->dataDir(), {{2, a}, {2, b}, {2, c}, {1, a}});
        auto w = startMainWindow(WizardAnswer::Ok);
        showRecord(w.get(), 2);
        trigger(w.get(), "MMAtach");
        TFAtach *window = w->attachmentsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(!buttonOf(window, "BRemove")->isEnabled());

        selectItems(listOf(window), {0, 2});
        QVERIFY(buttonOf(window, "BRemove")->isEnabled());
        QVERIFY(buttonOf(window, "BView")->isEnabled());
        buttonOf(window, "BRemove")->click();

        QCOMPARE(window->files(), QStringList{b});
        QCOMPARE(attachmentRows(m_env->dataDir()), QStringLiteral("1:%1,2:%2").arg(a, b));
        for (const QString &path : {a, b, c})
            QVERIFY(QFile::exists(path)); // the documents stay where they are

        // Removing the last one and closing hides the button.
        selectItems(listOf(window), {0});
        buttonOf(window, "BRemove")->click();
        buttonOf(window, "BClose")->click();
        QVERIFY(!control(w.get(), "BViewAttachment")->isVisibleTo(w.get()));
    }

    void viewOpensDocumentsButAsksBeforeAProgram()
    {
        FakeDesktop desktop;
        QTemporaryDir docs;
        const QString doc = docs.filePath(QStringLiteral("letter.doc"));
        const QString program = docs.filePath(QStringLiteral("setup.doc"));
        const QString launcher = docs.filePath(QStringLiteral("evil.desktop"));
        for (const QString &path : {doc, program, launcher}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString gone = docs.filePath(QStringLiteral("moved-away.txt"));
        fillMaster(m_env->dataDir(), 1);
        addAttachments(m_env->dataDir(), {{1, doc}, {1, program}, {1, launcher}, {1, gone}});
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "MMAtach");
        TFAtach *window = w->attachmentsWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        selectItems(listOf(window), {0, 1, 2, 3});

        m_env->messages().answer(MsgNo);  // the executable
        m_env->messages().answer(MsgYes); // the desktop entry
        m_env->messages().answer(MsgOk);  // the missing file
        buttonOf(window, "BView")->click();

        QCOMPARE(desktop.opened(), QStringList({doc, launcher}));
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("The specified file was not found."));
        QVERIFY(m_env->messages().shown().at(0).text.contains(program));
    }
};

QTEST_MAIN(TestAttachmentsWindow)
#include "tst_attachmentswindow.moc"
