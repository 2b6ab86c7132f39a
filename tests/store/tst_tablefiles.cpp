// Table files: creating, copying, moving and deleting them, and the files the program brings
// along into an empty data directory.

#include "FieldCatalogue.h"
#include "FileNames.h"
#include "StoreFixtures.h"
#include "SuppliedFiles.h"
#include "TestEnvironment.h"

#include <QtTest>

using namespace tav::store;
using tav::test::namesL;
using tav::test::recordsTable;
using tav::test::walk;

namespace {
QStringList filesIn(const QString &dir)
{
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    return names;
}

std::unique_ptr<Table> opened(const QString &path)
{
    auto t = std::make_unique<Table>();
    t->setTableName(path);
    t->open();
    return t;
}
} // namespace

class TestTableFiles : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void suppliedFilesInEmptyDirectory();
    void suppliedFilesNeverOverwritten();
    void createCopyDeleteMove();
    void failedCopyLeavesTargetWhole();

private:
    std::unique_ptr<tav::test::TestEnvironment> m_env;
};

void TestTableFiles::init()
{
    m_env = std::make_unique<tav::test::TestEnvironment>();
}

void TestTableFiles::cleanup()
{
    m_env->verify();
    m_env.reset();
}

void TestTableFiles::suppliedFilesInEmptyDirectory()
{
    const QString dir = m_env->path("data");
    ensureSuppliedFiles(dir);
    QCOMPARE(filesIn(dir),
             (QStringList{"atach.db", "databases.db", "detailscriteria.db", "l.db", "label1.db",
                          "masterconfig.db", "t.db", "t.mb", "table1.db", "table1.mb"}));

    auto templ = opened(dir + "/t.db");
    QCOMPARE(templ->recordCount(), 1);
    QCOMPARE(templ->fieldCount(), 100);
    QVERIFY(!templ->isNull("Count")); // its order key; the record is number 1 by position
    for (const QString &field : templ->fieldNames()) {
        if (field != "Count")
            QVERIFY2(templ->isNull(field), qPrintable(field));
    }

    auto master = opened(dir + "/" + files::recordsTable("MASTER"));
    QCOMPARE(master->recordCount(), 1);
    QCOMPARE(master->asDate("Date"), QDate::currentDate());

    auto labels = opened(dir + "/" + files::labelsTable("MASTER"));
    QCOMPARE(labels->recordCount(), 1);
    QCOMPARE(labels->fieldCount(), 100);
    QCOMPARE(labels->asInteger("Nradd"), 0);
    QCOMPARE(labels->asString("Created"), QString("Created"));
    QCOMPARE(labels->asString("Last"), QString("Last Name"));
    QCOMPARE(labels->asString(catalogue::labelsField(0)), QString("Field 6"));
    QVERIFY(labels->asString("Res85") != "1"); // not locked

    auto catalogueTable = opened(dir + "/databases.db");
    QCOMPARE(catalogueTable->recordCount(), 1);
    QCOMPARE(catalogueTable->asString("Name"), QString("MASTER"));

    auto attachments = opened(dir + "/atach.db");
    QCOMPARE(attachments->recordCount(), 0);
    QCOMPARE(attachments->fieldNames(), (QStringList{"Number", "FileName"}));
    auto config = opened(dir + "/masterconfig.db");
    QCOMPARE(config->fieldNames().mid(0, 2), (QStringList{"DataName", "ConfigName"}));
}

void TestTableFiles::suppliedFilesNeverOverwritten()
{
    const QString dir = m_env->dataDir();
    ensureSuppliedFiles(dir);
    {
        auto catalogueTable = opened("databases.db");
        catalogueTable->append();
        catalogueTable->setValue("Name", "CLIENTS");
        catalogueTable->post();
        auto master = opened("table1.db");
        master->edit();
        master->setValue("LastName", "mine");
        master->setValue("Comments", "my memo");
        master->post();
    }
    QFile::remove("atach.db");
    ensureSuppliedFiles(dir);

    QCOMPARE(opened("databases.db")->recordCount(), 2);
    auto master = opened("table1.db");
    QCOMPARE(master->asString("LastName"), QString("mine"));
    QCOMPARE(master->asString("Comments"), QString("my memo"));
    QVERIFY(QFileInfo::exists("atach.db")); // only the missing file came back
    QVERIFY(!filesIn(dir).join(' ').contains(".new-"));
}

void TestTableFiles::createCopyDeleteMove()
{
    auto t = recordsTable("tA.db", namesL(3));
    t->edit();
    t->setValue("Comments", "memo travels along");
    t->post();
    t->close();

    // Copy over an existing table of another shape: the copy is the source, memo included.
    createTable("tB.db", schemas::catalogue());
    copyTable("tA.db", "tB.db");
    QCOMPARE(readSchema("tB.db").size(), 100);
    auto copy = opened("tB.db");
    QCOMPARE(walk(*copy), (QStringList{"1:L1", "2:L2", "3:L3"}));
    copy->first();
    QCOMPARE(copy->asString("Comments"), QString("memo travels along"));
    copy->close();

    // Creating replaces: a table without memo fields leaves no .mb behind.
    createTable("tB.db", schemas::attachments());
    QVERIFY(!QFileInfo::exists("tB.mb"));
    QCOMPARE(opened("tB.db")->recordCount(), 0);

    moveTable("tA.db", "tC.db");
    QVERIFY(!tableExists("tA.db") && !QFileInfo::exists("tA.mb"));
    QCOMPARE(opened("tC.db")->recordCount(), 3);
    QVERIFY_THROWS_EXCEPTION(StoreError, moveTable("tC.db", "tB.db")); // never over another table

    deleteTable("tC.db");
    QVERIFY(!QFileInfo::exists("tC.db") && !QFileInfo::exists("tC.mb"));
    deleteTable("tC.db"); // already gone: fine
    QCOMPARE(filesIn(m_env->dataDir()).filter(QRegularExpression("^\\.|tmp|journal")),
             QStringList());
}

void TestTableFiles::failedCopyLeavesTargetWhole()
{
    recordsTable("tA.db", namesL(2))->close();
    recordsTable("tT.db", namesL(5))->close();
    QFile::remove("tA.mb"); // the source is broken: its memo file is gone
    QVERIFY_THROWS_EXCEPTION(StoreError, copyTable("tA.db", "tT.db"));
    QVERIFY_THROWS_EXCEPTION(StoreError, copyTable("tMISSING.db", "tT.db"));
    QCOMPARE(opened("tT.db")->recordCount(), 5);
    QCOMPARE(filesIn(m_env->dataDir()), (QStringList{"tA.db", "tT.db", "tT.mb"}));
}

QTEST_MAIN(TestTableFiles)
#include "tst_tablefiles.moc"
