// Sequences of editing commands run on the real main window from a few starting databases,
// as a user would press them (a disabled command does nothing), with the window checked
// against the files after every step: count, "No." box, boxes and enabling.

#include "DBControls.h"
#include "DatabaseNameDialogs.h"
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
#include "WindowCheck.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
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
const QString kOther = QStringLiteral("OTHER");

// The window's object `name` is on: a button is clicked, a menu item triggered.
bool press(TFDFin *w, const char *name)
{
    QObject *object = w->findChild<QObject *>(QString::fromLatin1(name));
    if (auto *action = qobject_cast<QAction *>(object)) {
        if (!action->isEnabled())
            return false;
        action->trigger();
        return true;
    }
    auto *button = qobject_cast<QAbstractButton *>(object);
    if (!button || !button->isEnabled() || !button->isVisible())
        return false;
    button->click();
    return true;
}

QComboBox *databaseList(TFDFin *w)
{
    return w->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
}

// The record a database takes from the template has no date; Add and Save would refuse it.
void datePlainRecord(const QString &dataDir, const QString &name)
{
    store::Table records;
    records.setDirectory(dataDir);
    records.setTableName(files::recordsTable(name));
    records.open();
    records.first();
    records.edit();
    records.setAsDate(QStringLiteral("Date"), QDate(2001, 3, 1));
    records.post();
}

// Where the window stands, to see that a command changed nothing.
QString snapshot(TFDFin *w)
{
    QStringList on;
    for (const char *name :
         {"SBFirst", "SBPrev", "SBNext", "SBLast", "SMFirst", "SMPrevious", "SMNext", "SMLast",
          "SBAdd", "SMNew", "SMInsert", "SMDelete", "SMEmpty"})
        on << (isEnabled(w, name) ? "+" : "-") + QString::fromLatin1(name);
    return QStringLiteral("%1 state %2 record %3 \"%4\" %5 | %6")
        .arg(databaseList(w)->currentText())
        .arg(int(w->dataSource1()->state()))
        .arg(w->table1()->recNo())
        .arg(w->table1()->asString(QStringLiteral("LastName")), w->statusPanelText(1),
             on.join(QLatin1Char(' ')));
}
} // namespace

class TestCommandSequences : public MainWindowTestCase
{
    Q_OBJECT

private:
    std::unique_ptr<TFDFin> m_window;
    int m_newDatabases = 0;

    TFDFin *w() { return m_window.get(); }
    MessageQueue &messages() { return m_env->messages(); }

    // The prompt before leaving pending changes is answered with `answer` when it comes.
    void answerPromptIfAsked(int answer)
    {
        if (w()->HasUnsavedChanges())
            messages().answer(answer);
    }

    // Add and Save refuse a record shown without a valid date (a new database's record
    // after Undo, for one).
    void addOrSave(const char *button)
    {
        const QString date = w()->controls().recordEdits[cat::kPosDate]->text();
        const bool recordShown =
            w()->table1()->state() != DataSetState::Browse || w()->table1()->recordCount() > 0;
        const bool refused =
            isEnabled(w(), button) && recordShown && !store::parseDisplayDate(date).isValid();
        if (refused)
            messages().answer(MsgOk);
        press(w(), button);
        if (refused)
            QCOMPARE(messages().lastText(),
                     QStringLiteral("Created: '%1' is not a valid date!").arg(date));
    }

    void navigate(const char *button)
    {
        // Only changes to an existing record make a move ask.
        if (w()->dataSource1()->state() == DataSetState::Edit && isEnabled(w(), button))
            messages().answer(MsgNo);
        press(w(), button);
    }

