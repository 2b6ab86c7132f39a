// Choosing the current database on the real main window: the database list, the
// open-database dialog (also from the start-up wizard) and Close Database.

#include "DBControls.h"
#include "DialogDriver.h"
#include "FDFin.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "OpenDatabase.h"
#include "RadioGroup.h"
#include "Schemas.h"
#include "Settings.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TableFiles.h"
#include "TableFormat.h"
#include "TestEnvironment.h"
#include "Wizard.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace tav;
using namespace tav::test;
namespace files = tav::store::files;
using tav::store::DataSetState;

namespace
{
const QString kShop = QStringLiteral("SHOP");

void setCaption(const QString &dataDir, const QString &database, const QString &field,
                const QString &caption)
{
    store::Table labels;
    labels.setDirectory(dataDir);
    labels.setTableName(files::labelsTable(database));
    labels.open();
    labels.edit();
    labels.setValue(field, caption);
    labels.post();
}

// A database whose labels table has only the captions of the standard fields (19 fields).
void createShortLabelsDatabase(const QString &dataDir, const QString &name)
{
    createDatabase(dataDir, name);
    const QString path = QDir(dataDir).filePath(files::labelsTable(name));
    store::createTable(path, store::schemas::labels().mid(0, 19));
    setCaption(dataDir, name, QStringLiteral("Last"), QStringLiteral("Surname"));
}

QComboBox *databaseList(TFDFin *w)
{
    return w->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
}

DBEdit *box(TFDFin *w, const char *name)
{
    return w->findChild<DBEdit *>(QString::fromLatin1(name));
}

bool shown(TFDFin *w, const char *name)
{
    return w->findChild<QWidget *>(QString::fromLatin1(name))->isVisibleTo(w);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestDatabaseList : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void choosingADatabaseOpensIt()
    {
        createDatabase(m_env->dataDir(), kShop, 3);
        addRecords(m_env->dataDir(), kShop, {"Kline", "Lowe"});
        setCaption(m_env->dataDir(), kShop, QStringLiteral("Last"), QStringLiteral("Surname"));
        auto w = startMainWindow(WizardAnswer::Ok);
        w->setRememberedSortIndex(4);

        chooseDatabase(w.get(), kShop);
        QCOMPARE(w->table1()->tableName(), QStringLiteral("tSHOP.db"));
        QCOMPARE(w->table2()->tableName(), QStringLiteral("lSHOP.db"));
        QCOMPARE(w->currentDatabase(), kShop);
        QCOMPARE(w->previousDatabaseIndex(), 1);
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database SHOP"));
        QCOMPARE(w->statusPanelText(1), QStringLiteral("3 records"));
        QCOMPARE(w->rememberedRecordCount(), 3);
        QCOMPARE(w->rememberedSortIndex(), -1);
        QCOMPARE(w->extraFieldCount(), 3);
        QCOMPARE(box(w.get(), "LabelLast")->text(), QStringLiteral("Surname"));
        QVERIFY(shown(w.get(), "EditReserved8") && !shown(w.get(), "EditReserved9"));
        QVERIFY(shown(w.get(), "BAddFields") && shown(w.get(), "BDeleteFields"));
        w->findChild<QToolButton *>(QStringLiteral("SBNext"))->click();
        QCOMPARE(box(w.get(), "EditLastName")->text(), QStringLiteral("Kline"));

        // The Report page takes the new captions.
        auto *criteria = w->findChild<QCheckBox *>(QStringLiteral("CheckBox5"));
        auto *output = w->findChild<QCheckBox *>(QStringLiteral("CheckBoxO5"));
        QCOMPARE(criteria->text(), QStringLiteral("Surname"));
        QVERIFY(!criteria->isChecked());
        QCOMPARE(output->text(), QStringLiteral("Surname"));
        QVERIFY(output->isChecked());
        QVERIFY(!w->findChild<QCheckBox *>(QStringLiteral("CheckBoxO18"))->isChecked());
        auto hidden = [&w](const char *name) {
            return w->findChild<QWidget *>(QString::fromLatin1(name))->isHidden();
        };
        QVERIFY(!hidden("CheckBox20") && hidden("CheckBox21"));
        QVERIFY(!hidden("CheckBoxO21") && hidden("CheckBoxO22"));
        auto *sort = w->findChild<QComboBox *>(QStringLiteral("ComboBoxSort"));
        auto *sortFields = w->findChild<QComboBox *>(QStringLiteral("ComboBoxSort1"));
        QCOMPARE(sort->count(), 15 + 3);
        QCOMPARE(sort->itemText(2), QStringLiteral("Surname"));
        QCOMPARE(sortFields->itemText(2), QStringLiteral("LastName"));
        QCOMPARE(sortFields->itemText(15), QStringLiteral("Res7"));
        QCOMPARE(sort->currentIndex(), -1);

        chooseDatabase(w.get(), files::kMaster);
        QCOMPARE(w->table1()->tableName(), QStringLiteral("table1.db"));
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database MASTER"));
        QCOMPARE(w->previousDatabaseIndex(), 0);
        QVERIFY(!shown(w.get(), "EditReserved6"));
    }

    // A database written by a newer version is refused with the reason, not shown empty.
    void newerDatabaseIsRefusedWithTheReason()
    {
        createDatabase(m_env->dataDir(), kShop);
        {
            store::Table records;
            records.setDirectory(m_env->dataDir());
            records.setTableName(files::recordsTable(kShop));
            records.open();
            records.execute(QStringLiteral("PRAGMA main.user_version = %1")
                                .arg(store::format::kUserVersion + 1));
        }
        auto w = startMainWindow(WizardAnswer::Ok);
        m_env->messages().answer(MsgOk);
        chooseDatabase(w.get(), kShop);
        QCOMPARE(m_env->messages().texts(),
                 QStringList{"tSHOP.db was written by a newer version of Tavrionex and cannot "
                             "be opened by this one. Open it with the version that wrote it."});
        QVERIFY(!w->table1()->isActive());

        chooseDatabase(w.get(), files::kMaster); // the others still open
        QVERIFY(w->table1()->isActive());
        QCOMPARE(m_env->messages().texts().size(), 1);
    }

    void pendingChangesWhenSwitching_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<QString>("openAfter");
        QTest::addColumn<QString>("storedAfter");
        QTest::newRow("Cancel keeps the old database") << int(MsgCancel) << false << "MASTER"
                                                       << "Baker";
        QTest::newRow("No drops the changes") << int(MsgNo) << false << "SHOP"
                                              << "Baker";
        QTest::newRow("Yes saves them") << int(MsgYes) << false << "SHOP"
                                        << "Dunn";
        QTest::newRow("Yes with a failing save keeps the old database")
            << int(MsgYes) << true << "MASTER"
            << "Baker";
    }

