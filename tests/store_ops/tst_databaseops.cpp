// Database names, and create / save as / rename / delete with the catalogue: the file set of
// every database stays whole, existing files are never overwritten, a failed rename loses
// nothing.

#include "Catalogue.h"
#include "DatabaseNames.h"
#include "DatabaseOps.h"
#include "FileNames.h"
#include "OpsFixture.h"
#include "StoreError.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TableFiles.h"

#include <QtTest>

using namespace tav::store;
using namespace tav::store::ops;
using tav::test::AttachmentRows;
using tav::test::OpsFixture;

class TestDatabaseOps : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void typingFilters_data();
    void typingFilters();
    void takenNames();
    void validNames();

    void createDatabase();
    void createRefusesTakenNames_data();
    void createRefusesTakenNames();
    void saveAsOfMaster();
    void saveAsWithoutAttachmentsTable();
    void saveAsRefusesExistingFiles();
    void renameMovesFilesAndCatalogueRow();
    void renameRefusesTakenNames();
    void failedRenameLosesNothing_data();
    void failedRenameLosesNothing();
    void deleteDatabase();

private:
    QString dir() const { return m_fixture->dataDir(); }
    bool exists(const QString &file) const { return QFileInfo::exists(m_fixture->path(file)); }
    // A database A in the catalogue with 10 records, labels and attachments.
    void makeDatabaseA();
    QMap<QString, QByteArray> snapshot() const; // every file of the data directory

    std::unique_ptr<OpsFixture> m_fixture;
};

void TestDatabaseOps::init()
{
    m_fixture = std::make_unique<OpsFixture>();
    ensureSuppliedFiles(m_fixture->dataDir());
}

void TestDatabaseOps::cleanup()
{
    m_fixture.reset();
}

void TestDatabaseOps::makeDatabaseA()
{
    m_fixture->writeRecords("tA.db", 10);
    m_fixture->writeLabels("lA.db", 4);
    m_fixture->writeAttachments("atach_tA.db", {{3, "doc.txt"}});
    catalogue::add(dir(), "A");
}

QMap<QString, QByteArray> TestDatabaseOps::snapshot() const
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo &info : QDir(dir()).entryInfoList(QDir::Files | QDir::Dirs |
                                                           QDir::NoDotAndDotDot | QDir::Hidden)) {
        QFile file(info.filePath());
        files[info.fileName()] =
            info.isDir() ? QByteArray("<dir>")
                         : (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?"));
    }
    return files;
}

void TestDatabaseOps::typingFilters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("renameName");

    QTest::newRow("my db.1") << "my db.1"
                             << "my_db_1"
                             << "my_db_1";
    QTest::newRow("hyphen, semicolon, tilde") << "a-b;c~d"
                                              << "a_b_c_d"
                                              << "a-b;c~d";
    QTest::newRow("all 17") << " \"'*,-./:;<>?\\`|~" << QString(17, '_') << "_____-___;______~";
    QTest::newRow("letters and digits stay") << "Äbc_09"
                                             << "Äbc_09"
                                             << "Äbc_09";
}

void TestDatabaseOps::typingFilters()
{
    QFETCH(QString, typed);
    QFETCH(QString, newName);
    QFETCH(QString, renameName);
    QCOMPARE(names::filterNewName(typed), newName);
    QCOMPARE(names::filterRenameName(typed), renameName);
}

void TestDatabaseOps::takenNames()
{
    QCOMPARE(names::normalised(names::filterNewName("my db.1")), QStringLiteral("MY_DB_1"));
    QVERIFY(names::isTaken("a", {"MASTER", "A"}));
    QVERIFY(names::isTaken("Master", {}));
    QVERIFY(!names::isTaken("B", {"MASTER", "A"}));
}

void TestDatabaseOps::validNames()
{
    QVERIFY(names::isValid("A-B;C~D"));
    QVERIFY(names::isValid(QString(names::kMaxNameLength, 'X')));
    QVERIFY(!names::isValid(QString(names::kMaxNameLength + 1, 'X')));
    QVERIFY(!names::isValid(""));
    QVERIFY(!names::isValid("../X"));
    QVERIFY(!names::isValid(QStringLiteral("A\nB")));
    QVERIFY_THROWS_EXCEPTION(StoreError, ops::createDatabase(dir(), "A/B"));
}