    void typeLetter()
    {
        QLineEdit *box = w()->controls().recordEdits[cat::positionOfRecordField("LastName")];
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("x"));
    }

    void switchDatabase(int answer)
    {
        const QString current = databaseList(w())->currentText();
        const QString other = current == files::kMaster ? kOther : QString(files::kMaster);
        if (databaseList(w())->findText(other) < 0)
            return;
        answerPromptIfAsked(answer);
        chooseDatabase(w(), other);
    }

    void chooseOpenDatabase()
    {
        const QString before = snapshot(w());
        chooseDatabase(w(), databaseList(w())->currentText()); // no prompt may come
        QCOMPARE(snapshot(w()), before);
    }

    void newDatabase()
    {
        const QString name = QStringLiteral("FRESH%1").arg(++m_newDatabases);
        answerPromptIfAsked(MsgYes);
        onModal<TFNewDatabase1>([name](TFNewDatabase1 *dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Edit1")), name);
            dialog->findChild<QAbstractButton *>(QStringLiteral("BOk"))->click();
        });
        QVERIFY(press(w(), "MMNew"));
        QCOMPARE(databaseList(w())->currentText(), name);
    }

    void deleteDatabase()
    {
        const bool refused =
            databaseList(w())->count() == 1 || databaseList(w())->currentText() == files::kMaster;
        messages().answer(refused ? MsgOk : MsgYes);
        press(w(), "MMDelete");
    }

    void insertRecords()
    {
        if (!isEnabled(w(), "SMInsert"))
            return;
        onModal<TFIns>([](TFIns *d) {
            auto *count = d->findChild<QLineEdit *>(QStringLiteral("efrom"));
            count->selectAll();
            QTest::keyClicks(count, QStringLiteral("2"));
            d->findChild<QPushButton *>(QStringLiteral("Button1"))->click();
        });
        messages().answer(MsgYes);
        press(w(), "SMInsert");
    }

    void deleteRecord()
    {
        if (!isEnabled(w(), "SMDelete"))
            return;
        if (w()->table1()->recordCount() == 0) { // nothing to delete, nothing asked
            press(w(), "SMDelete");
            return;
        }
        onModal<TFDelRec>(
            [](TFDelRec *d) { d->findChild<QPushButton *>(QStringLiteral("bOK"))->click(); });
        messages().answer(MsgYes);
        press(w(), "SMDelete");
    }

    // Records 2 and 3, chosen with "From:", where there are three.
    void deleteRange()
    {
        if (!isEnabled(w(), "SMDelete") || w()->table1()->recordCount() < 3)
            return;
        onModal<TFDelRec>([](TFDelRec *d) {
            QRadioButton *range =
                d->findChild<RadioGroup *>(QStringLiteral("RadioGroup1"))->button(1);
            QTest::mouseClick(range, Qt::LeftButton, {}, QPoint(6, range->height() / 2));
            for (const char *name : {"efrom", "eto"}) {
                auto *edit = d->findChild<QLineEdit *>(QString::fromLatin1(name));
                edit->selectAll();
                QTest::keyClicks(edit, name == QLatin1String("efrom") ? "2" : "3");
            }
            d->findChild<QPushButton *>(QStringLiteral("bOK"))->click();
        });
        messages().answer(MsgYes);
        press(w(), "SMDelete");
    }

    void emptyRecord()
    {
        if (!isEnabled(w(), "SMEmpty"))
            return;
        if (w()->table1()->recordCount() > 0) // nothing to empty, nothing asked
            messages().answer(MsgYes);
        press(w(), "SMEmpty");
    }

    void findNext()
    {
        auto *lastName = w()->findChild<QRadioButton *>(QStringLiteral("FilterOnRadioGroupItem3"));
        QTest::mouseClick(lastName, Qt::LeftButton, {}, QPoint(6, lastName->height() / 2));
        auto *criteria = w()->findChild<QLineEdit *>(QStringLiteral("FilterCriteria"));
        criteria->setText(QStringLiteral("l"));
        // "NO RECORD FOUND !!!" when no record after this one matches.
        messages().answer(MsgOk);
        press(w(), "NextBtn");
        QVERIFY2(messages().unexpected().isEmpty(), qPrintable(messages().unexpected().join('\n')));
        if (messages().pendingAnswers() > 0)
            messages().reset();
    }

    void run(const QString &step)
    {
        if (step == QLatin1String("Add"))
            addOrSave("SBAdd");
        else if (step == QLatin1String("Type"))
            typeLetter();
        else if (step == QLatin1String("Undo"))
            press(w(), "MMUndo");
        else if (step == QLatin1String("Cancel"))
            press(w(), "SBCancel");
        else if (step == QLatin1String("Save"))
            addOrSave("SBSave");
        else if (step == QLatin1String("Insert"))
            insertRecords();
        else if (step == QLatin1String("Delete"))
            deleteRecord();
        else if (step == QLatin1String("DeleteRange"))
            deleteRange();
        else if (step == QLatin1String("Empty"))
            emptyRecord();
        else if (step == QLatin1String("Copy"))
            press(w(), "SMCopy");
        else if (step == QLatin1String("Paste"))
            press(w(), "SMPaste");
        else if (step == QLatin1String("First"))
            navigate("SBFirst");
        else if (step == QLatin1String("Prev"))
            navigate("SBPrev");
        else if (step == QLatin1String("Next"))
            navigate("SBNext");
        else if (step == QLatin1String("Last"))
            navigate("SBLast");
        else if (step == QLatin1String("SwitchYes"))
            switchDatabase(MsgYes);
        else if (step == QLatin1String("SwitchNo"))
            switchDatabase(MsgNo);
        else if (step == QLatin1String("SwitchCancel"))
            switchDatabase(MsgCancel);
        else if (step == QLatin1String("Same"))
            chooseOpenDatabase();
        else if (step == QLatin1String("NewDb"))
            newDatabase();
        else if (step == QLatin1String("DeleteDb"))
            deleteDatabase();
        else if (step == QLatin1String("FindNext"))
            findNext();
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }

    void verifyWindow(const QString &after)
    {
        QVERIFY2(messages().unexpected().isEmpty(),
                 qPrintable(after + QStringLiteral(": ") + messages().unexpected().join('\n')));
        QCOMPARE(messages().pendingAnswers(), 0);
        const QString wrong = windowDisagreements(w());
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("after %1:\n%2").arg(after, wrong)));
    }

