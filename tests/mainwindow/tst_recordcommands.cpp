// The Records menu's Insert, Delete, Empty Record, Copy Record and Paste Record on the real
// main window, with their dialogs and questions answered as a user would: what the window
// shows afterwards, what the files hold, and that a failure changes nothing.

#include "DialogDriver.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "RadioGroup.h"
#include "RecordDialogs.h"
#include "RecordsFixture.h"
#include "Table.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

using namespace tav;
using namespace tav::test;
namespace cat = tav::store::catalogue;
namespace files = tav::store::files;
using tav::store::DataSetState;

namespace
{
const QString kPattern = QStringLiteral("dd.MM.yyyy");

QString today()
{
    return QDate::currentDate().toString(kPattern);
}

// "F1,F2,...": the first names fillMaster gives records from..to.
QStringList firstNames(int from, int to)
{
    QStringList names;
    for (int n = from; n <= to; ++n)
        names << QStringLiteral("F%1").arg(n);
    return names;
}

// Closes a dialog driven by onModal when the checks end, also when one of them fails.
struct RejectAtEnd {
    QDialog *dialog;
    ~RejectAtEnd()
    {
        if (dialog->isVisible())
            dialog->reject();
    }
};

void typeInto(QLineEdit *edit, const QString &value)
{
    edit->selectAll();
    edit->del();
    QTest::keyClicks(edit, value);
}

// Answers FIns with `count`.
void answerInsert(int count)
{
    onModal<TFIns>([count](TFIns *d) {
        RejectAtEnd guard{d};
        typeInto(d->findChild<QLineEdit *>(QStringLiteral("efrom")), QString::number(count));
        d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
    });
}

// Answers FDelRec with the current record (empty `from`) or the range typed.
void answerDelete(const QString &from, const QString &to, bool *stayedOpen = nullptr)
{
    onModal<TFDelRec>([=](TFDelRec *d) {
        RejectAtEnd guard{d};
        if (!from.isEmpty()) {
            QRadioButton *range =
                d->findChild<RadioGroup *>(QStringLiteral("RadioGroup1"))->button(1);
            QTest::mouseClick(range, Qt::LeftButton, {}, QPoint(6, range->height() / 2));
            typeInto(d->findChild<QLineEdit *>(QStringLiteral("efrom")), from);
            typeInto(d->findChild<QLineEdit *>(QStringLiteral("eto")), to);
        }
        d->findChild<QPushButton *>(QStringLiteral("bOK"))->click();
        if (stayedOpen)
            *stayedOpen = d->isVisible();
    });
}

// The record clipboard's fields and the boxes showing them.
const char *const kClipboardFields[] = {
    "ID",         "FirstName", "LastName",  "Phone",     "Fax",      "Email",
    "URLWebsite", "Comments",  "Address1",  "Address2",  "Address3", "Reserved1",
    "Reserved2",  "Reserved3", "Reserved4", "Reserved5",
};

QString boxText(TFDFin *w, const QString &field)
{
    if (field == QLatin1String("Comments"))
        return text(w, "MemoComments");
    const QString name = cat::editBoxName(cat::positionOfRecordField(field));
    return text(w, name.toLatin1().constData());
}
} // namespace