void TestDatabaseOps::createDatabase()
{
    QCOMPARE(ops::createDatabase(dir(), names::filterNewName("my db.1")), NameResult::Done);

    for (const char *file : {"tMY_DB_1.db", "tMY_DB_1.mb", "lMY_DB_1.db"})
        QVERIFY2(exists(file), file);
    QCOMPARE(catalogue::names(dir()), QStringList({"MASTER", "MY_DB_1"}));
    Table records;
    records.setTableName(m_fixture->path("tMY_DB_1.db"));
    records.open();
    QCOMPARE(records.recordCount(), 1);
    QCOMPARE(m_fixture->readLabels("lMY_DB_1.db"), m_fixture->readLabels("l.db"));

    // A first start in an empty folder: templates and catalogue are made on the way.
    const QString fresh = m_fixture->path("fresh");
    QCOMPARE(ops::createDatabase(fresh, "X"), NameResult::Done);
    QCOMPARE(catalogue::names(fresh), QStringList({"MASTER", "X"}));
}

void TestDatabaseOps::createRefusesTakenNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("strayFile"); // lies in the data directory, not in the catalogue

    QTest::newRow("MASTER") << "master"
                            << "";
    QTest::newRow("in the catalogue") << "a"
                                      << "";
    QTest::newRow("records file on disk") << "b"
                                          << "tB.db";
    QTest::newRow("memo file on disk") << "b"
                                       << "tB.mb";
    QTest::newRow("labels file on disk") << "b"
                                         << "lB.db";
    QTest::newRow("attachments file on disk") << "b"
                                              << "atach_tB.db";
}

void TestDatabaseOps::createRefusesTakenNames()
{
    QFETCH(QString, name);
    QFETCH(QString, strayFile);
    makeDatabaseA();
    if (!strayFile.isEmpty()) {
        QFile stray(m_fixture->path(strayFile));
        QVERIFY(stray.open(QIODevice::WriteOnly));
        stray.write("someone's data");
    }
    const QMap<QString, QByteArray> before = snapshot();

    QCOMPARE(ops::createDatabase(dir(), name), NameResult::NameTaken);
    QCOMPARE(ops::saveAsDatabase(dir(), "A", name), NameResult::NameTaken);
    QCOMPARE(ops::renameDatabase(dir(), "A", name), NameResult::NameTaken);
    QCOMPARE(snapshot(), before);
}

void TestDatabaseOps::saveAsOfMaster()
{
    m_fixture->writeAttachments("atach_table1.db", {{1, "letter.txt"}});
    {
        Table labels;
        labels.setTableName(m_fixture->path("label1.db"));
        labels.open();
        labels.edit();
        labels.setValue("Phone", "Mobile");
        labels.setValue("Res85", "1"); // locked: the copy is locked too
        labels.post();
    }

    QCOMPARE(saveAsDatabase(dir(), "MASTER", "archive"), NameResult::Done);

    QCOMPARE(m_fixture->readAll("tARCHIVE.db"), m_fixture->readAll("table1.db"));
    QVERIFY(exists("tARCHIVE.mb"));
    QCOMPARE(m_fixture->readLabels("lARCHIVE.db"), m_fixture->readLabels("label1.db"));
    QCOMPARE(m_fixture->readAttachments("atach_tARCHIVE.db"), AttachmentRows({{1, "letter.txt"}}));
    QCOMPARE(catalogue::names(dir()), QStringList({"MASTER", "ARCHIVE"}));
    QVERIFY(exists("table1.db") && exists("label1.db") && exists("atach_table1.db"));
}

void TestDatabaseOps::saveAsWithoutAttachmentsTable()
{
    makeDatabaseA();
    QVERIFY(QFile::remove(m_fixture->path("atach_tA.db")));
    QCOMPARE(saveAsDatabase(dir(), "A", "COPY"), NameResult::Done);
    QCOMPARE(m_fixture->readAttachments("atach_tCOPY.db"), AttachmentRows());
    QCOMPARE(m_fixture->readAll("tCOPY.db"), m_fixture->readAll("tA.db"));
}