private slots:
    void init()
    {
        MainWindowTestCase::init();
        setShortDatePattern(QStringLiteral("dd.MM.yyyy"));
        m_newDatabases = 0;
    }

    void cleanup()
    {
        m_window.reset();
        MainWindowTestCase::cleanup();
    }

    void windowAgreesWithTheFilesAfterEveryStep_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("steps");

        const struct {
            const char *name;
            const char *steps;
        } sequences[] = {
            {"undo of an add", "Add Type Undo Add Undo Add Type Save Add Cancel"},
            {"undo of typing", "Type Undo Add Cancel Type Cancel Add"},
            {"adding at the last record", "Last Add Type Undo Prev Add Save Last Next"},
            {"find next while adding", "Last Add Type FindNext Undo First FindNext Type FindNext"},
            {"insert and delete", "Next Insert Type Undo Last Delete Add Undo Delete Insert"},
            {"insert while adding or editing", "Add Insert Type Insert Undo Delete"},
            {"empty, copy and paste", "Empty Cancel Empty Save Copy Next Paste Undo Paste Save"},
            {"switch with each answer",
             "Type SwitchCancel SwitchNo Add SwitchCancel Type SwitchYes Add SwitchNo"},
            {"the open database chosen again", "Same Type Same Undo Add Same Cancel Same"},
            {"new and deleted databases", "Add Type NewDb Type Save Add Undo DeleteDb Next"},
            {"delete database while adding", "SwitchNo Last Add Type DeleteDb Add Undo"},
            {"commands on a changed record", "Next Type Delete Type Insert Type Empty Undo"},
            {"deleting a range", "First DeleteRange Last DeleteRange Add Save First Next"},
            {"emptying the records", "Delete Delete Delete Delete Delete Add Undo Type Undo"},
        };
        const char *starts[] = {"1 record", "5 records", "empty new database", "no records"};
        for (const char *start : starts)
            for (const auto &s : sequences)
                QTest::addRow("%s: %s", start, s.name)
                    << QString::fromLatin1(start) << QString::fromLatin1(s.steps);
    }

    void windowAgreesWithTheFilesAfterEveryStep()
    {
        QFETCH(QString, start);
        QFETCH(QString, steps);
        const QString dataDir = m_env->dataDir();
        const bool noRecords = start == QLatin1String("no records");
        const int records = start == QLatin1String("5 records") ? 5 : noRecords ? 0 : 1;
        fillMaster(dataDir, records);
        createDatabase(dataDir, kOther);
        addRecords(dataDir, kOther, {"Lee", "Lim"});
        datePlainRecord(dataDir, kOther);
        m_window = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w()));
        verifyWindow(QStringLiteral("the start"));
        if (start == QLatin1String("empty new database")) {
            newDatabase();
            verifyWindow(QStringLiteral("New Database"));
        }

        QStringList done;
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            run(step);
            done << step;
            if (QTest::currentTestFailed())
                return;
            verifyWindow(done.join(QLatin1Char(' ')));
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_MAIN(TestCommandSequences)
#include "tst_commandsequences.moc"
