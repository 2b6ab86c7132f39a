// Start-up and shutdown of the main window: supplied files, the wizard and its settings,
// the catalogue safety copy, window placement and the unsaved-changes prompt at close.

#include "DBControls.h"
#include "DialogDriver.h"
#include "FDFin.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "Settings.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TestEnvironment.h"
#include "Wizard.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

using namespace tav;
using namespace tav::test;
namespace files = tav::store::files;

namespace
{
// The first row's value of `field` in a table file of the data directory.
QString storedValue(const QString &dataDir, const QString &table, const QString &field)
{
    store::Table t;
    t.setDirectory(dataDir);
    t.setTableName(table);
    t.open();
    t.first();
    return t.asString(field);
}

QStringList catalogueNames(const QString &dataDir)
{
    store::Table t;
    t.setDirectory(dataDir);
    t.setTableName(files::kCatalogue);
    t.open();
    QStringList names;
    for (t.first(); !t.eof(); t.next())
        names << t.asString(QStringLiteral("Name"));
    return names;
}
} // namespace

class TestStartup : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void firstStartCreatesFilesAndOpensMaster()
    {
        auto w = startMainWindow(WizardAnswer::Ok);

        for (const char *name :
             {"databases.db", "t.db", "t.mb", "l.db", "atach.db", "table1.db", "table1.mb",
              "label1.db", "tempp.db", "tempp.mb", "atach_table1.db"})
            QVERIFY2(QFile::exists(m_env->path(QString::fromLatin1(name))), name);
        QCOMPARE(Settings::readInt(QStringLiteral("displayw")), std::optional<int>(0));
        QCOMPARE(Settings::readString(QStringLiteral("LastData")),
                 std::optional<QString>("MASTER"));
        QVERIFY(w->findChild<QAction *>(QStringLiteral("MMShowWiz"))->isChecked());

        QVERIFY(w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->isVisibleTo(w.get()));
        QCOMPARE(w->table1()->tableName(), QStringLiteral("table1.db"));
        QCOMPARE(w->table2()->tableName(), QStringLiteral("label1.db"));
        QCOMPARE(w->table1()->recordCount(), 1);
        QCOMPARE(w->currentDatabase(), QStringLiteral("MASTER"));
        QCOMPARE(w->previousDatabaseIndex(), 0);
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database MASTER"));
        QCOMPARE(w->statusPanelText(1), QStringLiteral("1 records"));
        QCOMPARE(w->dataDirectory(), QDir(m_env->dataDir()).absolutePath());

        // The edit boxes show MASTER's record, the caption boxes its captions.
        QCOMPARE(w->findChild<DBEdit *>(QStringLiteral("EditCount"))->text(), QStringLiteral("1"));
        QCOMPARE(w->findChild<DBEdit *>(QStringLiteral("EditDate"))->text(),
                 store::formatDisplayDate(QDate::currentDate()));
        const QString caption = w->table2()->asString(QStringLiteral("First"));
        QVERIFY(!caption.isEmpty());
        QCOMPARE(w->findChild<DBEdit *>(QStringLiteral("LabelFirst"))->text(), caption);
    }

    void cancelledWizardLeavesNoDatabase()
    {
        auto w = startMainWindow(WizardAnswer::Cancel);

        QVERIFY(!w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->isVisibleTo(w.get()));
        QVERIFY(!w->table1()->isActive());
        QCOMPARE(w->statusPanelText(0), QString());
        QCOMPARE(w->statusPanelText(1), QString());
        auto *list = w->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->placeholderText(), QStringLiteral("Select"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(w->findChild<QWidget *>(QStringLiteral("ClientArea"))
                     ->palette()
                     .color(QPalette::Window),
                 QColor(128, 128, 128));

        // Closing with no database open asks nothing and remembers MASTER.
        QVERIFY(w->close());
        QCOMPARE(Settings::readString(QStringLiteral("LastData")),
                 std::optional<QString>("MASTER"));
    }

    void storedChoiceSkipsWizard()
    {
        Settings::writeInt(QStringLiteral("displayw"), 1);
        auto w = startMainWindow(WizardAnswer::NotExpected);
        QVERIFY(!w->findChild<QAction *>(QStringLiteral("MMShowWiz"))->isChecked());
        QVERIFY(!w->table1()->isActive());
    }

    void wizardCheckBoxAndMenuKeepDisplaySetting()
    {
        auto w = std::make_unique<TFDFin>();
        onModal<TFWizard>([](TFWizard *wizard) {
            wizard->findChild<QCheckBox *>(QStringLiteral("CBDisplay"))->click();
            wizard->findChild<QPushButton *>(QStringLiteral("BCancel"))->click();
        });
        w->FormCreate();
        auto *menuItem = w->findChild<QAction *>(QStringLiteral("MMShowWiz"));
        QCOMPARE(Settings::readInt(QStringLiteral("displayw")), std::optional<int>(1));
        QVERIFY(!menuItem->isChecked());

        menuItem->trigger();
        QVERIFY(menuItem->isChecked());
        QCOMPARE(Settings::readInt(QStringLiteral("displayw")), std::optional<int>(0));
        menuItem->trigger();
        QVERIFY(!menuItem->isChecked());
        QCOMPARE(Settings::readInt(QStringLiteral("displayw")), std::optional<int>(1));
    }

    void lastDatabaseIsOpened_data()
    {
        QTest::addColumn<QString>("lastData"); // empty: no value stored
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("recordsTable");
        QTest::addColumn<QString>("labelsTable");
        QTest::newRow("no value stored") << QString() << "MASTER"
                                         << "table1.db"
                                         << "label1.db";
        QTest::newRow("MASTER") << "MASTER"
                                << "MASTER"
                                << "table1.db"
                                << "label1.db";
        QTest::newRow("another database") << "SHOP_2"
                                          << "SHOP_2"
                                          << "tSHOP_2.db"
                                          << "lSHOP_2.db";
        QTest::newRow("no longer in the catalogue") << "GONE"
                                                    << "MASTER"
                                                    << "table1.db"
                                                    << "label1.db";
    }

    void lastDatabaseIsOpened()
    {
        QFETCH(QString, lastData);
        QFETCH(QString, opened);
        QFETCH(QString, recordsTable);
        QFETCH(QString, labelsTable);
        createDatabase(m_env->dataDir(), QStringLiteral("SHOP_2"));
        if (!lastData.isEmpty())
            Settings::writeString(QStringLiteral("LastData"), lastData);

        auto w = startMainWindow(WizardAnswer::Ok);

        QCOMPARE(w->table1()->tableName(), recordsTable);
        QCOMPARE(w->table2()->tableName(), labelsTable);
        QVERIFY(w->table1()->isActive() && w->table2()->isActive());
        QCOMPARE(w->currentDatabase(), opened);
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Database ") + opened);
        QVERIFY(QFile::exists(m_env->path(files::attachmentsTableFor(recordsTable))));
        QCOMPARE(Settings::readString(QStringLiteral("LastData")),
                 std::optional<QString>(lastData.isEmpty() ? QStringLiteral("MASTER") : lastData));
    }

    void catalogueSafetyCopyWins()
    {
        store::ensureSuppliedFiles(m_env->dataDir());
        QVERIFY(QFile::copy(m_env->path("databases.db"), m_env->path("databases.bak")));
        createDatabase(m_env->dataDir(), QStringLiteral("IMPORTED")); // only in databases.db

        auto w = startMainWindow(WizardAnswer::Cancel);

        QVERIFY(!QFile::exists(m_env->path("databases.bak")));
        QCOMPARE(catalogueNames(m_env->dataDir()), QStringList{"MASTER"});
        auto *list = w->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->itemText(0), QStringLiteral("MASTER"));
    }

    void settingsWrittenAtCloseRestoreThePlacement()
    {
        QFile workTable(m_env->path(files::kRenumberWork));
        QVERIFY(workTable.open(QIODevice::WriteOnly));
        workTable.close();
        {
            auto w = startMainWindow(WizardAnswer::Ok);
            QVERIFY(QTest::qWaitForWindowExposed(w.get()));
            w->move(40, 50);
            w->resize(900, 660);
            QVERIFY(w->close());
        }
        QCOMPARE(Settings::readInt(QStringLiteral("Left")), std::optional<int>(40));
        QCOMPARE(Settings::readInt(QStringLiteral("Top")), std::optional<int>(50));
        QCOMPARE(Settings::readInt(QStringLiteral("Width")), std::optional<int>(900));
        QCOMPARE(Settings::readInt(QStringLiteral("Height")), std::optional<int>(660));
        QCOMPARE(Settings::readInt(QStringLiteral("Maximized")), std::optional<int>(0));
        QCOMPARE(Settings::readString(QStringLiteral("LastData")),
                 std::optional<QString>("MASTER"));
        QVERIFY(!QFile::exists(m_env->path(files::kRenumberWork)));

        auto again = startMainWindow(WizardAnswer::Ok);
        QCOMPARE(again->pos(), QPoint(40, 50));
        QCOMPARE(again->size(), QSize(900, 660));
    }

    void maximizedWindowStaysMaximized()
    {
        Settings::writeInt(QStringLiteral("Maximized"), 1);
        Settings::writeInt(QStringLiteral("Width"), 500); // not read while maximized
        auto w = startMainWindow(WizardAnswer::Cancel);
        QTRY_VERIFY(w->isMaximized());

        // Every activation maximizes it again while the setting says so.
        w->showNormal();
        QTRY_VERIFY(!w->isMaximized());
        w->FormActivate();
        QTRY_VERIFY(w->isMaximized());

        QVERIFY(w->close());
        QCOMPARE(Settings::readInt(QStringLiteral("Maximized")), std::optional<int>(1));
    }

    void closeAsksAboutPendingChanges_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("record, Yes saves") << "EditLastName"
                                           << "table1.db"
                                           << "LastName" << int(MsgYes) << true;
        QTest::newRow("record, No drops") << "EditLastName"
                                          << "table1.db"
                                          << "LastName" << int(MsgNo) << false;
        QTest::newRow("caption, Yes saves") << "LabelLast"
                                            << "label1.db"
                                            << "Last" << int(MsgYes) << true;
        QTest::newRow("caption, No drops") << "LabelLast"
                                           << "label1.db"
                                           << "Last" << int(MsgNo) << false;
    }

    void closeAsksAboutPendingChanges()
    {
        QFETCH(QString, box);
        QFETCH(QString, table);
        QFETCH(QString, field);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        auto w = startMainWindow(WizardAnswer::Ok);
        const QString before = storedValue(m_env->dataDir(), table, field);
        auto *edit = w->findChild<DBEdit *>(box);
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("Smith"));
        QVERIFY(w->HasUnsavedChanges());

        // Cancel keeps the window open with the change pending.
        m_env->messages().answer(MsgCancel);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QVERIFY(w->HasUnsavedChanges());
        const MessageRequest prompt = m_env->messages().shown().last();
        QCOMPARE(prompt.text, QStringLiteral("You have made changes in your database. Save now?"));
        QCOMPARE(prompt.caption, QStringLiteral("Warning"));
        QCOMPARE(prompt.icon, MsgIcon::Warning);
        QCOMPARE(prompt.buttons, MsgYes | MsgNo | MsgCancel);
        QCOMPARE(prompt.owner, w.get());

        m_env->messages().answer(answer);
        QVERIFY(w->close());
        w.reset();
        QCOMPARE(storedValue(m_env->dataDir(), table, field),
                 saved ? QStringLiteral("Smith") : before);
    }

    void closeRefusesAnInvalidTypedDate()
    {
        setShortDatePattern(QStringLiteral("dd.MM.yyyy"));
        auto w = startMainWindow(WizardAnswer::Ok);
        auto *date = w->findChild<DBEdit *>(QStringLiteral("EditDate"));
        date->selectAll();
        QTest::keyClicks(date, QStringLiteral("31.02.2003"));

        m_env->messages().answer(MsgYes);
        m_env->messages().answer(MsgOk);
        QVERIFY(!w->close());
        QCOMPARE(m_env->messages().lastText(),
                 QStringLiteral("Created: '31.02.2003' is not a valid date!"));

        date->selectAll();
        QTest::keyClicks(date, QStringLiteral("01.02.2003"));
        m_env->messages().answer(MsgYes);
        QVERIFY(w->close());
        w.reset();
        QCOMPARE(storedValue(m_env->dataDir(), QStringLiteral("table1.db"), QStringLiteral("Date")),
                 QStringLiteral("01.02.2003"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
