// The Report page in the window: preparing it from the menu and by its tab, leaving the
// Database page with a pending edit, criteria rows, and reports written, saved, opened and
// previewed.

#include "DBControls.h"
#include "FileNames.h"
#include "DialogDriver.h"
#include "FakeDesktop.h"
#include "MainWindowFixture.h"
#include "RadioGroup.h"
#include "RecordsFixture.h"
#include "ScreenPreview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace tav;
using namespace tav::test;

namespace
{
QTabWidget *pages(TFDFin *w)
{
    return w->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
}

// Clicks the tab of `page` as the user does.
void clickTab(TFDFin *w, int page)
{
    QTabBar *bar = pages(w)->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
}

QCheckBox *check(TFDFin *w, const QString &name)
{
    return w->findChild<QCheckBox *>(name);
}

QLineEdit *edit(TFDFin *w, const char *name)
{
    return w->findChild<QLineEdit *>(QString::fromLatin1(name));
}

// Opens the "&Report" menu; the runs of these tests save no configuration.
void openReportMenu(TFDFin *w)
{
    emit w->findChild<QMenu *>(QStringLiteral("MReport"))->aboutToShow();
    w->findChild<RadioGroup *>(QStringLiteral("rgConfig"))->setItemIndex(0);
}

// Only the record number and the last name are output.
void outputNumberAndLastName(TFDFin *w)
{
    w->BUnSeletAllClick();
    check(w, QStringLiteral("CheckBoxO2"))->setChecked(true);  // No.
    check(w, QStringLiteral("CheckBoxO5"))->setChecked(true);  // LastName
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}
} // namespace

