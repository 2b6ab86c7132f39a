// Export, import, backup and restore on the real window: the dialogs' controls, the
// questions and messages, and what the main window shows afterwards.

#include "DialogDriver.h"
#include "ExchangeDialogs.h"
#include "FileNames.h"
#include "LocalLists.h"
#include "MainWindowFixture.h"
#include "RecordsFixture.h"
#include "Table.h"
#include "TestEnvironment.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tav;
using namespace tav::test;
namespace files = tav::store::files;

namespace
{
QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename T> T *childOf(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

// Selects `item` in a list and adds it to the right-hand list.
void addToRight(QDialog *dialog, const QString &item)
{
    auto *left = childOf<QListWidget>(dialog, "ListBox1");
    const auto found = left->findItems(item, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    left->clearSelection();
    // A click on the entry selects it and enables Add.
    QTest::mouseClick(left->viewport(), Qt::LeftButton, {},
                      left->visualItemRect(found.first()).center());
    auto *add = childOf<QToolButton>(dialog, "SBAdd");
    QVERIFY(add->isEnabled());
    add->click();
}
} // namespace

class TestExchangeWindow : public MainWindowTestCase
{
    Q_OBJECT
private slots:
    void exportLeavesPendingEdit();
    void importIntoNewDatabase();
    void backupAndRestoreThroughDialogs();
};

void TestExchangeWindow::exportLeavesPendingEdit()
{
    fillMaster(m_env->dataDir(), 3);
    auto w = startMainWindow(WizardAnswer::Ok);
    showRecord(w.get(), 2);
    auto *first = qobject_cast<QLineEdit *>(control(w.get(), "EditFirstName"));
    first->setFocus();
    first->selectAll();
    QTest::keyClicks(first, "Changed");
    QCOMPARE(w->table1()->state(), store::DataSetState::Edit);

    const QString out = m_env->path("out.txt");
    m_env->messages().answer(MsgNo); // the unsaved-changes prompt
    m_env->answerFileDialog(out);
    m_env->messages().answer(MsgOk); // "Export Successfull"
    onModal<TFExport>([](TFExport *d) { childOf<QPushButton>(d, "BOk")->click(); });
    trigger(w.get(), "MMExport");

    QCOMPARE(m_env->messages().lastText(), QStringLiteral("Export Successfull"));
    const QList<QByteArray> lines = fileBytes(out).split('\n');
    QCOMPARE(lines.size(), 4); // three lines and the last line end
    QVERIFY(lines.at(1).contains("\t2\t \tF2\tL2\t"));
    // The request: the filter and the default suffix.
    const FileDialogRequest &request = m_env->fileRequests().last();
    QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(request.filter, QStringLiteral("Text file (tab delimited) (*.txt)"));
    // The user is where they were, the edit still theirs to save or drop.
    QCOMPARE(w->table1()->state(), store::DataSetState::Edit);
    QCOMPARE(w->table1()->recNo(), 2);
    QCOMPARE(first->text(), QStringLiteral("Changed"));
    QCOMPARE(storedValue(m_env->dataDir(), "table1.db", 2, "FirstName"), QStringLiteral("F2"));
    QVERIFY(control(w.get(), "PageControl1")->isVisible());
    w->table1()->cancel();
}

void TestExchangeWindow::importIntoNewDatabase()
{
    fillMaster(m_env->dataDir(), 2);
    auto w = startMainWindow(WizardAnswer::Ok);
    QFile people(m_env->path("people.txt"));
    QVERIFY(people.open(QIODevice::WriteOnly));
    people.write("A1\tSmith\tJohn\nB2\tDoe\tJane\n");
    people.close();

    m_env->answerFileDialog(people.fileName());
    m_env->messages().answer(MsgYes); // delete the existing labels
    m_env->messages().answer(MsgYes); // keep the attachments list
    m_env->messages().answer(MsgOk);  // "Database imported successfully"
    QString label7;
    bool safetyCopyWhileOpen = false;
    onModal<TFImport1>([&](TFImport1 *d) {
        auto *name = childOf<QLineEdit>(d, "Edit1");
        QVERIFY(!name->isVisible());
        QVERIFY(!childOf<QPushButton>(d, "BOk")->isEnabled());
        safetyCopyWhileOpen = QFile::exists(m_env->path("databases.bak"));
        childOf<QPushButton>(d, "BOpen")->click();
        QVERIFY(name->isVisible());
        name->clear();
        QTest::keyClicks(name, "new.one");
        QCOMPARE(name->text(), QStringLiteral("new_one"));
        childOf<QPushButton>(d, "BOk")->click();
        label7 = childOf<QLabel>(d, "Label7")->text();
    });
    trigger(w.get(), "MMImport");

    QVERIFY(safetyCopyWhileOpen);
    QVERIFY(!QFile::exists(m_env->path("databases.bak")));
    QCOMPARE(label7, QStringLiteral("2 records"));
    QCOMPARE(w->currentDatabase(), QStringLiteral("NEW_ONE"));
    QCOMPARE(w->table1()->recordCount(), 2);
    QCOMPARE(text(w.get(), "EditFirstName"), QStringLiteral("Smith"));
    QCOMPARE(storedValue(m_env->dataDir(), "tNEW_ONE.db", 2, "ID"), QStringLiteral("B2"));
}

void TestExchangeWindow::backupAndRestoreThroughDialogs()
{
    fillMaster(m_env->dataDir(), 2);
    createDatabase(m_env->dataDir(), "CLIENTS");
    auto w = startMainWindow(WizardAnswer::Ok);
    QTemporaryDir target;
    QVERIFY(target.isValid());

    // The data directory, reached with a trailing slash, is refused.
    m_env->messages().answer(MsgOk);
    m_env->messages().answer(MsgOk);
    onModal<TFBackup>([&](TFBackup *d) {
        addToRight(d, "CLIENTS");
        addToRight(d, "MASTER");
        auto *tree = childOf<DirectoryTree>(d, "DirectoryListBox1");
        tree->setDirectory(m_env->dataDir() + "/");
        childOf<QPushButton>(d, "BBackup")->click();
        tree->setDirectory(target.path());
        childOf<QPushButton>(d, "BBackup")->click();
        childOf<QPushButton>(d, "BExit")->click();
    });
    trigger(w.get(), "MMBackup");
    QCOMPARE(m_env->messages().texts(),
             (QStringList{"You MUST change the backup destination directory", "Backup Finished"}));
    for (const char *file : {"x1y2z3tCLIENTS.db", "tCLIENTS.mb", "lCLIENTS.db",
                             "x1y2z3ttable1.db", "table1.mb", "label1.db"})
        QVERIFY2(QFile::exists(QDir(target.path()).filePath(file)), file);

    // CLIENTS is lost, and comes back from the backup.
    w->CloseDatabase1Click();
    for (const char *file : {"tCLIENTS.db", "tCLIENTS.mb", "lCLIENTS.db"})
        QVERIFY(QFile::remove(m_env->path(file)));
    {
        store::Table catalogue;
        catalogue.setTableName(m_env->path(files::kCatalogue));
        catalogue.open();
        catalogue.execute("DELETE FROM data WHERE Name = 'CLIENTS'");
    }
    m_env->messages().clearLog();
    m_env->messages().answer(MsgOk);
    QStringList available;
    onModal<TFRestore>([&](TFRestore *d) {
        childOf<DirectoryTree>(d, "DirectoryListBox1")->setDirectory(target.path());
        auto *left = childOf<QListWidget>(d, "ListBox1");
        for (int i = 0; i < left->count(); ++i)
            available << left->item(i)->text();
        addToRight(d, "CLIENTS");
        childOf<QPushButton>(d, "BRestore")->click();
        childOf<QPushButton>(d, "BExit")->click();
    });
    trigger(w.get(), "MMRestore");
    QCOMPARE(available, (QStringList{"CLIENTS", "MASTER"}));
    QCOMPARE(m_env->messages().texts(), QStringList{"RESTORE COMPLETED"});
    QVERIFY(QFile::exists(m_env->path("tCLIENTS.mb")));
    auto *list = qobject_cast<QComboBox *>(control(w.get(), "ComboBox1"));
    QVERIFY(list->findText("CLIENTS") >= 0);
    QCOMPARE(w->currentDatabase(), list->itemText(0)); // the first database is open again
    QVERIFY(w->table1()->isActive());
}

#include "tst_exchangewindow.moc"
QTEST_MAIN(TestExchangeWindow)
