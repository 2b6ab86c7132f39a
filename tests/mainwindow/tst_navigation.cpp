// Record navigation and editing on the real main window: the navigation prompt, the
// enabling of the navigation controls, Add, Save, Cancel and Undo, the typing rule, the
// current field position and the decoration of e-mail and web addresses.

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace tav;
using namespace tav::test;
namespace cat = tav::store::catalogue;
namespace files = tav::store::files;
using tav::store::DataSetState;

namespace
{
const QString kMasterRecords = QStringLiteral("table1.db");
const QString kPrompt = QStringLiteral("You have made changes in your database. Save now?");

// MASTER with its blank first record followed by records of these last names.
void fillMaster(const QString &dataDir, const QStringList &lastNames, int nradd = 0)
{
    store::ensureSuppliedFiles(dataDir);
    addRecords(dataDir, files::kMaster, lastNames);
    setNradd(dataDir, files::kMaster, nradd);
}

DBEdit *box(TFDFin *w, const char *name)
{
    return w->findChild<DBEdit *>(QString::fromLatin1(name));
}

void click(TFDFin *w, const char *button)
{
    w->findChild<QToolButton *>(QString::fromLatin1(button))->click();
}

void typeInto(DBEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Which of First, Previous, Next, Last are enabled ("FPNL"); a button and its menu item
// must agree.
QString navigationEnabled(TFDFin *w)
{
    const struct {
        const char *button;
        const char *item;
        char letter;
    } controls[] = {{"SBFirst", "SMFirst", 'F'},
                    {"SBPrev", "SMPrevious", 'P'},
                    {"SBNext", "SMNext", 'N'},
                    {"SBLast", "SMLast", 'L'}};
    QString on;
    for (const auto &c : controls) {
        if (isEnabled(w, c.button) != isEnabled(w, c.item))
            return QStringLiteral("%1 differs from %2").arg(c.button, c.item);
        if (isEnabled(w, c.button))
            on += QLatin1Char(c.letter);
    }
    return on;
}
} // namespace

class TestNavigation : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTestCase::init();
        setShortDatePattern(QStringLiteral("dd.MM.yyyy"));
    }

    void promptBeforeMovingAChangedRecord_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("countAfter");
        QTest::addColumn<QString>("storedAfter");
        QTest::newRow("Cancel keeps the changes and the place") << int(MsgCancel) << "2"
                                                                << "Baker";
        QTest::newRow("No discards and moves") << int(MsgNo) << "3"
                                               << "Baker";
        QTest::newRow("Yes saves and moves") << int(MsgYes) << "3"
                                             << "Dunn";
    }

    void promptBeforeMovingAChangedRecord()
    {
        QFETCH(int, answer);
        QFETCH(QString, countAfter);
        QFETCH(QString, storedAfter);
        fillMaster(m_env->dataDir(), {"Baker", "Cole"});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        click(w.get(), "SBNext");
        QCOMPARE(box(w.get(), "EditLastName")->text(), QStringLiteral("Baker"));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse); // showing is no editing

        typeInto(box(w.get(), "EditLastName"), QStringLiteral("Dunn"));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Edit);
        m_env->messages().answer(answer);
        QTest::keyClick(box(w.get(), "EditLastName"), Qt::Key_F1);

        const MessageRequest prompt = m_env->messages().shown().last();
        QCOMPARE(prompt.text, kPrompt);
        QCOMPARE(prompt.caption, QStringLiteral("Warning"));
        QCOMPARE(prompt.buttons, MsgYes | MsgNo | MsgCancel);
        QCOMPARE(box(w.get(), "EditCount")->text(), countAfter);
        QCOMPARE(storedValue(m_env->dataDir(), kMasterRecords, 2, QStringLiteral("LastName")),
                 storedAfter);
        if (answer == MsgCancel) {
            QCOMPARE(w->dataSource1()->state(), DataSetState::Edit);
            QCOMPARE(box(w.get(), "EditLastName")->text(), QStringLiteral("Dunn"));
            QVERIFY(!isEnabled(w.get(), "SBAdd"));
        } else {
            QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
            QCOMPARE(box(w.get(), "EditLastName")->text(), QStringLiteral("Cole"));
            QVERIFY(isEnabled(w.get(), "SBAdd") && isEnabled(w.get(), "SMNew"));
        }
    }

    void failedSaveKeepsTheEdit_data()
    {
        QTest::addColumn<bool>("byNavigation");
        QTest::newRow("Save") << false;
        QTest::newRow("Yes to the navigation prompt") << true;
    }

    void failedSaveKeepsTheEdit()
    {
        QFETCH(bool, byNavigation);
        fillMaster(m_env->dataDir(), {"Baker", "Cole"});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        click(w.get(), "SBNext");
        // The file refuses every change of a record, as a full disk would.
        w->table1()->execute(QStringLiteral(
            "CREATE TRIGGER refuse BEFORE UPDATE ON data "
            "BEGIN SELECT RAISE(ABORT, 'the disk refused the record'); END"));

        typeInto(box(w.get(), "EditLastName"), QStringLiteral("Dunn"));
        if (byNavigation) {
            m_env->messages().answer(MsgYes);
            m_env->messages().answer(MsgOk);
            QTest::keyClick(box(w.get(), "EditLastName"), Qt::Key_F1);
        } else {
            m_env->messages().answer(MsgOk);
            click(w.get(), "SBSave");
        }

        QVERIFY2(m_env->messages().lastText().contains(QStringLiteral("the disk refused the record")),
                 qPrintable(m_env->messages().lastText()));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Edit);
        QCOMPARE(box(w.get(), "EditLastName")->text(), QStringLiteral("Dunn"));
        QCOMPARE(w->table1()->asString(QStringLiteral("LastName")), QStringLiteral("Dunn"));
        QCOMPARE(box(w.get(), "EditCount")->text(), QStringLiteral("2"));
        QCOMPARE(storedValue(m_env->dataDir(), kMasterRecords, 2, QStringLiteral("LastName")),
                 QStringLiteral("Baker"));
    }

    void addingShowsOneMoreRecordAndBlocksNavigation()
    {
        fillMaster(m_env->dataDir(), {"Baker", "Cole", "Dunn", "Ellis"});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        click(w.get(), "SBNext");
        QCOMPARE(w->statusPanelText(1), QStringLiteral("5 records"));

        click(w.get(), "SBAdd");
        QCOMPARE(w->statusPanelText(1), QStringLiteral("6 records"));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Insert);
        QCOMPARE(box(w.get(), "EditDate")->text(),
                 QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(box(w.get(), "EditLastName")->text(), QString());
        QTRY_COMPARE(QApplication::focusWidget(), box(w.get(), "EditID"));
        QCOMPARE(navigationEnabled(w.get()), QString());
        QVERIFY(!isEnabled(w.get(), "SBAdd") && !isEnabled(w.get(), "SMNew"));

        // F1..F4 do nothing: no prompt, the new record stays.
        for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4})
            QTest::keyClick(box(w.get(), "EditID"), key);
        QCOMPARE(w->dataSource1()->state(), DataSetState::Insert);
        QCOMPARE(w->statusPanelText(1), QStringLiteral("6 records"));
        QVERIFY(m_env->messages().shown().isEmpty());

        click(w.get(), "SBCancel");
        QCOMPARE(w->statusPanelText(1), QStringLiteral("5 records"));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
        QCOMPARE(box(w.get(), "EditLastName")->text(), QStringLiteral("Baker"));
        QCOMPARE(navigationEnabled(w.get()), QStringLiteral("FPNL"));
        QVERIFY(isEnabled(w.get(), "SBAdd") && isEnabled(w.get(), "SMNew"));
        QCOMPARE(w->table1()->recordCount(), 5);
    }

    void addedRecordIsSavedWithAValidDate()
    {
        fillMaster(m_env->dataDir(), {"Baker"});
        auto w = startMainWindow(WizardAnswer::Ok);
        w->findChild<QAction *>(QStringLiteral("SMNew"))->trigger();
        typeInto(box(w.get(), "EditLastName"), QStringLiteral("Cole"));
        typeInto(box(w.get(), "EditDate"), QStringLiteral("31.02.2003"));

        m_env->messages().answer(MsgOk);
        click(w.get(), "SBSave1");
        QCOMPARE(m_env->messages().lastText(),
                 QStringLiteral("Created: '31.02.2003' is not a valid date!"));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Insert);
        QCOMPARE(w->table1()->recordCount(), 2);

        typeInto(box(w.get(), "EditDate"), QStringLiteral("1.2.2003"));
        w->findChild<QAction *>(QStringLiteral("SMSave"))->trigger();
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
        QCOMPARE(box(w.get(), "EditCount")->text(), QStringLiteral("3"));
        QCOMPARE(box(w.get(), "EditDate")->text(), QStringLiteral("01.02.2003"));
        QCOMPARE(storedValue(m_env->dataDir(), kMasterRecords, 3, QStringLiteral("LastName")),
                 QStringLiteral("Cole"));
        QCOMPARE(w->rememberedRecordCount(), 3);
        QCOMPARE(navigationEnabled(w.get()), QStringLiteral("FPNL"));
        QCOMPARE(w->statusPanelText(1), QStringLiteral("3 records"));
    }

    void undoOfAnAddReturnsToTheRecordBefore_data()
    {
        QTest::addColumn<QString>("move");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("lastName");
        QTest::addColumn<QString>("navigation");
        QTest::newRow("from the last record") << "SBLast" << "5" << "Ellis" << "FP";
        QTest::newRow("from the first record") << "SBFirst" << "1" << "" << "NL";
    }

    void undoOfAnAddReturnsToTheRecordBefore()
    {
        QFETCH(QString, move);
        QFETCH(QString, number);
        QFETCH(QString, lastName);
        QFETCH(QString, navigation);
        fillMaster(m_env->dataDir(), {"Baker", "Cole", "Dunn", "Ellis"});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        click(w.get(), move.toLatin1().constData());
        QCOMPARE(navigationEnabled(w.get()), navigation);

        click(w.get(), "SBAdd");
        typeInto(box(w.get(), "EditLastName"), QStringLiteral("Fox"));
        w->findChild<QAction *>(QStringLiteral("MMUndo"))->trigger(); // Edit > Undo

        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
        QCOMPARE(w->table1()->recordCount(), 5);
        QCOMPARE(w->statusPanelText(1), QStringLiteral("5 records"));
        QCOMPARE(box(w.get(), "EditCount")->text(), number);
        QCOMPARE(box(w.get(), "EditLastName")->text(), lastName);
        QCOMPARE(navigationEnabled(w.get()), navigation);
        for (const char *name : {"SBAdd", "SMNew", "SMInsert", "SMDelete", "SMEmpty", "SBSave",
                                 "SBCancel"})
            QVERIFY2(isEnabled(w.get(), name), name);
    }

    void editBoxesCountCharactersAsTheStoreDoes()
    {
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        const QString hundred = emoji.repeated(100);
        fillMaster(m_env->dataDir(), {"Baker"});
        {
            store::Table records;
            records.setDirectory(m_env->dataDir());
            records.setTableName(kMasterRecords);
            records.open();
            records.last();
            records.edit();
            records.setValue(QStringLiteral("LastName"), hundred);
            records.post();
        }
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        click(w.get(), "SBLast");
        DBEdit *lastName = box(w.get(), "EditLastName");
        QCOMPARE(lastName->text(), hundred); // shown whole, not cut at 100 UTF-16 units

        // A key at the limit is refused and leaves the record unchanged.
        lastName->setFocus();
        lastName->end(false);
        QTest::keyClick(lastName, Qt::Key_A);
        QCOMPARE(lastName->text(), hundred);
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);

        // Room for two more characters: a paste keeps its beginning, emoji stay whole.
        lastName->setCursorPosition(4);
        lastName->del();
        lastName->del(); // deletes whole characters: two emoji gone, 98 left
        QCOMPARE(lastName->text(), emoji.repeated(98));
        lastName->insert(QStringLiteral("x") + emoji + QStringLiteral("yz"));
        QCOMPARE(lastName->text(), emoji.repeated(2) + QStringLiteral("x") + emoji +
                                       emoji.repeated(96));
        click(w.get(), "SBSave");
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
        QCOMPARE(storedValue(m_env->dataDir(), kMasterRecords, 2, QStringLiteral("LastName")),
                 lastName->text());
    }

    void navigationEnablingAtBothEnds()
    {
        fillMaster(m_env->dataDir(), {"Baker", "Cole"});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        DBEdit *lastName = box(w.get(), "EditLastName");

        click(w.get(), "SBLast");
        QCOMPARE(lastName->text(), QStringLiteral("Cole"));
        QCOMPARE(navigationEnabled(w.get()), QStringLiteral("FP"));
        click(w.get(), "SBPrev");
        QCOMPARE(navigationEnabled(w.get()), QStringLiteral("FPNL"));
        QTest::keyClick(lastName, Qt::Key_F2); // Previous onto record 1
        QCOMPARE(box(w.get(), "EditCount")->text(), QStringLiteral("1"));
        QCOMPARE(navigationEnabled(w.get()), QStringLiteral("NL"));
        QTest::keyClick(lastName, Qt::Key_F1);
        QCOMPARE(lastName->text(), QStringLiteral("Baker"));
        QCOMPARE(navigationEnabled(w.get()), QStringLiteral("FPNL"));
        QTest::keyClick(lastName, Qt::Key_F1); // Next onto the last record
        QCOMPARE(lastName->text(), QStringLiteral("Cole"));
        QCOMPARE(navigationEnabled(w.get()), QStringLiteral("FP"));
        QCOMPARE(w->rememberedRecordCount(), 3);
        QTest::keyClick(lastName, Qt::Key_F3);
        QCOMPARE(box(w.get(), "EditCount")->text(), QStringLiteral("1"));
        QCOMPARE(navigationEnabled(w.get()), QStringLiteral("NL"));
        QTest::keyClick(lastName, Qt::Key_F4);
        QCOMPARE(box(w.get(), "EditCount")->text(), QStringLiteral("3"));
        QCOMPARE(navigationEnabled(w.get()), QStringLiteral("FP"));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
    }

    void saveWithoutDatabaseNamesBothTables()
    {
        auto w = startMainWindow(WizardAnswer::Cancel);
        m_env->messages().answer(MsgOk);
        m_env->messages().answer(MsgOk);
        click(w.get(), "SBSave1");
        QCOMPARE(m_env->messages().texts(),
                 QStringList({"Sorry,you must select a database first!",
                              "Sorry, you must select a database first!"}));
        // The toolbar's Undo (Cancel) has nothing to count without a database.
        click(w.get(), "SpeedButton4");
        QCOMPARE(w->statusPanelText(1), QString());
    }

    void typingDisablesAddUntilSaveOrCancel()
    {
        fillMaster(m_env->dataDir(), {"Baker"});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        DBEdit *first = box(w.get(), "EditFirstName");

        // A key that only moves (F1) changes nothing and leaves Add alone.
        first->setFocus();
        QTest::keyClick(first, Qt::Key_F1);
        QVERIFY(isEnabled(w.get(), "SBAdd"));

        typeInto(first, QStringLiteral("Ann"));
        QVERIFY(!isEnabled(w.get(), "SBAdd") && !isEnabled(w.get(), "SMNew"));
        click(w.get(), "SBCancel");
        QCOMPARE(first->text(), QString());
        QVERIFY(isEnabled(w.get(), "SBAdd") && isEnabled(w.get(), "SMNew"));

        // Undo drops the changes: the record is unchanged again, so Add applies again.
        typeInto(first, QStringLiteral("Bea"));
        w->findChild<QAction *>(QStringLiteral("MMUndo"))->trigger();
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
        QCOMPARE(first->text(), QString());
        QVERIFY(isEnabled(w.get(), "SBAdd") && isEnabled(w.get(), "SMNew"));
        typeInto(first, QStringLiteral("Cy"));
        QVERIFY(!isEnabled(w.get(), "SBAdd"));
        click(w.get(), "SBSave");
        QVERIFY(isEnabled(w.get(), "SBAdd"));
        QCOMPARE(storedValue(m_env->dataDir(), kMasterRecords, 2, QStringLiteral("FirstName")),
                 QStringLiteral("Cy"));
    }

    void addressesAreDecoratedAsLinks()
    {
        fillMaster(m_env->dataDir(), {"Baker"}, 2);
        auto w = startMainWindow(WizardAnswer::Ok);
        DBEdit *phone = box(w.get(), "EditPhone");
        QCOMPARE(phone->contextMenuPolicy(), Qt::DefaultContextMenu); // never decorated yet
        click(w.get(), "SBNext");

        typeInto(phone, QStringLiteral("ann@example.org"));
        QCOMPARE(phone->palette().color(QPalette::Text), QColor(0, 128, 0));
        QCOMPARE(phone->toolTip(), QStringLiteral("Double Click to e-mail ann@example.org"));
        QCOMPARE(phone->cursor().shape(), w->mailCursor().shape());
        QCOMPARE(phone->contextMenuPolicy(), Qt::CustomContextMenu);

        phone->setCursorPosition(4);
        QTest::keyClick(phone, Qt::Key_Backspace);
        QCOMPARE(phone->text(), QStringLiteral("annexample.org"));
        QCOMPARE(phone->palette().color(QPalette::Text), QColor(0, 0, 0));
        QCOMPARE(phone->toolTip(), QStringLiteral("Click to enter your text"));
        QCOMPARE(phone->cursor().shape(), Qt::IBeamCursor);

        // Extra fields in use show web addresses in red with the not-allowed cursor.
        DBEdit *extra = box(w.get(), "EditReserved7");
        typeInto(extra, QStringLiteral("www.example.org"));
        QCOMPARE(extra->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(extra->toolTip(), QStringLiteral("Double Click to browse www.example.org"));
        QCOMPARE(extra->cursor().shape(), Qt::ForbiddenCursor);

        // Another record's texts are decorated as they are shown.
        click(w.get(), "SBSave");
        click(w.get(), "SBFirst");
        QCOMPARE(phone->palette().color(QPalette::Text), QColor(0, 0, 0));
        QCOMPARE(extra->toolTip(), QStringLiteral("Click to enter your text"));
    }

    void hiddenExtraFieldsCatchUpWhenShown()
    {
        fillMaster(m_env->dataDir(), {"Baker", "Cole"});
        {
            store::Table records;
            records.setDirectory(m_env->dataDir());
            records.setTableName(kMasterRecords);
            records.open();
            records.setRecNo(3);
            records.edit();
            records.setValue(QStringLiteral("Res7"), QStringLiteral("kept in Res7"));
            records.post();
        }
        auto w = startMainWindow(WizardAnswer::Ok);
        click(w.get(), "SBLast");
        DBEdit *extra = box(w.get(), "EditReserved6");
        w->ShowExtraFields(1);
        QCOMPARE(extra->text(), QStringLiteral("kept in Res7"));
        QVERIFY(!extra->isReadOnly());
        click(w.get(), "SBFirst");
        QCOMPARE(extra->text(), QString());
        w->ShowExtraFields(0);
        click(w.get(), "SBLast");
        w->ShowExtraFields(1);
        QCOMPARE(extra->text(), QStringLiteral("kept in Res7"));
    }

    // A value wider than its box is shown from its first character, not scrolled to its end.
    void longValuesShowTheirBeginning()
    {
        const QString first = QStringLiteral("Begins here ") + QString(88, QChar(u'x'));
        const QString second = QStringLiteral("Another one ") + QString(88, QChar(u'y'));
        fillMaster(m_env->dataDir(), {first, second});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        DBEdit *lastName = box(w.get(), "EditLastName");
        click(w.get(), "SBNext");
        QCOMPARE(lastName->text(), first);
        QCOMPARE(lastName->cursorPosition(), 0);
        click(w.get(), "SBNext");
        QCOMPARE(lastName->text(), second);
        QCOMPARE(lastName->cursorPosition(), 0);
    }

    void focusedFieldBecomesCurrent()
    {
        fillMaster(m_env->dataDir(), {"Baker"});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        QCOMPARE(w->currentFieldPosition(), cat::kPosDate);

        DBEdit *address2 = box(w.get(), "EditAddress2");
        QTest::mouseClick(address2, Qt::RightButton);
        if (auto *popup = w->findChild<QMenu *>(QStringLiteral("PopupIDN")))
            popup->hide();
        QCOMPARE(w->currentFieldPosition(), 88);
        QVERIFY(fieldItemsEnabled(w->currentFieldPosition()));
        QCOMPARE(address2->contextMenuPolicy(), Qt::CustomContextMenu);
        QCOMPARE(address2->toolTip(), QStringLiteral("Click to enter your text"));

        const struct {
            const char *control;
            int position;
        } entered[] = {{"EditDate", cat::kPosDate},        {"EditReserved", 90},
                       {"EditCount", cat::kPosDate},       {"EditID", 80},
                       {"MemoComments", cat::kPosDate},    {"EditAddress2", 88}};
        for (const auto &e : entered) {
            auto *control = w->findChild<QWidget *>(QString::fromLatin1(e.control));
            control->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), control);
            QVERIFY2(w->currentFieldPosition() == e.position, e.control);
            QCOMPARE(fieldItemsEnabled(w->currentFieldPosition()), e.position != cat::kPosDate);
        }
        // The field items follow the field entered last (EditAddress2).
        QVERIFY(isEnabled(w.get(), "InsertField1") && isEnabled(w.get(), "DeleteField1"));
    }

    void menusBringTheDatabasePageForward()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        auto *pages = w->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        for (const char *menuName : {"MMFile", "MMRecords", "MMTools"}) {
            pages->setCurrentIndex(1);
            auto *menu = w->findChild<QMenu *>(QString::fromLatin1(menuName));
            menu->popup(w->mapToGlobal(QPoint(20, 20)));
            QVERIFY2(pages->currentIndex() == 0, menuName);
            menu->hide();
        }
        pages->setCurrentIndex(1);
        w->findChild<QMenu *>(QStringLiteral("MReport"))->popup(w->mapToGlobal(QPoint(20, 20)));
        QCOMPARE(pages->currentIndex(), 1);
        w->findChild<QMenu *>(QStringLiteral("MReport"))->hide();
    }
};

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