class TestReportPage : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTestCase::init();
        m_home = std::make_unique<QTemporaryDir>();
        m_oldHome = qgetenv("HOME");
        qputenv("HOME", m_home->path().toUtf8()); // "c:" is the home folder
    }
    void cleanup()
    {
        qputenv("HOME", m_oldHome);
        m_home.reset();
        MainWindowTestCase::cleanup();
    }

    void reportMenuPreparesThePageOnlyOnce()
    {
        fillMaster(m_env->dataDir(), 3, {}, 2);
        auto w = startMainWindow(WizardAnswer::Ok);
        openReportMenu(w.get());
        QCOMPARE(pages(w.get())->currentIndex(), 1);
        QVERIFY(check(w.get(), QStringLiteral("CheckBoxO1"))->isChecked());
        QVERIFY(!check(w.get(), QStringLiteral("CheckBoxO18"))->isChecked());
        QVERIFY(check(w.get(), QStringLiteral("CheckBoxO19"))->isChecked()); // extra 0
        QVERIFY(check(w.get(), QStringLiteral("CheckBoxO19"))->isVisibleTo(w.get()));

        // The user's outputs stay when the menu opens again.
        check(w.get(), QStringLiteral("CheckBoxO1"))->setChecked(false);
        check(w.get(), QStringLiteral("CheckBoxO18"))->setChecked(true);
        openReportMenu(w.get());
        QVERIFY(!check(w.get(), QStringLiteral("CheckBoxO1"))->isChecked());
        QVERIFY(check(w.get(), QStringLiteral("CheckBoxO18"))->isChecked());

        // Arriving by the tab shows the extra outputs unchecked.
        clickTab(w.get(), 0);
        clickTab(w.get(), 1);
        QVERIFY(check(w.get(), QStringLiteral("CheckBoxO1"))->isChecked());
        QVERIFY(!check(w.get(), QStringLiteral("CheckBoxO19"))->isChecked());
        QVERIFY(!check(w.get(), QStringLiteral("CheckBoxO18"))->isChecked());
        // No configuration is saved yet: the list is off, saving one is offered.
        QVERIFY(!isEnabled(w.get(), "cbbConfiguration"));
        for (const char *name : {"rgConfig", "edtConfig"})
            QVERIFY2(isEnabled(w.get(), name), name);
    }

    void leavingTheDatabasePageWithAPendingEdit_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("refuseSave");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("pending");
        QTest::newRow("Yes") << int(MsgYes) << false << 1 << "xL2" << false;
        QTest::newRow("No") << int(MsgNo) << false << 1 << "L2" << false;
        QTest::newRow("Cancel") << int(MsgCancel) << false << 0 << "L2" << true;
        QTest::newRow("Yes, save refused") << int(MsgYes) << true << 0 << "L2" << true;
    }
    void leavingTheDatabasePageWithAPendingEdit()
    {
        QFETCH(int, answer);
        QFETCH(bool, refuseSave);
        QFETCH(int, page);
        QFETCH(QString, stored);
        QFETCH(bool, pending);
        fillMaster(m_env->dataDir(), 3);
        auto w = startMainWindow(WizardAnswer::Ok);
        showRecord(w.get(), 2);
        QTest::keyClicks(control(w.get(), "EditLastName"), QStringLiteral("x"));
        if (refuseSave) {
            auto *date = w->findChild<DBEdit *>(QStringLiteral("EditDate"));
            date->selectAll();
            QTest::keyClicks(date, QStringLiteral("99"));
        }
        m_env->messages().answer(answer);
        if (refuseSave)
            m_env->messages().answer(MsgOk); // the date is refused
        clickTab(w.get(), 1);

        QCOMPARE(m_env->messages().shown().first().text,
                 QStringLiteral("You have made changes in your database. Save now?"));
        QCOMPARE(pages(w.get())->currentIndex(), page);
        QCOMPARE(storedValue(m_env->dataDir(), store::files::recordsTable(store::files::kMaster), 2,
                             QStringLiteral("LastName")),
                 stored);
        QCOMPARE(w->HasUnsavedChanges(), pending);
        if (pending) // the record being edited was not moved
            QCOMPARE(w->table1()->recNo(), 2);
    }

    void programSwitchesRunNoHandlers()
    {
        fillMaster(m_env->dataDir(), 3);
        auto w = startMainWindow(WizardAnswer::Ok);
        clickTab(w.get(), 1);
        check(w.get(), QStringLiteral("CheckBoxO1"))->setChecked(false);
        pages(w.get())->setCurrentIndex(0); // as the top-level menus do
        pages(w.get())->setCurrentIndex(1);
        QVERIFY(!check(w.get(), QStringLiteral("CheckBoxO1"))->isChecked());
        // The keyboard switches like the mouse.
        pages(w.get())->setCurrentIndex(0);
        QTest::keyClick(pages(w.get()), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(pages(w.get())->currentIndex(), 1);
        QVERIFY(check(w.get(), QStringLiteral("CheckBoxO1"))->isChecked());
    }

    void criteriaRows()
    {
        setShortDatePattern(QStringLiteral("dd-MMM-yy"));
        fillMaster(m_env->dataDir(), 3, [](store::Table &t, int n) {
            t.setValue(QStringLiteral("LastName"), QStringList{"Smith", "Goldsmith", "Jones"}[n - 1]);
        });
        FakeDesktop desktop; // the Excel report is opened without starting a real program
        desktop.install({QStringLiteral("gnumeric")});
        auto w = startMainWindow(WizardAnswer::Ok);
        openReportMenu(w.get());
        auto *created = check(w.get(), QStringLiteral("CheckBox1"));
        created->setChecked(true);
        QVERIFY(edit(w.get(), "Edit1")->isVisibleTo(w.get()));
        QCOMPARE(edit(w.get(), "Edit1")->text(), QString());
        const QDate today = QDate::currentDate();
        QCOMPARE(edit(w.get(), "Edit1a")->text(),
                 QStringLiteral("%1-%2-%3").arg(today.toString(QStringLiteral("dd"))).arg(today.month()).arg(today.year()));

        // No start date typed.
        m_env->messages().answer(MsgOk);
        w->BScreenPreviewClick();
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("From: '' is not a valid date!"));
        QVERIFY(!QApplication::overrideCursor());

        // The default end date is accepted; the last name is matched in lower case.
        edit(w.get(), "Edit1")->setText(QStringLiteral("1-Mar-01"));
        check(w.get(), QStringLiteral("CheckBox5"))->setChecked(true); // LastName
        QTest::keyClicks(edit(w.get(), "Edit5"), QStringLiteral("SMITH"));
        outputNumberAndLastName(w.get());
        w->SSMScreenPreviewClick(3); // Excel
        w->MMGenOpenClick();
        QCOMPARE(desktop.startedNames(), QStringList{QStringLiteral("gnumeric")});
        QCOMPARE(edit(w.get(), "Edit5")->text(), QStringLiteral("smith"));
        const QByteArray report = fileBytes(m_home->filePath(QStringLiteral("report.xls")));
        QVERIFY2(report.endsWith("\r\n\r\n1\tSmith\t\r\n2\tGoldsmith\t\r\n"), report.constData());

        // Unchecking and checking again empties the row.
        check(w.get(), QStringLiteral("CheckBox5"))->setChecked(false);
        QVERIFY(!edit(w.get(), "Edit5")->isVisibleTo(w.get()));
        check(w.get(), QStringLiteral("CheckBox5"))->setChecked(true);
        QCOMPARE(edit(w.get(), "Edit5")->text(), QString());
    }

    void savedReportGoesUnderTheChosenName()
    {
        fillMaster(m_env->dataDir(), 2);
        auto w = startMainWindow(WizardAnswer::Ok);
        openReportMenu(w.get());
        outputNumberAndLastName(w.get());
        w->findChild<QComboBox *>(QStringLiteral("CBRepFormat"))->setCurrentIndex(3);
        const QString typed = QDir(m_env->dataDir()).filePath(QStringLiteral("list"));
        m_env->answerFileDialog(typed);
        w->MMGenSaveClick();
        QCOMPARE(m_env->fileRequests().last().filterIndex, 3);
        const QString caption = check(w.get(), QStringLiteral("CheckBoxO2"))->text();
        const QString last = check(w.get(), QStringLiteral("CheckBoxO5"))->text();
        QCOMPARE(fileBytes(typed + QStringLiteral(".xls")),
                 (caption + "\t" + last + "\t\r\n\r\n1\tL1\t\r\n2\tL2\t\r\n").toUtf8());
        QVERIFY(!QFile::exists(m_home->filePath(QStringLiteral("report.xls"))));
    }

    void openedReportsAndFailedWrites()
    {
        FakeDesktop desktop;
        desktop.install({QStringLiteral("gedit")});
        fillMaster(m_env->dataDir(), 2);
        auto w = startMainWindow(WizardAnswer::Ok);
        openReportMenu(w.get());
        outputNumberAndLastName(w.get());
        w->SSMScreenPreviewClick(1); // NotePad
        w->MMGenOpenClick();
        const QString report = m_home->filePath(QStringLiteral("report.txt"));
        QVERIFY(fileBytes(report).contains("\t2\r\n"));
        QCOMPARE(desktop.startedNames(), QStringList{QStringLiteral("gedit")});
        QCOMPARE(desktop.starts().first().arguments.last(), report);

        // A full disc: reported, nothing opened.
        QFile::remove(report);
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), report));
        m_env->messages().answer(MsgOk);
        w->MMGenOpenClick();
        QVERIFY(m_env->messages().lastText().startsWith(QStringLiteral("Can NOT write the output file!")));
        QCOMPARE(desktop.starts().size(), 1);

        // A file that cannot be opened.
        QFile::remove(report);
        QVERIFY(QDir(m_home->path()).mkdir(QStringLiteral("report.txt")));
        m_env->messages().answer(MsgOk);
        w->MMGenOpenClick();
        QCOMPARE(m_env->messages().lastText(),
                 QStringLiteral("Can NOT open the output file! \n\nIt's already in use by other "
                                "application or\n you don't have enough disc space!"));
        QCOMPARE(desktop.starts().size(), 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    void noOutputNoRecordsAndLockedComments()
    {
        FakeDesktop desktop;
        desktop.install({QStringLiteral("gnumeric")});
        fillMaster(m_env->dataDir(), 2, [](store::Table &t, int) {
            t.setValue(QStringLiteral("Comments"), QStringLiteral("secret"));
        });
        auto w = startMainWindow(WizardAnswer::Ok);
        openReportMenu(w.get());
        w->BUnSeletAllClick();
        check(w.get(), QStringLiteral("CheckBoxO18"))->setChecked(true);
        m_env->messages().answer(MsgOk);
        w->BScreenPreviewClick();
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("No Output has been selected"));

        check(w.get(), QStringLiteral("CheckBoxO5"))->setChecked(true);
        check(w.get(), QStringLiteral("CheckBox5"))->setChecked(true);
        edit(w.get(), "Edit5")->setText(QStringLiteral("nobody"));
        m_env->messages().answer(MsgOk);
        w->BScreenPreviewClick();
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("No record found"));
        check(w.get(), QStringLiteral("CheckBox5"))->setChecked(false);

        // Locked comments stay out even when their box is checked in code.
        w->pageHooks().commentsLocked = [] { return true; };
        w->SSMScreenPreviewClick(3);
        check(w.get(), QStringLiteral("CheckBoxO18"))->setChecked(true);
        w->MMGenOpenClick();
        QVERIFY(!fileBytes(m_home->filePath(QStringLiteral("report.xls"))).contains("secret"));
        w->pageHooks().commentsLocked = [] { return false; };
        w->MMGenOpenClick();
        QVERIFY(fileBytes(m_home->filePath(QStringLiteral("report.xls"))).contains("secret"));
    }

    void screenPreviewShowsTheRecordsWithoutComments()
    {
        fillMaster(m_env->dataDir(), 450);
        auto w = startMainWindow(WizardAnswer::Ok);
        openReportMenu(w.get());
        outputNumberAndLastName(w.get());
        check(w.get(), QStringLiteral("CheckBoxO18"))->setChecked(true);
        w->SSMScreenPreviewClick(0); // the menu leaves the comments box checked
        QVERIFY(check(w.get(), QStringLiteral("CheckBoxO18"))->isChecked());
        int columns = -1, rows = -1;
        QString firstName, title;
        onModal<TFScreenPreview>([&](TFScreenPreview *preview) {
            QAbstractItemModel *model = preview->grid()->model();
            columns = model->columnCount();
            rows = model->rowCount();
            firstName = model->index(0, 1).data().toString();
            title = preview->windowTitle();
            preview->close();
        });
        w->BScreenPreviewClick();
        QCOMPARE(title, QStringLiteral("Screen Preview"));
        QCOMPARE(columns, 2);
        QVERIFY(rows > 0 && rows < 450); // read as the grid scrolls
        QCOMPARE(firstName, QStringLiteral("L1"));

        // The format list drops the comments for the preview.
        auto *format = w->findChild<QComboBox *>(QStringLiteral("CBRepFormat"));
        format->setCurrentIndex(2);
        QVERIFY(isEnabled(w.get(), "RBOpen"));
        check(w.get(), QStringLiteral("CheckBoxO18"))->setChecked(true);
        format->setCurrentIndex(0);
        QVERIFY(!check(w.get(), QStringLiteral("CheckBoxO18"))->isChecked());
        QVERIFY(!isEnabled(w.get(), "RBOpen"));
    }

    void sortControlsAndMenuMarks()
    {
        fillMaster(m_env->dataDir(), 1);
        auto w = startMainWindow(WizardAnswer::Ok);
        openReportMenu(w.get());
        auto *asc = w->findChild<QAction *>(QStringLiteral("SSMAscending"));
        auto *des = w->findChild<QAction *>(QStringLiteral("SSMDescending"));
        w->findChild<QRadioButton *>(QStringLiteral("RBDes"))->click();
        QVERIFY(des->isChecked() && !asc->isChecked());
        asc->trigger();
        QVERIFY(w->findChild<QRadioButton *>(QStringLiteral("RBAsc"))->isChecked());
        QVERIFY(asc->isChecked() && !des->isChecked());

        auto *sort = w->findChild<QComboBox *>(QStringLiteral("ComboBoxSort"));
        sort->setCurrentIndex(2);
        QTest::keyClick(sort, Qt::Key_S);
        QCOMPARE(sort->currentIndex(), -1);
        QCOMPARE(sort->currentText(), QString()); // the placeholder "Select" shows
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QByteArray m_oldHome;
};

QTEST_MAIN(TestReportPage)
#include "tst_reportpage.moc"
