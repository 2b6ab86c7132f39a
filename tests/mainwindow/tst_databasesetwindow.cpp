// Creating, copying, renaming and deleting databases on the real window, from the menu and
// the start-up wizard: the files in the data directory, the database list ComboBox1 (sorted
// from the first rename, copy or deletion on), the database opened afterwards with its status
// bar, the refusals and questions, and a failed rename that loses nothing.

#include "DBControls.h"
#include "DatabaseNameDialogs.h"
#include "DialogDriver.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "RadioGroup.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TestEnvironment.h"
#include "Wizard.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace tav;
using namespace tav::test;
namespace cat = tav::store::catalogue;
namespace files = tav::store::files;

namespace
{
// Databases made from the templates (MASTER too) start with one blank record, so their
// record counts below are one more than the records added.

// The files of a database as they lie on disk, by name.
using Snapshot = QMap<QString, QByteArray>;

// Answers the name dialog T: types `typed`, checks what it shows, presses OK.
template <typename T> void nameDialog(const QString &typed, QString *shown = nullptr)
{
    onModal<T>([typed, shown](T *dialog) {
        auto *edit = dialog->template findChild<QLineEdit *>(QStringLiteral("Edit1"));
        QTest::keyClicks(edit, typed);
        if (shown)
            *shown = edit->text();
        dialog->template findChild<QPushButton *>(QStringLiteral("BOk"))->click();
    });
}
} // namespace

class TestDatabaseSetWindow : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTestCase::init();
        store::ensureSuppliedFiles(m_env->dataDir());
    }
    void cleanup()
    {
        m_window.reset();
        MainWindowTestCase::cleanup();
    }

    void newDatabaseOpensItsFirstRecordDatedToday();
    void wizardCreatesANewDatabase();
    void renameKeepsHyphenAndSortsTheList();
    void failedRenameLosesNothing();
    void saveAsCopiesTheFourFiles();
    void deleteOpensTheFirstOfTheSortedList();
    void deleteRefusals_data();
    void deleteRefusals();

private:
    void start(const QString &openName);
    QStringList listItems() const;
    QComboBox *list() const
    {
        return m_window->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    }
    void trigger(const char *action) const
    {
        m_window->findChild<QAction *>(QString::fromLatin1(action))->trigger();
    }
    bool exists(const QString &file) const { return QFile::exists(m_env->path(file)); }
    Snapshot snapshot() const;
    void verifyOpen(const QString &name, int records) const;

    std::unique_ptr<TFDFin> m_window;
};

void TestDatabaseSetWindow::start(const QString &openName)
{
    m_window = startMainWindow(WizardAnswer::Cancel);
    QVERIFY(activate(m_window.get()));
    if (!openName.isEmpty())
        m_window->OpenDatabase(openName);
}

QStringList TestDatabaseSetWindow::listItems() const
{
    QStringList items;
    for (int i = 0; i < list()->count(); ++i)
        items << list()->itemText(i);
    return items;
}

