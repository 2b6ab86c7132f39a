// The quick-search panel of the Database page on the real main window: choosing the field,
// the group box caption, Find First / Find Next / Find Prev with the criterion kept per
// field, the comments search at the ends of the table, and that searching never hides a
// record.

#include "FDFin.h"
#include "MainWindowFixture.h"
#include "RecordsFixture.h"
#include "Table.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

using namespace tav;
using namespace tav::test;

namespace
{
const QString kNoRecord = QStringLiteral("NO RECORD !!!");
const QString kNoRecordFound = QStringLiteral("NO RECORD FOUND !!!");

const char *const kFirstNames[] = {"Bob",  "Joanne", "Carl",  "ANNA", "Ärne",
                                   "Dora", "Eve",    "Fritz", "Gus",  "Hanna"};

// Ten records: the first names above, "Smith", "Smithers" and "smith" as last names of 3, 6
// and 9, comments on 3 and 7.
void fillPeople(const QString &dataDir)
{
    fillMaster(dataDir, 10, [](store::Table &t, int n) {
        t.setValue("FirstName", QString::fromUtf8(kFirstNames[n - 1]));
        if (n == 3 || n == 6 || n == 9)
            t.setValue("LastName", n == 3 ? "Smith" : n == 6 ? "Smithers" : "smith");
        if (n == 3)
            t.setValue("Comments", "Please call back");
        if (n == 7)
            t.setValue("Comments", "CALL at noon");
    });
}

void chooseField(TFDFin *w, int item)
{
    auto *button =
        w->findChild<QRadioButton *>(QStringLiteral("FilterOnRadioGroupItem%1").arg(item));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    QVERIFY(button->isChecked());
}

void setCriterion(TFDFin *w, const QString &value)
{
    auto *box = w->findChild<QLineEdit *>(QStringLiteral("FilterCriteria"));
    box->setFocus();
    box->selectAll();
    box->del();
    for (const QChar c : value) // key by key, also letters beyond ASCII
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QString groupCaption(TFDFin *w)
{
    return w->findChild<QGroupBox *>(QStringLiteral("GroupBox1"))->title();
}
} // namespace

class TestSearchPanel : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void textSearchIgnoresCaseInAnyLanguage()
    {
        fillPeople(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        QCOMPARE(groupCaption(w.get()), QStringLiteral("Search by No.")); // item 0 at start

        // The caption comes from the caption box as it reads now.
        auto *caption = qobject_cast<QLineEdit *>(control(w.get(), "LabelFirst"));
        caption->setFocus();
        caption->selectAll();
        QTest::keyClicks(caption, QStringLiteral("Given name"));
        chooseField(w.get(), 2);
        QCOMPARE(groupCaption(w.get()), QStringLiteral("Search by Given name"));
        QCOMPARE(w->findChild<QLabel *>(QStringLiteral("FilterOnLabel"))->text(), QString());
        QTRY_COMPARE(QApplication::focusWidget(), control(w.get(), "FilterCriteria"));

        click(w.get(), "SBFirst"); // First and Previous off: a search turns them on again
        setCriterion(w.get(), QStringLiteral("ann"));
        click(w.get(), "FindBtn");
        QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("Joanne"));
        for (const char *name : {"SBFirst", "SBPrev", "SBNext", "SBLast"})
            QVERIFY2(isEnabled(w.get(), name), name);
        click(w.get(), "NextBtn");
        QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("ANNA"));
        click(w.get(), "NextBtn");
        QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("Hanna"));
        m_env->messages().answer(MsgOk);
        click(w.get(), "NextBtn");
        QCOMPARE(m_env->messages().lastText(), kNoRecordFound);
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("10"));
        click(w.get(), "PriorBtn");
        QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("ANNA"));

        // Lower-casing follows the language, not ASCII: "äR" finds "Ärne".
        setCriterion(w.get(), QStringLiteral("äR"));
        click(w.get(), "FindBtn");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("5"));

        m_env->messages().answer(MsgOk);
        setCriterion(w.get(), QStringLiteral("zz"));
        click(w.get(), "FindBtn");
        QCOMPARE(m_env->messages().lastText(), kNoRecord);
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("5"));

        // Nothing was filtered: every record is still reached.
        QCOMPARE(w->table1()->recordCount(), 10);
        click(w.get(), "SBLast");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("10"));
        click(w.get(), "SBFirst");
        QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("Bob"));
    }

    void numberSearch_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shownAfter");
        QTest::addColumn<QString>("message");
        QTest::newRow("7") << "7"
                           << "7"
                           << "";
        QTest::newRow("0") << "0"
                           << "3" << kNoRecord;
        // No conversion, no search: the record stays and the criterion is refused.
        QTest::newRow("not a number") << "seven"
                                      << "3" << QStringLiteral("'seven' is not a valid integer value.");
    }
    void numberSearch()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shownAfter);
        QFETCH(QString, message);
        fillPeople(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), 3);
        if (!message.isEmpty())
            m_env->messages().answer(MsgOk);
        setCriterion(w.get(), typed);
        click(w.get(), "FindBtn");
        QCOMPARE(text(w.get(), "EditCount"), shownAfter);
        QCOMPARE(m_env->messages().texts(),
                 message.isEmpty() ? QStringList() : QStringList{message});
    }

    void criterionIsKeptPerField()
    {
        fillPeople(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        chooseField(w.get(), 3);
        setCriterion(w.get(), QStringLiteral("smith"));
        click(w.get(), "FindBtn");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("3"));

        // An empty box searches for the field's last criterion again.
        setCriterion(w.get(), QString());
        click(w.get(), "NextBtn");
        QCOMPARE(text(w.get(), "EditLastName"), QStringLiteral("Smithers"));

        chooseField(w.get(), 2);
        setCriterion(w.get(), QStringLiteral("bob"));
        click(w.get(), "FindBtn");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("1"));

        chooseField(w.get(), 3);
        setCriterion(w.get(), QString());
        click(w.get(), "NextBtn");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("3"));
        click(w.get(), "NextBtn");
        click(w.get(), "NextBtn");
        QCOMPARE(text(w.get(), "EditLastName"), QStringLiteral("smith"));
    }

    void commentsSearchStopsAtTheEnds()
    {
        fillPeople(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        chooseField(w.get(), 8);
        QCOMPARE(groupCaption(w.get()),
                 QStringLiteral("Search by ") + text(w.get(), "LabelComments"));
        setCriterion(w.get(), QStringLiteral("call"));
        click(w.get(), "SBLast");

        // At the last record Find Next runs past the end once; pressed again it does nothing.
        m_env->messages().answer(MsgOk);
        click(w.get(), "NextBtn");
        QCOMPARE(m_env->messages().texts(), QStringList{kNoRecordFound});
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("10"));
        click(w.get(), "NextBtn");
        QCOMPARE(m_env->messages().texts().size(), 1);
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("10"));

        click(w.get(), "FindBtn");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("3"));
        click(w.get(), "NextBtn");
        QCOMPARE(text(w.get(), "MemoComments"), QStringLiteral("CALL at noon"));

        // Going back from 3 there is none before: the walk ends on the first record.
        click(w.get(), "PriorBtn");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("3"));
        m_env->messages().answer(MsgOk);
        click(w.get(), "PriorBtn");
        QCOMPARE(m_env->messages().lastText(), kNoRecordFound);
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestSearchPanel)
#include "tst_searchpanel.moc"