class TestRecordCommands : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTestCase::init();
        setShortDatePattern(kPattern);
    }

    void insertPlacesEmptyRecordsAtTheCurrentOne_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("namesAfter");
        QTest::addColumn<QString>("attachmentsAfter");
        QTest::newRow("3 at record 5 of 10")
            << 5 << 3
            << "Are you sure you want to insert 3 new empty records starting\n"
               "with position no. 5 ?"
            << firstNames(1, 4) + QStringList{"", "", ""} + firstNames(5, 10) << "4:d4,8:d5,13:d10";
        QTest::newRow("1 at record 1 of 10")
            << 1 << 1 << "Are you sure you want to insert a new empty record in position no. 1 ?"
            << QStringList{""} + firstNames(1, 10) << "5:d4,6:d5,11:d10";
    }
    void insertPlacesEmptyRecordsAtTheCurrentOne()
    {
        QFETCH(int, current);
        QFETCH(int, count);
        QFETCH(QString, question);
        QFETCH(QStringList, namesAfter);
        QFETCH(QString, attachmentsAfter);
        fillMaster(m_env->dataDir(), 10);
        addAttachments(m_env->dataDir(), {{4, "d4"}, {5, "d5"}, {10, "d10"}});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), current);

        answerInsert(count);
        m_env->messages().answer(MsgYes);
        trigger(w.get(), "SMInsert");

        const MessageRequest asked = m_env->messages().shown().last();
        QCOMPARE(asked.text, question);
        QCOMPARE(asked.caption, QStringLiteral("Warning"));
        QCOMPARE(asked.buttons, MsgYes | MsgNo);
        // The first new record is shown: empty, dated today, numbered where it stands.
        QCOMPARE(text(w.get(), "EditCount"), QString::number(current));
        QCOMPARE(text(w.get(), "EditFirstName"), QString());
        QCOMPARE(text(w.get(), "EditDate"), today());
        QCOMPARE(w->statusPanelText(1), QStringLiteral("%1 records").arg(10 + count));
        QCOMPARE(w->rememberedRecordCount(), 10 + count);
        QTRY_COMPARE(QApplication::focusWidget(), control(w.get(), "EditID"));
        for (const char *name : {"SBNext", "SBLast", "SMNext", "SMLast"})
            QVERIFY2(isEnabled(w.get(), name), name);

        QCOMPARE(storedColumn(m_env->dataDir(), "FirstName"), namesAfter.join(','));
        QStringList dates(10 + count, QStringLiteral("01.03.2001"));
        for (int n = current; n < current + count; ++n)
            dates[n - 1] = today();
        QCOMPARE(storedColumn(m_env->dataDir(), "Date"), dates.join(','));
        QCOMPARE(attachmentRows(m_env->dataDir()), attachmentsAfter);
    }

    // Inserted records take order keys between their neighbours, so the stored Count no
    // longer counts the records: the "No." box and the search by number use the position.
    void numberIsThePositionAfterInsertions()
    {
        fillMaster(m_env->dataDir(), 10);
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), 3);
        answerInsert(2);
        m_env->messages().answer(MsgYes);
        trigger(w.get(), "SMInsert");
        click(w.get(), "SBNext");
        click(w.get(), "SBNext");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("5"));
        QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("F3"));
        QVERIFY(w->table1()->asInteger("Count") != 5);

        auto *criterion = qobject_cast<QLineEdit *>(control(w.get(), "FilterCriteria"));
        criterion->setText(QStringLiteral("7"));
        click(w.get(), "FindBtn");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("7"));
        QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("F5"));
        criterion->setText(QStringLiteral("4"));
        click(w.get(), "FindBtn");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("4"));
        QCOMPARE(text(w.get(), "EditFirstName"), QString());
        QCOMPARE(m_env->messages().texts().size(), 1); // only the insertion's question
    }

    void deleteRemovesRecordsAndTheirAttachments_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("from"); // empty: the current record
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("shownCount");
        QTest::addColumn<QString>("shownName");
        QTest::addColumn<QStringList>("namesAfter");
        QTest::addColumn<QString>("attachmentsAfter");
        QTest::addColumn<bool>("recordsFollow");
        QTest::newRow("records 4 to 6 of 10")
            << 10 << 2 << "4"
            << "6"
            << "Are you sure you want to delete completely records from no. 4 to no. 6 ?"
            << "4"
            << "F7" << firstNames(1, 3) + firstNames(7, 10) << "1:d1,3:d3,4:d7,7:d10" << true;
        QTest::newRow("the last record")
            << 10 << 10 << ""
            << ""
            << "Are you sure you want to delete completely record no. 10 ?"
            << "9"
            << "F9" << firstNames(1, 9) << "1:d1,3:d3,4:d4,6:d6,7:d7" << false;
        QTest::newRow("the only record")
            << 1 << 1 << ""
            << ""
            << "Are you sure you want to delete completely record no. 1 ?"
            << "1"
            << "" << QStringList{""} << "" << false;
    }
    void deleteRemovesRecordsAndTheirAttachments()
    {
        QFETCH(int, total);
        QFETCH(int, current);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, question);
        QFETCH(QString, shownCount);
        QFETCH(QString, shownName);
        QFETCH(QStringList, namesAfter);
        QFETCH(QString, attachmentsAfter);
        QFETCH(bool, recordsFollow);
        fillMaster(m_env->dataDir(), total);
        QList<QPair<int, QString>> rows;
        for (int n : {1, 3, 4, 6, 7, 10})
            if (n <= total)
                rows.append({n, QStringLiteral("d%1").arg(n)});
        addAttachments(m_env->dataDir(), rows);
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), current);

        answerDelete(from, to);
        m_env->messages().answer(MsgYes);
        trigger(w.get(), "SMDelete");

        QCOMPARE(m_env->messages().lastText(), question);
        QCOMPARE(text(w.get(), "EditCount"), shownCount);
        QCOMPARE(text(w.get(), "EditFirstName"), shownName);
        QCOMPARE(w->statusPanelText(1), QStringLiteral("%1 records").arg(namesAfter.size()));
        QCOMPARE(storedColumn(m_env->dataDir(), "FirstName"), namesAfter.join(','));
        QCOMPARE(attachmentRows(m_env->dataDir()), attachmentsAfter);
        for (const char *name : {"SBNext", "SBLast", "SMNext", "SMLast"})
            QVERIFY2(isEnabled(w.get(), name) == recordsFollow, name);
        if (!recordsFollow)
            for (const char *name : {"SBFirst", "SBPrev", "SMFirst", "SMPrevious"})
                QVERIFY2(isEnabled(w.get(), name), name);
        if (total == 1) // a database never stays without records
            QCOMPARE(text(w.get(), "EditDate"), today());
    }

    void refusedRangeDeletesNothing()
    {
        fillMaster(m_env->dataDir(), 10);
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        bool stayedOpen = false;
        answerDelete(QStringLiteral("5"), QStringLiteral("3"), &stayedOpen);
        m_env->messages().answer(MsgOk);
        trigger(w.get(), "SMDelete");
        QVERIFY(stayedOpen);
        QCOMPARE(m_env->messages().texts(), QStringList{"'5' is not a valid value."});
        QCOMPARE(w->statusPanelText(1), QStringLiteral("10 records"));
        QCOMPARE(storedColumn(m_env->dataDir(), "FirstName"), firstNames(1, 10).join(','));
    }

    void failedDeleteChangesNothing()
    {
        fillMaster(m_env->dataDir(), 10);
        addAttachments(m_env->dataDir(), {{3, "d3"}, {5, "d5"}, {8, "d8"}});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), 2);
        {
            // The attachments file refuses to remove a row, as a full disk would; the records
            // are deleted before the rows of record 5 are reached.
            store::Table attachments;
            attachments.setTableName(
                QDir(m_env->dataDir()).filePath(files::attachmentsTable(files::kMaster)));
            attachments.open();
            attachments.execute(
                QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON data "
                               "BEGIN SELECT RAISE(ABORT, 'the disk refused the change'); END"));
        }

        answerDelete(QStringLiteral("4"), QStringLiteral("6"));
        m_env->messages().answer(MsgYes);
        m_env->messages().answer(MsgOk);
        trigger(w.get(), "SMDelete");

        QVERIFY2(
            m_env->messages().lastText().contains(QStringLiteral("the disk refused the change")),
            qPrintable(m_env->messages().lastText()));
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("2"));
        QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("F2"));
        QCOMPARE(w->statusPanelText(1), QStringLiteral("10 records"));
        QCOMPARE(w->table1()->recordCount(), 10);
        QCOMPARE(storedColumn(m_env->dataDir(), "FirstName"), firstNames(1, 10).join(','));
        QCOMPARE(attachmentRows(m_env->dataDir()), QStringLiteral("3:d3,5:d5,8:d8"));
        QVERIFY(!QFileInfo::exists(QDir(m_env->dataDir()).filePath(files::kRenumberWork)));
    }

    void emptiedRecordLosesItsAttachmentsOnlyWhenSaved_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Save") << "save" << true;
        QTest::newRow("Yes at the prompt of Next") << "yes" << true;
        QTest::newRow("Cancel") << "cancel" << false;
        QTest::newRow("No at the prompt of Next") << "no" << false;
    }
    void emptiedRecordLosesItsAttachmentsOnlyWhenSaved()
    {
        QFETCH(QString, ending);
        QFETCH(bool, saved);
        fillMaster(
            m_env->dataDir(), 5,
            [](store::Table &t, int n) {
                t.setValue("Phone", QStringLiteral("555-%1").arg(n));
                t.setValue("Comments", QStringLiteral("note %1").arg(n));
                t.setValue("Res7", QStringLiteral("shown extra %1").arg(n));
                t.setValue("Res8", QStringLiteral("hidden extra %1").arg(n));
            },
            1);
        addAttachments(m_env->dataDir(), {{3, "a3"}, {3, "b3"}, {4, "a4"}});
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), 3);

        m_env->messages().answer(MsgYes);
        trigger(w.get(), "SMEmpty");
        QCOMPARE(m_env->messages().lastText(),
                 QStringLiteral("Are you sure you want to empty the current record ?"));
        for (const char *name : {"EditFirstName", "EditPhone", "EditReserved6", "MemoComments"})
            QCOMPARE(text(w.get(), name), QString());
        QCOMPARE(text(w.get(), "EditDate"), QStringLiteral("01.03.2001"));
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("3"));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Edit);
        QCOMPARE(attachmentRows(m_env->dataDir()), QStringLiteral("3:a3,3:b3,4:a4"));

        if (ending == "save") {
            click(w.get(), "SBSave");
        } else if (ending == "cancel") {
            click(w.get(), "SBCancel");
        } else {
            m_env->messages().answer(ending == "yes" ? MsgYes : MsgNo);
            trigger(w.get(), "SMNext");
        }

        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
        const QString dir = m_env->dataDir();
        QCOMPARE(storedColumn(dir, "FirstName"), saved ? "F1,F2,,F4,F5" : "F1,F2,F3,F4,F5");
        QCOMPARE(storedColumn(dir, "Comments"),
                 saved ? "note 1,note 2,,note 4,note 5" : "note 1,note 2,note 3,note 4,note 5");
        QCOMPARE(storedColumn(dir, "Res7").split(',').at(2), saved ? "" : "shown extra 3");
        QCOMPARE(storedColumn(dir, "Res8").split(',').at(2), QStringLiteral("hidden extra 3"));
        QCOMPARE(attachmentRows(dir), saved ? "4:a4" : "3:a3,3:b3,4:a4");
        if (ending == "cancel") {
            QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("F3"));
            QCOMPARE(text(w.get(), "MemoComments"), QStringLiteral("note 3"));
        }

        // Saving another record later leaves the attachments alone.
        showRecord(w.get(), 4);
        qobject_cast<QLineEdit *>(control(w.get(), "EditPhone"))->setFocus();
        QTest::keyClicks(control(w.get(), "EditPhone"), QStringLiteral("9"));
        click(w.get(), "SBSave");
        QCOMPARE(attachmentRows(dir), saved ? "4:a4" : "3:a3,3:b3,4:a4");
    }

    void copyAndPasteTheSixteenFields()
    {
        fillMaster(m_env->dataDir(), 4, [](store::Table &t, int n) {
            for (const char *field : kClipboardFields)
                t.setValue(QLatin1String(field), QStringLiteral("%1 of %2").arg(field).arg(n));
            if (n == 2)
                t.setValue("Fax", QVariant()); // an empty text overwrites too
        });
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        QVERIFY(!isEnabled(w.get(), "SMPaste"));
        showRecord(w.get(), 2);
        trigger(w.get(), "SMCopy");
        QVERIFY(isEnabled(w.get(), "SMPaste"));

        showRecord(w.get(), 4);
        trigger(w.get(), "SMPaste");
        QCOMPARE(w->dataSource1()->state(), DataSetState::Edit); // not saved yet
        for (const char *field : kClipboardFields) {
            const QString expected = QLatin1String(field) == QLatin1String("Fax")
                                         ? QString()
                                         : QStringLiteral("%1 of 2").arg(field);
            QCOMPARE(boxText(w.get(), QLatin1String(field)), expected);
        }
        QCOMPARE(storedColumn(m_env->dataDir(), "FirstName").split(',').at(3),
                 QStringLiteral("FirstName of 4"));

        click(w.get(), "SBSave");
        QCOMPARE(text(w.get(), "EditCount"), QStringLiteral("4"));
        for (const char *field : kClipboardFields)
            QCOMPARE(storedColumn(m_env->dataDir(), QLatin1String(field)).section(',', 3, 3),
                     storedColumn(m_env->dataDir(), QLatin1String(field)).section(',', 1, 1));
    }
};

QTEST_MAIN(TestRecordCommands)
#include "tst_recordcommands.moc"