Snapshot TestDatabaseSetWindow::snapshot() const
{
    Snapshot files;
    const QDir dir(m_env->dataDir());
    for (const QString &name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

void TestDatabaseSetWindow::verifyOpen(const QString &name, int records) const
{
    QCOMPARE(list()->currentText(), name);
    QCOMPARE(m_window->currentDatabase(), name);
    QCOMPARE(m_window->table1()->tableName(), files::recordsTable(name));
    QVERIFY(m_window->table1()->isActive());
    QVERIFY(m_window->table2()->isActive());
    QCOMPARE(m_window->statusPanelText(0), QStringLiteral("Database ") + name);
    QCOMPARE(m_window->statusPanelText(1), QStringLiteral("%1 records").arg(records));
    QCOMPARE(m_window->previousDatabaseIndex(), list()->currentIndex());
}

void TestDatabaseSetWindow::newDatabaseOpensItsFirstRecordDatedToday()
{
    createDatabase(m_env->dataDir(), QStringLiteral("ZED"));
    start(QStringLiteral("ZED"));
    QString shown;
    nameDialog<TFNewDatabase1>(QStringLiteral("my db.1"), &shown);
    trigger("MMNew");

    QCOMPARE(shown, QStringLiteral("my_db_1"));
    for (const char *file : {"tMY_DB_1.db", "tMY_DB_1.mb", "lMY_DB_1.db"})
        QVERIFY2(exists(QString::fromLatin1(file)), file);
    // A new database joins the list in catalogue order until the list is sorted.
    QCOMPARE(listItems(), QStringList({"MASTER", "ZED", "MY_DB_1"}));
    verifyOpen(QStringLiteral("MY_DB_1"), 1);

    // Its one record is being edited, dated today; the captions come first.
    QCOMPARE(m_window->table1()->state(), store::DataSetState::Edit);
    QCOMPARE(m_window->controls().recordEdits[cat::kPosDate]->text(),
             store::formatDisplayDate(QDate::currentDate()));
    DBEdit *labelId = m_window->controls().captionBoxes[cat::kFirstFixed];
    QTRY_VERIFY(labelId->hasFocus());
    QCOMPARE(labelId->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::ToolTipBase));
    QVERIFY(m_window->findChild<QPushButton *>(QStringLiteral("BSaveLabels"))->isVisible());
    for (const char *button : {"SBFirst", "SBPrev", "SBNext", "SBLast"})
        QVERIFY2(!m_window->findChild<QToolButton *>(QString::fromLatin1(button))->isEnabled(),
                 button);
    for (int pos = 0; pos < cat::kExtraFields; ++pos)
        QVERIFY(!m_window->controls().recordEdits[pos]->isVisibleTo(m_window.get()));
    QVERIFY(m_window->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->isVisible());

    // Saving keeps that one record with today's date.
    m_window->SBSaveClick();
    QCOMPARE(m_window->table1()->recordCount(), 1);
    QCOMPARE(
        storedValue(m_env->dataDir(), QStringLiteral("tMY_DB_1.db"), 1, QStringLiteral("Date")),
        store::formatDisplayDate(QDate::currentDate()));
}

void TestDatabaseSetWindow::wizardCreatesANewDatabase()
{
    onModal<TFWizard>([](TFWizard *wizard) {
        QRadioButton *create = wizard->findChild<RadioGroup *>(QStringLiteral("RGOpen"))->button(1);
        QVERIFY(create->isEnabled());
        create->click();
        nameDialog<TFNewDatabase1>(QStringLiteral("books"));
        wizard->findChild<QPushButton *>(QStringLiteral("BOk"))->click();
    });
    m_window = std::make_unique<TFDFin>();
    m_window->FormCreate();

    QTRY_COMPARE(m_window->currentDatabase(), QStringLiteral("BOOKS"));
    verifyOpen(QStringLiteral("BOOKS"), 1);
    QVERIFY(exists(QStringLiteral("tBOOKS.db")));
}

void TestDatabaseSetWindow::renameKeepsHyphenAndSortsTheList()
{
    createDatabase(m_env->dataDir(), QStringLiteral("ZED"));
    createDatabase(m_env->dataDir(), QStringLiteral("A"));
    addRecords(m_env->dataDir(), QStringLiteral("A"), {"Smith", "Jones"});
    start(QStringLiteral("A"));
    QCOMPARE(listItems(), QStringList({"MASTER", "ZED", "A"}));

    // "a" is "A" in upper case: refused, and the dialog asks again.
    onModal<TFRenameDatabase1>([this](TFRenameDatabase1 *dialog) {
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("EOld"))->text(),
                 QStringLiteral("A"));
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("Edit1"));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("BOk"));
        QTest::keyClicks(edit, QStringLiteral("a"));
        m_env->messages().answer(MsgOk);
        ok->click();
        QCOMPARE(m_env->messages().lastText(), kRenameNameTaken);
        QVERIFY(dialog->isVisible());
        QTest::keyClicks(edit, QStringLiteral("old-books"));
        QCOMPARE(edit->text(), QStringLiteral("old-books"));
        ok->click();
    });
    trigger("MMRename");

    for (const char *file : {"tA.db", "tA.mb", "lA.db", "atach_tA.db"})
        QVERIFY2(!exists(QString::fromLatin1(file)), file);
    for (const char *file :
         {"tOLD-BOOKS.db", "tOLD-BOOKS.mb", "lOLD-BOOKS.db", "atach_tOLD-BOOKS.db"})
        QVERIFY2(exists(QString::fromLatin1(file)), file);
    QCOMPARE(listItems(), QStringList({"MASTER", "OLD-BOOKS", "ZED"}));
    verifyOpen(QStringLiteral("OLD-BOOKS"), 3);

    // From now on new databases join the list in order.
    nameDialog<TFNewDatabase1>(QStringLiteral("b"));
    trigger("MMNew");
    QCOMPARE(listItems(), QStringList({"B", "MASTER", "OLD-BOOKS", "ZED"}));
    m_window->SBCancelClick();
}

