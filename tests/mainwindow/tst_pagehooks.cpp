// The hooks later features plug into: which of them run when a database becomes current
// on each page, and what an unset hook answers.

#include "FileNames.h"
#include "MainWindowFixture.h"

#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

using namespace tav;
using namespace tav::test;

namespace
{
const QString kShop = QStringLiteral("SHOP");

struct HookCalls {
    int databaseLock = 0;
    int reportLock = 0;
    int configurations = 0;
    int chart = 0;
};

void countHookCalls(TFDFin *w, HookCalls &calls)
{
    PageHooks &hooks = w->pageHooks();
    hooks.presentDatabaseLock = [&calls] { ++calls.databaseLock; };
    hooks.presentReportLock = [&calls] { ++calls.reportLock; };
    hooks.refreshConfigurationList = [&calls] { ++calls.configurations; };
    hooks.buildChart = [&calls] { ++calls.chart; };
}
} // namespace

class TestPageHooks : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void unsetHooksAnswerSafely()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        w->pageHooks() = PageHooks{}; // as before any feature set its hooks
        QVERIFY(!w->commentsLocked());
        QVERIFY(w->saveConfigurationBeforeReport());
        w->BuildChart(); // does nothing
        w->pageHooks().commentsLocked = [] { return true; };
        w->pageHooks().saveConfigurationBeforeReport = [] { return false; };
        QVERIFY(w->commentsLocked());
        QVERIFY(!w->saveConfigurationBeforeReport());
    }

    void switchingRunsTheHooksOfThePageInFront_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("chartBuilds");
        QTest::newRow("Database") << 0 << 0;
        QTest::newRow("Report") << 1 << 0;
        QTest::newRow("Chart") << 2 << 1;
    }
    void switchingRunsTheHooksOfThePageInFront()
    {
        QFETCH(int, page);
        QFETCH(int, chartBuilds);
        createDatabase(m_env->dataDir(), kShop);
        auto w = startMainWindow(WizardAnswer::Ok);
        HookCalls calls;
        countHookCalls(w.get(), calls);
        QSignalSpy changed(w.get(), &TFDFin::currentDatabaseChanged);
        w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(page);

        chooseDatabase(w.get(), kShop);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(calls.databaseLock, 1);
        QCOMPARE(calls.reportLock, 2); // on becoming current and at the end of the switch
        QCOMPARE(calls.configurations, 1);
        QCOMPARE(calls.chart, chartBuilds);
    }

    void openingAndCreatingMakeADatabaseCurrent()
    {
        createDatabase(m_env->dataDir(), kShop);
        auto w = startMainWindow(WizardAnswer::Ok);
        HookCalls calls;
        countHookCalls(w.get(), calls);
        QSignalSpy changed(w.get(), &TFDFin::currentDatabaseChanged);

        w->OpenDatabase(kShop);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(calls.databaseLock, 1);
        QCOMPARE(calls.reportLock, 1);
        QCOMPARE(calls.configurations, 1);

        // A database that cannot be opened does not become current.
        m_env->messages().answer(MsgOk);
        w->OpenDatabase(QStringLiteral("NOSUCH"));
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_MAIN(TestPageHooks)
#include "tst_pagehooks.moc"