    void pendingChangesWhenSwitching()
    {
        QFETCH(int, answer);
        QFETCH(bool, saveFails);
        QFETCH(QString, openAfter);
        QFETCH(QString, storedAfter);
        createDatabase(m_env->dataDir(), kShop);
        addRecords(m_env->dataDir(), files::kMaster, {"Baker"});
        auto w = startMainWindow(WizardAnswer::Ok);
        w->findChild<QToolButton *>(QStringLiteral("SBNext"))->click();
        if (saveFails)
            w->table1()->execute(QStringLiteral(
                "CREATE TRIGGER refuse BEFORE UPDATE ON data "
                "BEGIN SELECT RAISE(ABORT, 'the disk refused the record'); END"));
        DBEdit *lastName = box(w.get(), "EditLastName");
        lastName->selectAll();
        QTest::keyClicks(lastName, QStringLiteral("Dunn"));

        m_env->messages().answer(answer);
        if (saveFails)
            m_env->messages().answer(MsgOk);
        chooseDatabase(w.get(), kShop);

        QCOMPARE(m_env->messages().shown().first().text,
                 QStringLiteral("You have made changes in your database. Save now?"));
        QCOMPARE(w->currentDatabase(), openAfter);
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database ") + openAfter);
        QCOMPARE(storedValue(m_env->dataDir(), QStringLiteral("table1.db"), 2,
                             QStringLiteral("LastName")),
                 storedAfter);
        if (openAfter == files::kMaster) {
            QCOMPARE(w->table1()->tableName(), QStringLiteral("table1.db"));
            QCOMPARE(w->dataSource1()->state(), DataSetState::Edit);
            QCOMPARE(lastName->text(), QStringLiteral("Dunn"));
            QCOMPARE(w->previousDatabaseIndex(), 0);
        } else {
            QCOMPARE(w->table1()->tableName(), QStringLiteral("tSHOP.db"));
            QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);
        }
    }

    void everyKeyInTheListStartsFromSelect()
    {
        createDatabase(m_env->dataDir(), kShop);
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        chooseDatabase(w.get(), kShop);
        QComboBox *list = databaseList(w.get());
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());

        // From "Select", Up finds nothing to choose: the open database stays selected.
        QTest::keyClick(list, Qt::Key_Up);
        QTRY_COMPARE(list->currentIndex(), 1);
        QCOMPARE(w->table1()->tableName(), QStringLiteral("tSHOP.db"));

        // From "Select", Down chooses the first database, not the one after SHOP.
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(w->currentDatabase(), QStringLiteral("MASTER"));
        QCOMPARE(w->table1()->tableName(), QStringLiteral("table1.db"));
        QCOMPARE(w->previousDatabaseIndex(), 0);
    }

    void shortLabelsTableOffersNoFieldButtons()
    {
        createShortLabelsDatabase(m_env->dataDir(), QStringLiteral("TINY"));
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(shown(w.get(), "BAddFields") && shown(w.get(), "BDeleteFields"));

        chooseDatabase(w.get(), QStringLiteral("TINY"));
        QCOMPARE(w->table2()->fieldCount(), 19);
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database TINY"));
        QCOMPARE(box(w.get(), "LabelLast")->text(), QStringLiteral("Surname"));
        QVERIFY(!shown(w.get(), "BAddFields") && !shown(w.get(), "BDeleteFields"));
        QVERIFY(!shown(w.get(), "EditReserved6"));

        chooseDatabase(w.get(), files::kMaster);
        QVERIFY(shown(w.get(), "BAddFields") && shown(w.get(), "BDeleteFields"));
    }

    void closeDatabaseEmptiesTheWindow()
    {
        store::ensureSuppliedFiles(m_env->dataDir());
        addRecords(m_env->dataDir(), files::kMaster, {"Baker"});
        auto w = startMainWindow(WizardAnswer::Ok);
        auto *closeItem = w->findChild<QAction *>(QStringLiteral("CloseDatabase1"));
        auto *pages = w->findChild<QTabWidget *>(QStringLiteral("PageControl1"));

        // Cancel to the prompt keeps the database and the change.
        DBEdit *first = box(w.get(), "EditFirstName");
        QTest::keyClicks(first, QStringLiteral("Ann"));
        m_env->messages().answer(MsgCancel);
        closeItem->trigger();
        QVERIFY(w->table1()->isActive());
        QCOMPARE(w->dataSource1()->state(), DataSetState::Edit);

        m_env->messages().answer(MsgNo);
        closeItem->trigger();
        QVERIFY(!w->table1()->isActive() && !w->table2()->isActive());
        QCOMPARE(w->statusPanelText(0), QString());
        QCOMPARE(w->statusPanelText(1), QString());
        QCOMPARE(databaseList(w.get())->currentIndex(), -1);
        QCOMPARE(databaseList(w.get())->placeholderText(), QStringLiteral("Select"));
        QVERIFY(!pages->isVisibleTo(w.get()));
        QCOMPARE(w->findChild<QWidget *>(QStringLiteral("ClientArea"))
                     ->palette()
                     .color(QPalette::Window),
                 QColor(128, 128, 128));
        QCOMPARE(storedValue(m_env->dataDir(), QStringLiteral("table1.db"), 1,
                             QStringLiteral("FirstName")),
                 QString());

        chooseDatabase(w.get(), files::kMaster);
        QVERIFY(pages->isVisibleTo(w.get()));
        QCOMPARE(w->statusPanelText(1), QStringLiteral("2 records"));
    }

    void openDialogOpensTheChosenDatabase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QString>("recordsTable");
        QTest::addColumn<QString>("labelsTable");
        QTest::newRow("MASTER with Open") << "MASTER" << false << "table1.db"
                                          << "label1.db";
        QTest::newRow("SHOP by double click") << "SHOP" << true << "tSHOP.db"
                                              << "lSHOP.db";
    }

    void openDialogOpensTheChosenDatabase()
    {
        QFETCH(QString, name);
        QFETCH(bool, doubleClick);
        QFETCH(QString, recordsTable);
        QFETCH(QString, labelsTable);
        createDatabase(m_env->dataDir(), QStringLiteral("ZOO"));
        createDatabase(m_env->dataDir(), kShop, 2);
        const QString workMemo = m_env->path(files::kRenumberWorkMemo);
        QFile sentinel(workMemo);
        QVERIFY(sentinel.open(QIODevice::WriteOnly));
        sentinel.write("left alone");
        sentinel.close();
        auto w = startMainWindow(WizardAnswer::Cancel);
        w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(1);

        QStringList listed;
        bool openAtFirst = true;
        onModal<TFOpen>([&](TFOpen *dialog) {
            auto *list = dialog->findChild<QListWidget *>(QStringLiteral("ListBox1"));
            auto *open = dialog->findChild<QPushButton *>(QStringLiteral("BOpen"));
            for (int i = 0; i < list->count(); ++i)
                listed << list->item(i)->text();
            openAtFirst = open->isEnabled();
            QListWidgetItem *item = list->findItems(name, Qt::MatchExactly).value(0);
            const QPoint at = list->visualItemRect(item).center();
            if (doubleClick) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QMouseEvent twice(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at),
                                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(list->viewport(), &twice);
            } else {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
                QVERIFY(open->isEnabled());
                open->click();
            }
        });
        w->findChild<QToolButton *>(QStringLiteral("SBOpen"))->click();

        QCOMPARE(listed, QStringList({"MASTER", "SHOP", "ZOO"}));
        QVERIFY(!openAtFirst);
        QCOMPARE(w->table1()->tableName(), recordsTable);
        QCOMPARE(w->table2()->tableName(), labelsTable);
        QCOMPARE(w->currentDatabase(), name);
        QCOMPARE(w->previousDatabaseIndex(), databaseList(w.get())->findText(name));
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database ") + name);
        QCOMPARE(w->statusPanelText(1), QStringLiteral("1 records"));
        QCOMPARE(w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->currentIndex(), 0);
        QVERIFY(w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->isVisibleTo(w.get()));
        QCOMPARE(w->extraFieldCount(), name == kShop ? 2 : 0);
        // The renumbering work copy follows every database but MASTER.
        QCOMPARE(fileBytes(workMemo), name == kShop
                                          ? fileBytes(m_env->path(files::memoFile(kShop)))
                                          : QByteArray("left alone"));
    }

    void wizardOpensAnExistingDatabase()
    {
        createDatabase(m_env->dataDir(), kShop);
        auto w = std::make_unique<TFDFin>();
        onModal<TFWizard>([](TFWizard *wizard) {
            auto *choice = wizard->findChild<RadioGroup *>(QStringLiteral("RGOpen"));
            QVERIFY(choice->button(2)->isEnabled());
            choice->button(2)->click();
            onModal<TFOpen>([](TFOpen *dialog) {
                auto *list = dialog->findChild<QListWidget *>(QStringLiteral("ListBox1"));
                list->setCurrentItem(list->findItems(QStringLiteral("SHOP"), Qt::MatchExactly)
                                         .value(0));
                dialog->findChild<QPushButton *>(QStringLiteral("BOpen"))->click();
            });
            wizard->findChild<QPushButton *>(QStringLiteral("BOk"))->click();
        });
        w->FormCreate();
        QCOMPARE(w->currentDatabase(), kShop);
        QCOMPARE(w->table1()->tableName(), QStringLiteral("tSHOP.db"));
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database SHOP"));
    }

    void reportAndChartPagesFollowTheList()
    {
        createDatabase(m_env->dataDir(), kShop, 1);
        setCaption(m_env->dataDir(), kShop, QStringLiteral("Last"), QStringLiteral("Surname"));
        createDatabase(m_env->dataDir(), QStringLiteral("GONE"));
        auto w = startMainWindow(WizardAnswer::Ok);
        auto *pages = w->findChild<QTabWidget *>(QStringLiteral("PageControl1"));

        pages->setCurrentIndex(1);
        chooseDatabase(w.get(), kShop);
        QCOMPARE(w->table1()->tableName(), QStringLiteral("tSHOP.db"));
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database SHOP"));
        QCOMPARE(w->findChild<QCheckBox *>(QStringLiteral("CheckBoxO5"))->text(),
                 QStringLiteral("Surname"));
        QCOMPARE(w->findChild<QComboBox *>(QStringLiteral("ComboBoxSort"))->count(), 16);

        // On the Chart page a database whose files are gone is reported.
        store::deleteTable(m_env->path(QStringLiteral("tGONE.db")));
        pages->setCurrentIndex(2);
        m_env->messages().answer(MsgOk);
        chooseDatabase(w.get(), QStringLiteral("GONE"));
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("Error when changing databases!!!"));
        QVERIFY(!w->table1()->isActive());
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database GONE"));
    }
};

QTEST_MAIN(TestDatabaseList)
#include "tst_databaselist.moc"
