// Database Information and the loan calculator window on the real main window.

#include "DialogDriver.h"
#include "FDFin.h"
#include "InfoDialog.h"
#include "MainWindowFixture.h"
#include "Mortgage.h"
#include "RecordsFixture.h"
#include "Table.h"
#include "TestEnvironment.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tav;
using namespace tav::test;

namespace
{
QString boxText(QWidget *window, const char *name)
{
    return window->findChild<QLineEdit *>(QString::fromLatin1(name))->text();
}

void setBox(QWidget *window, const char *name, const QString &text)
{
    window->findChild<QLineEdit *>(QString::fromLatin1(name))->setText(text);
}

void press(QWidget *window, const char *name)
{
    window->findChild<QAbstractButton *>(QString::fromLatin1(name))->click();
}
} // namespace

class TestInfoMortgage : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void informationAsksFirstThenShowsRecordOne()
    {
        fillMaster(m_env->dataDir(), 3);
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), 3);
        auto *first = w->findChild<QLineEdit *>("EditFirstName");
        first->setFocus();
        first->selectAll();
        QTest::keyClicks(first, "Typed");

        // Cancel: nothing is shown and the edit stays.
        m_env->messages().answer(MsgCancel);
        trigger(w.get(), "MMViewInfo");
        QCOMPARE(m_env->messages().lastText(),
                 QStringLiteral("You have made changes in your database. Save now?"));
        QCOMPARE(first->text(), QStringLiteral("Typed"));
        QCOMPARE(w->table1()->recNo(), 3);

        // Yes saves the edit, then the window shows the facts and record 1.
        QStringList values;
        onModal<TFInfo>([&values](TFInfo *d) {
            values = d->findChild<QPlainTextEdit *>("Memo2")->toPlainText().split('\n');
            d->accept();
        });
        m_env->messages().answer(MsgYes);
        trigger(w.get(), "MMViewInfo");
        QCOMPARE(values.size(), 6);
        QVERIFY(values[0].startsWith(QStringLiteral("MASTER  ")));
        QCOMPARE(values[1], QStringLiteral("3"));
        QVERIFY(values[2].endsWith(QStringLiteral(" bytes")));
        QCOMPARE(values[5], QStringLiteral("table1.db, label1.db, table1.mb"));
        QCOMPARE(storedValue(m_env->dataDir(), "table1.db", 3, "FirstName"), QStringLiteral("Typed"));
        QCOMPARE(w->table1()->recNo(), 1);
    }

    void calculatorWindowsWorkOnTheirOwnInputs()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "MMMortgageLoan");
        trigger(w.get(), "MMMortgageLoan");
        const auto windows = w->findChildren<TFMortgage *>();
        QCOMPARE(windows.size(), 2);
        TFMortgage *calc = windows.first();
        QVERIFY(calc->isVisible());
        QVERIFY(!calc->isModal());

        m_env->messages().answer(MsgOk);
        press(calc, "Balance");
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("Please press Calculate first."));

        press(calc, "Calculate");
        QCOMPARE(boxText(calc, "PayM"), QStringLiteral("908.70"));
        QCOMPARE(boxText(calc, "PayW"), QStringLiteral("209.70"));
        press(calc, "Balance");
        QCOMPARE(boxText(calc, "b"), QStringLiteral("99538.27"));
        QCOMPARE(boxText(calc, "ib"), QStringLiteral("4990.47"));
        // The other window has not been touched.
        QCOMPARE(boxText(windows.last(), "PayM"), QStringLiteral("*****.**"));

        // Letters: a message and no output changes.
        setBox(calc, "t", QStringLiteral("six"));
        m_env->messages().answer(MsgOk);
        press(calc, "Calculate");
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("\"six\" is not a valid number for Months."));
        QCOMPARE(boxText(calc, "b"), QStringLiteral("99538.27"));

        // Calculate resets the balance outputs.
        setBox(calc, "t", QStringLiteral("6"));
        press(calc, "Calculate");
        QCOMPARE(boxText(calc, "b"), QStringLiteral("*****.**"));

        press(calc, "SPrint");
        QCOMPARE(m_env->printedFiles().size(), 1);
        QCOMPARE(m_env->printRequests().first().kind, PrintKind::Dialog);

        press(calc, "SExit");
        QTRY_COMPARE(w->findChildren<TFMortgage *>().size(), 1);
    }
};

QTEST_MAIN(TestInfoMortgage)
#include "tst_infomortgage.moc"