void TestDatabaseOps::saveAsRefusesExistingFiles()
{
    makeDatabaseA();
    m_fixture->writeRecords("tOLD.db", 3); // an earlier database of that name, not catalogued
    const QVector<QVariantList> old = m_fixture->readAll("tOLD.db");
    QCOMPARE(saveAsDatabase(dir(), "A", "OLD"), NameResult::NameTaken);
    QCOMPARE(m_fixture->readAll("tOLD.db"), old);
    QVERIFY(!exists("lOLD.db"));
    QCOMPARE(catalogue::names(dir()), QStringList({"MASTER", "A"}));
}

void TestDatabaseOps::renameMovesFilesAndCatalogueRow()
{
    makeDatabaseA();
    catalogue::add(dir(), "C");
    const QVector<QVariantList> records = m_fixture->readAll("tA.db");

    QCOMPARE(renameDatabase(dir(), "A", "b-2"), NameResult::Done);

    for (const char *file : {"tA.db", "tA.mb", "lA.db", "atach_tA.db"})
        QVERIFY2(!exists(file), file);
    QCOMPARE(m_fixture->readAll("tB-2.db"), records);
    QCOMPARE(m_fixture->readAttachments("atach_tB-2.db"), AttachmentRows({{3, "doc.txt"}}));
    QVERIFY(exists("lB-2.db"));
    QCOMPARE(catalogue::names(dir()), QStringList({"MASTER", "B-2", "C"}));
}

void TestDatabaseOps::renameRefusesTakenNames()
{
    makeDatabaseA();
    QCOMPARE(renameDatabase(dir(), "A", "a"), NameResult::NameTaken);
    QCOMPARE(renameDatabase(dir(), "A", "MASTER"), NameResult::NameTaken);
    QVERIFY_THROWS_EXCEPTION(StoreError, renameDatabase(dir(), "MASTER", "OTHER"));
    QVERIFY(exists("tA.db") && exists("table1.db"));
}

void TestDatabaseOps::failedRenameLosesNothing_data()
{
    QTest::addColumn<QString>("cause");
    QTest::newRow("labels file unreadable") << "labels"; // fails after the records moved
    QTest::newRow("catalogue refuses") << "catalogue";   // fails after all four moved
}

void TestDatabaseOps::failedRenameLosesNothing()
{
    QFETCH(QString, cause);
    makeDatabaseA();
    if (cause == "labels") {
        QFile labels(m_fixture->path("lA.db"));
        QVERIFY(labels.open(QIODevice::WriteOnly | QIODevice::Truncate));
        labels.write("not a table");
    } else {
        m_fixture->execute("databases.db",
                           "CREATE TRIGGER refuse BEFORE UPDATE ON data "
                           "BEGIN SELECT RAISE(ABORT, 'the catalogue refuses'); END");
    }
    const QMap<QString, QByteArray> before = snapshot();

    QVERIFY_THROWS_EXCEPTION(StoreError, renameDatabase(dir(), "A", "B"));

    QCOMPARE(snapshot(), before);
    QCOMPARE(catalogue::names(dir()), QStringList({"MASTER", "A"}));
}

void TestDatabaseOps::deleteDatabase()
{
    makeDatabaseA();
    QVERIFY_THROWS_EXCEPTION(StoreError, ops::deleteDatabase(dir(), "master"));

    ops::deleteDatabase(dir(), "a");

    for (const char *file : {"tA.db", "tA.mb", "lA.db", "atach_tA.db"})
        QVERIFY2(!exists(file), file);
    QCOMPARE(catalogue::names(dir()), QStringList({"MASTER"}));
    QVERIFY(exists("table1.db"));
    // The name is free again.
    QCOMPARE(ops::createDatabase(dir(), "A"), NameResult::Done);
}

QTEST_GUILESS_MAIN(TestDatabaseOps)
#include "tst_databaseops.moc"