void TestDatabaseSetWindow::failedRenameLosesNothing()
{
    createDatabase(m_env->dataDir(), QStringLiteral("A"));
    addRecords(m_env->dataDir(), QStringLiteral("A"), {"Smith"});
    // The catalogue refuses the change after the four files have been moved.
    {
        store::Table catalogue;
        catalogue.setTableName(m_env->path(files::kCatalogue));
        catalogue.open();
        catalogue.execute(
            QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON data "
                           "BEGIN SELECT RAISE(ABORT, 'the catalogue refuses'); END"));
    }
    start(QStringLiteral("A"));
    const Snapshot before = snapshot();
    QVERIFY(before.contains(QStringLiteral("atach_tA.db")));

    nameDialog<TFRenameDatabase1>(QStringLiteral("b"));
    m_env->messages().answer(MsgOk);
    trigger("MMRename");

    QVERIFY2(m_env->messages().lastText().contains(QStringLiteral("the catalogue refuses")),
             qPrintable(m_env->messages().lastText()));
    QCOMPARE(snapshot(), before);
    QCOMPARE(listItems(), QStringList({"MASTER", "A"}));
    verifyOpen(QStringLiteral("A"), 2);
}

void TestDatabaseSetWindow::saveAsCopiesTheFourFiles()
{
    createDatabase(m_env->dataDir(), QStringLiteral("ZED"));
    addRecords(m_env->dataDir(), files::kMaster, {"Smith", "Jones", "Brown"});
    start(files::kMaster);
    const Snapshot before = snapshot();

    nameDialog<TFSaveAs>(QStringLiteral("archive"));
    trigger("MMSaveAsRecord");

    const QStringList masterFiles = {"table1.db", "table1.mb", "label1.db", "atach_table1.db"};
    const QStringList copies = {"tARCHIVE.db", "tARCHIVE.mb", "lARCHIVE.db", "atach_tARCHIVE.db"};
    const Snapshot after = snapshot();
    for (int i = 0; i < copies.size(); ++i) {
        QVERIFY2(after.contains(copies[i]), qPrintable(copies[i]));
        QCOMPARE(after.value(masterFiles[i]), before.value(masterFiles[i]));
    }
    QCOMPARE(
        storedValue(m_env->dataDir(), QStringLiteral("tARCHIVE.db"), 4, QStringLiteral("LastName")),
        QStringLiteral("Brown"));
    QCOMPARE(listItems(), QStringList({"ARCHIVE", "MASTER", "ZED"}));
    verifyOpen(QStringLiteral("ARCHIVE"), 4);
}

void TestDatabaseSetWindow::deleteOpensTheFirstOfTheSortedList()
{
    createDatabase(m_env->dataDir(), QStringLiteral("ZED"));
    createDatabase(m_env->dataDir(), QStringLiteral("B"));
    createDatabase(m_env->dataDir(), QStringLiteral("K"));
    addRecords(m_env->dataDir(), QStringLiteral("B"), {"Smith", "Jones"});
    start(QStringLiteral("K"));
    QVERIFY(exists(QStringLiteral("atach_tK.db")));

    m_env->messages().answer(MsgYes);
    trigger("MMDelete");

    const MessageRequest &asked = m_env->messages().shown().last();
    QCOMPARE(asked.text, QStringLiteral("The K will be deleted.\n\nAre you sure?"));
    QCOMPARE(asked.caption, QStringLiteral("Message"));
    QCOMPARE(asked.buttons, int(MsgYes | MsgNo));
    for (const char *file : {"tK.db", "tK.mb", "lK.db", "atach_tK.db"})
        QVERIFY2(!exists(QString::fromLatin1(file)), file);
    QCOMPARE(listItems(), QStringList({"B", "MASTER", "ZED"}));
    verifyOpen(QStringLiteral("B"), 3);
}

void TestDatabaseSetWindow::deleteRefusals_data()
{
    QTest::addColumn<QStringList>("databases"); // besides MASTER
    QTest::addColumn<QString>("open");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("message");

    QTest::newRow("only one database") << QStringList() << "MASTER" << int(MsgOk)
                                       << "You have only one database that can NOT be deleted!";
    QTest::newRow("MASTER") << QStringList{"A"} << "MASTER" << int(MsgOk)
                            << "The MASTER database can not be deleted!";
    QTest::newRow("answered No") << QStringList{"A"} << "A" << int(MsgNo)
                                 << "The A will be deleted.\n\nAre you sure?";
}

void TestDatabaseSetWindow::deleteRefusals()
{
    QFETCH(QStringList, databases);
    QFETCH(QString, open);
    QFETCH(int, answer);
    QFETCH(QString, message);
    for (const QString &name : databases)
        createDatabase(m_env->dataDir(), name);
    start(open);
    const Snapshot before = snapshot();
    const QStringList items = listItems();

    m_env->messages().answer(answer);
    trigger("MMDelete");

    QCOMPARE(m_env->messages().texts(), QStringList{message});
    QCOMPARE(m_env->messages().shown().last().owner, m_window.get());
    QCOMPARE(snapshot(), before);
    QCOMPARE(listItems(), items);
    QCOMPARE(m_window->currentDatabase(), open);
}

QTEST_MAIN(TestDatabaseSetWindow)
#include "tst_databasesetwindow.moc"
