// The comments box, links in record fields and the clipboard commands on the real main
// window, with a fake desktop that only records what would have been started or opened.

#include "CommentsEditor.h"
#include "DialogDriver.h"
#include "FDFin.h"
#include "FakeDesktop.h"
#include "MainWindowFixture.h"
#include "RecordsFixture.h"
#include "Table.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace tav;
using namespace tav::test;

namespace
{
void fillLinks(const QString &dataDir)
{
    fillMaster(dataDir, 2, [](store::Table &t, int n) {
        if (n == 1) {
            t.setValue("URLWebsite", "www.example.com");
            t.setValue("Email", "joe@example.com?attach=/home/joe/.ssh/id_rsa");
            t.setValue("Reserved1", "--new-window www.evil.example");
            t.setValue("Comments", "Alpha Beta Gamma");
        }
    });
}

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void doubleClick(QWidget *box)
{
    box->setFocus();
    QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
}
} // namespace

class TestCommentsLinks : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void doubleClickFollowsWebAndMailLinks()
    {
        FakeDesktop desktop;
        desktop.install({"firefox", "xdg-open"});
        fillLinks(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));

        doubleClick(control(w.get(), "EditURLWebsite"));
        QTRY_COMPARE(desktop.starts().size(), 1);
        QCOMPARE(desktop.startedNames(), QStringList{"firefox"});
        QCOMPARE(desktop.starts().first().arguments, QStringList{"http://www.example.com"});

        // "Netscape" from the popup: the other browser, same address.
        w->NetscapeIDClick();
        QCOMPARE(desktop.startedNames().last(), QStringLiteral("xdg-open"));
        QCOMPARE(desktop.starts().last().arguments, QStringList{"http://www.example.com"});

        doubleClick(control(w.get(), "EditEmail"));
        QTRY_COMPARE(desktop.opened().size(), 1);
        QCOMPARE(desktop.opened().first(), QStringLiteral("mailto:joe@example.com"));
    }

    void aTextThatIsNoAddressStartsNothing()
    {
        FakeDesktop desktop;
        desktop.install({"firefox"});
        fillLinks(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        m_env->messages().answer(MsgOk);
        doubleClick(control(w.get(), "EditReserved"));
        QTRY_COMPARE(m_env->messages().shown().size(), 1);
        QVERIFY(m_env->messages().lastText().startsWith(QStringLiteral("This is not a web address")));
        QVERIFY(desktop.starts().isEmpty());
    }

    void clipboardCommandsWorkOnTheFocusedBox()
    {
        fillLinks(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        auto *memo = w->findChild<QPlainTextEdit *>("MemoComments");
        memo->setFocus();
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(10, QTextCursor::KeepAnchor);
        memo->setTextCursor(cursor);
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Beta"));

        // The toolbar's Cut in a record box is an edit of the record.
        auto *phone = w->findChild<QLineEdit *>("EditPhone");
        phone->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("555-1234"));
        trigger(w.get(), "MMPaste");
        QCOMPARE(phone->text(), QStringLiteral("555-1234"));
        QCOMPARE(w->table1()->state(), store::DataSetState::Edit);
        trigger(w.get(), "MMSelectAll");
        QCOMPARE(phone->selectedText(), QStringLiteral("555-1234"));
        click(w.get(), "SpeedButton7");
        QCOMPARE(phone->text(), QString());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("555-1234"));

        // No record box has the focus: nothing happens.
        auto *search = w->findChild<QLineEdit *>("FilterCriteria");
        search->setFocus();
        search->setText(QStringLiteral("abc"));
        trigger(w.get(), "MMSelectAll");
        QVERIFY(!search->hasSelectedText());
    }

    void importPostsLikeSaveAlsoWhenCancelled()
    {
        fillLinks(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        auto *first = w->findChild<QLineEdit *>("EditFirstName");
        first->setFocus();
        first->selectAll();
        QTest::keyClicks(first, "Typed");
        m_env->answerFileDialog(QString());
        click(w.get(), "BImportText");
        QCOMPARE(m_env->fileRequests().last().caption, QStringLiteral("Import text in Comment Field"));
        QCOMPARE(m_env->fileRequests().last().filter, QStringLiteral("txt files (*.txt)"));
        QCOMPARE(w->table1()->state(), store::DataSetState::Browse);
        QCOMPARE(storedValue(m_env->dataDir(), "table1.db", 1, "FirstName"), QStringLiteral("Typed"));

        const QString source = m_env->path("note.txt");
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("first line\nsecond line \xc3\xa4\n");
        file.close();
        m_env->answerFileDialog(source);
        click(w.get(), "BImportText");
        QCOMPARE(w->table1()->state(), store::DataSetState::Browse);
        QCOMPARE(storedValue(m_env->dataDir(), "table1.db", 1, "Comments"),
                 QString::fromUtf8("first line\nsecond line \xc3\xa4\n"));
    }

    void importRefusedWhileCommentsAreLocked()
    {
        fillLinks(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        w->pageHooks().commentsLocked = [] { return true; };
        control(w.get(), "MemoComments")->hide();
        m_env->messages().answer(MsgOk);
        click(w.get(), "BImportText");
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("Please unlock Comment Box to import!"));
        QVERIFY(m_env->fileRequests().isEmpty());
    }

    void notepadAndWordGetTheCommentsInAFile()
    {
        FakeDesktop desktop;
        desktop.install({"gedit", "libreoffice"});
        fillLinks(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "Open1");
        const QString memoTxt = m_env->path("memo.txt");
        QCOMPARE(fileText(memoTxt), QStringLiteral("Alpha Beta Gamma"));
        QCOMPARE(desktop.startedNames(), QStringList{"gedit"});
        QCOMPARE(desktop.starts().last().arguments, QStringList{memoTxt});

        // Twice: the file holds the comments shown now.
        showRecord(w.get(), 2);
        trigger(w.get(), "Open1");
        QCOMPARE(fileText(memoTxt), QString());

        showRecord(w.get(), 1);
        trigger(w.get(), "Open2");
        QCOMPARE(fileText(m_env->path("memo.doc")), QStringLiteral("Alpha Beta Gamma"));
        QCOMPARE(desktop.startedNames().last(), QStringLiteral("libreoffice"));
        QVERIFY(desktop.starts().last().arguments.endsWith(m_env->path("memo.doc")));

        // A file that cannot be written is reported and nothing starts.
        QFile::remove(memoTxt);
        QVERIFY(QDir(m_env->dataDir()).mkdir(QStringLiteral("memo.txt")));
        const int started = desktop.starts().size();
        m_env->messages().answer(MsgOk);
        trigger(w.get(), "Open1");
        QVERIFY(m_env->messages().lastText().startsWith(QStringLiteral("Cannot open output file.")));
        QCOMPARE(desktop.starts().size(), started);
    }

    void commentsEditorHandsTheTextBack()
    {
        fillLinks(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        QString caption;
        onModal<TFComments>([&caption](TFComments *d) {
            caption = d->windowTitle();
            auto *memo = d->findChild<QPlainTextEdit *>("DBMemo1");
            memo->moveCursor(QTextCursor::End);
            QTest::keyClick(memo, Qt::Key_Tab);
            QTest::keyClicks(memo, "Delta");
            d->close();
        });
        doubleClick(control(w.get(), "MemoComments")->findChild<QWidget *>("qt_scrollarea_viewport"));
        QTRY_COMPARE(text(w.get(), "MemoComments"), QStringLiteral("Alpha Beta Gamma\tDelta"));
        QCOMPARE(caption, QStringLiteral("Edit ") + text(w.get(), "LabelComments"));
        QCOMPARE(w->table1()->state(), store::DataSetState::Edit);
        QCOMPARE(w->focusWidget(), control(w.get(), "FilterCriteria"));
    }
};

QTEST_MAIN(TestCommentsLinks)
#include "tst_commentslinks.moc"
