// Backup sets: the eight files of MASTER and CLIENTS, the sets Restore finds, restoring a set
// the catalogue lost, and failures that leave the database as it was.

#include "BackupSets.h"
#include "Catalogue.h"
#include "DatabaseOps.h"
#include "OpsFixture.h"
#include "StoreError.h"
#include "SuppliedFiles.h"
#include "Table.h"

#include <QtTest>

using namespace tav::exchange;
using namespace tav::store;
using tav::test::OpsFixture;

namespace {

QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo &info : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            files[info.fileName()] = file.readAll();
    }
    return files;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

class TestBackupSets : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void backupAndRestoreMasterAndClients();
    void failedRestoreLeavesDatabase();
    void sourceEqualToDestinationRefused();
    void setNames_data();
    void setNames();

private:
    QString dataDir() const { return m_data->dataDir(); }
    QString backupDir() const { return m_backup.path(); }

    std::unique_ptr<OpsFixture> m_data;
    QTemporaryDir m_backup;
};

void TestBackupSets::init()
{
    m_data = std::make_unique<OpsFixture>();
    ensureSuppliedFiles(dataDir());
    m_data->writeRecords("tCLIENTS.db", 5);
    m_data->writeLabels("lCLIENTS.db", 3);
    m_data->writeAttachments("atach_tCLIENTS.db", {{2, "doc.txt"}});
    m_data->writeAttachments("atach_table1.db", {{1, "master.txt"}});
    ops::catalogue::add(dataDir(), "CLIENTS");
    QVERIFY(m_backup.isValid());
}

void TestBackupSets::cleanup()
{
    m_data.reset();
    QDir(backupDir()).removeRecursively();
    QDir().mkpath(backupDir());
}

void TestBackupSets::backupAndRestoreMasterAndClients()
{
    const QVector<QVariantList> clients = m_data->readAll("tCLIENTS.db");
    const QVariantList labels = m_data->readLabels("lCLIENTS.db");
    backup::backupDatabase(dataDir(), "MASTER", backupDir());
    backup::backupDatabase(dataDir(), "CLIENTS", backupDir());
    // A second backup of the same database replaces its set.
    backup::backupDatabase(dataDir(), "CLIENTS", backupDir());
    QCOMPARE(QDir(backupDir()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{"atach_tCLIENTS.db", "atach_table1.db", "lCLIENTS.db", "label1.db",
                          "tCLIENTS.mb", "table1.mb", "x1y2z3tCLIENTS.db", "x1y2z3ttable1.db"}));
    const backup::FoundSets found = backup::findSets(backupDir());
    QCOMPARE(found.names, (QStringList{"CLIENTS", "MASTER"}));
    QVERIFY(found.invalidFiles.isEmpty());

    // CLIENTS lost from the data directory and the catalogue comes back with both.
    ops::deleteDatabase(dataDir(), "CLIENTS");
    QVERIFY(backup::restoreDatabase(backupDir(), "CLIENTS", dataDir()));
    QVERIFY(ops::catalogue::names(dataDir()).contains("CLIENTS"));
    QCOMPARE(m_data->readAll("tCLIENTS.db"), clients);
    QCOMPARE(m_data->readLabels("lCLIENTS.db"), labels);
    QCOMPARE(m_data->readAttachments("atach_tCLIENTS.db").size(), 1);
    // MASTER never gets a catalogue row of its own.
    const QStringList names = ops::catalogue::names(dataDir());
    QVERIFY(!backup::restoreDatabase(backupDir(), "MASTER", dataDir()));
    QCOMPARE(ops::catalogue::names(dataDir()), names);
    QCOMPARE(m_data->readAttachments("atach_table1.db").size(), 1);
}

void TestBackupSets::failedRestoreLeavesDatabase()
{
    backup::backupDatabase(dataDir(), "CLIENTS", backupDir());
    m_data->writeRecords("tCLIENTS.db", 7); // the database moved on since the backup
    // The set's memo file is damaged: its records file would be copied first.
    writeBytes(QDir(backupDir()).filePath("tCLIENTS.mb"), "not a table");
    const auto before = snapshot(dataDir());
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             backup::restoreDatabase(backupDir(), "CLIENTS", dataDir()));
    QCOMPARE(snapshot(dataDir()), before);

    // A backup that cannot copy a file leaves the older set as it was.
    const auto setBefore = snapshot(backupDir());
    QFile::remove(m_data->path("lCLIENTS.db"));
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             backup::backupDatabase(dataDir(), "CLIENTS", backupDir()));
    QCOMPARE(snapshot(backupDir()), setBefore);
}

void TestBackupSets::sourceEqualToDestinationRefused()
{
    QVERIFY(backup::sameDirectory(dataDir(), dataDir() + "/"));
    QVERIFY(backup::sameDirectory(dataDir(), dataDir() + "/./"));
    const QString link = backupDir() + "/link";
    QVERIFY(QFile::link(dataDir(), link));
    QVERIFY(backup::sameDirectory(dataDir(), link));
    QVERIFY(!backup::sameDirectory(dataDir(), backupDir()));
    const auto before = snapshot(dataDir());
    QVERIFY_THROWS_EXCEPTION(StoreError, backup::backupDatabase(dataDir(), "CLIENTS", link + "/"));
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             backup::restoreDatabase(dataDir() + "/", "CLIENTS", dataDir()));
    QCOMPARE(snapshot(dataDir()), before);
}

void TestBackupSets::setNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::newRow("database") << "x1y2z3tCLIENTS.db" << "CLIENTS";
    QTest::newRow("MASTER") << "x1y2z3ttable1.db" << "MASTER";
    QTest::newRow("underscore") << "x1y2z3tA_B.db" << "A_B";
    QTest::newRow("name with a colon") << "x1y2z3tA:B.db" << "";
    QTest::newRow("no name") << "x1y2z3t.db" << "";
    QTest::newRow("name too long") << "x1y2z3tABCDEFGHIJKLMNOPQRSTU.db" << "";
    QTest::newRow("memo file") << "tCLIENTS.mb" << "";
}

void TestBackupSets::setNames()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QCOMPARE(backup::setNameOf(file), name);
    // A directory with the file lists the set, or reports the file as no set.
    writeBytes(QDir(backupDir()).filePath(file), "x");
    const backup::FoundSets found = backup::findSets(backupDir());
    if (file.endsWith(".mb")) {
        QVERIFY(found.names.isEmpty() && found.invalidFiles.isEmpty());
        return;
    }
    QCOMPARE(found.names, name.isEmpty() ? QStringList() : QStringList{name});
    QCOMPARE(found.invalidFiles, name.isEmpty() ? QStringList{file} : QStringList());
}

QTEST_GUILESS_MAIN(TestBackupSets)
#include "tst_backupsets.moc"
