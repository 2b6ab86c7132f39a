// Record order with gaps in Count: insertions write only the new records and a small
// neighbourhood, positions stay right, files numbered 1..N by earlier builds open unchanged and
// take insertions, and a file newer than this build is refused.

#include "Query.h"
#include "Schemas.h"
#include "StoreError.h"
#include "Table.h"
#include "TableFiles.h"
#include "TableFormat.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

using namespace tav::store;

namespace {

// The stored Count and the ID of every record in table order, read with a statement of
// its own (not through the dataset's key list).
struct Stored {
    QList<qint64> counts;
    QStringList ids;
};

Stored stored(Table &table)
{
    Stored result;
    Query q;
    q.setTableName(table.filePath());
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        result.counts << q.value("Count").toLongLong();
        result.ids << q.asString("ID");
    }
    return result;
}

// ID of every record walking the dataset itself, checking recNo on the way.
QStringList walked(Table &table)
{
    QStringList ids;
    int expected = 1;
    for (table.first(); !table.eof(); table.next()) {
        if (table.recNo() != expected++)
            return {QStringLiteral("recNo %1 at step %2").arg(table.recNo()).arg(expected - 1)};
        ids << table.asString("ID");
    }
    return ids;
}

bool strictlyIncreasing(const QList<qint64> &keys)
{
    for (int i = 1; i < keys.size(); ++i)
        if (keys[i] <= keys[i - 1])
            return false;
    return true;
}

QStringList numbered(const QString &prefix, int from, int to)
{
    QStringList list;
    for (int i = from; i <= to; ++i)
        list << prefix + QString::number(i);
    return list;
}

int fileVersion(Table &table)
{
    return table.selectValue("PRAGMA main.user_version").toInt();
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestRecordOrder : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void manyInsertionsAtOnePlaceReKeyOnlyTheNeighbourhood();
    void positionsOfTheSetAfterDeletion();
    void recordNumberIsThePositionInTheTable();
    void fileNumberedOneToN_data();
    void fileNumberedOneToN();
    void newerFileIsRefused();

private:
    // A records table of `count` records with ID "old <n>", written as this build writes
    // them, or with Count 1..N and file version 1 as earlier builds wrote them.
    std::unique_ptr<Table> makeTable(int count, bool numberedOneToN);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestRecordOrder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = QDir(m_dir->path()).filePath("tORDER.db");
}

void TestRecordOrder::cleanup()
{
    m_dir.reset();
}

std::unique_ptr<Table> TestRecordOrder::makeTable(int count, bool numberedOneToN)
{
    createTable(m_path, schemas::records());
    auto table = std::make_unique<Table>();
    table->setTableName(m_path);
    table->open();
    if (numberedOneToN) {
        table->execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                       "WHERE i < ?) INSERT INTO data(Count, ID) SELECT i, 'old ' || i FROM n",
                       {count});
        table->execute("INSERT INTO mb.data(_rk) SELECT _rk FROM data");
        table->execute("PRAGMA main.user_version = 1");
    } else {
        table->insertRecords(1, count);
        table->execute("UPDATE data SET ID = 'old ' || r.n FROM (SELECT _rk, ROW_NUMBER() "
                       "OVER (ORDER BY Count, _rk) AS n FROM data) AS r WHERE data._rk = r._rk");
    }
    table->first();
    return table;
}

// Each new record goes before the previous one, so they pile up in one gap until it is used
// up; the records around are then spaced out again, and only they.
void TestRecordOrder::manyInsertionsAtOnePlaceReKeyOnlyTheNeighbourhood()
{
    auto table = makeTable(3000, false);
    const Stored before = stored(*table);
    QVERIFY(strictlyIncreasing(before.counts));

    for (int i = 1; i <= 200; ++i) {
        table->insertRecords(1500, 1, {{"ID", QStringLiteral("new %1").arg(i)}});
        QCOMPARE(table->recNo(), 1500);
        QCOMPARE(table->recordCount(), 3000 + i);
    }

    QStringList newest;
    for (int i = 200; i >= 1; --i)
        newest << QStringLiteral("new %1").arg(i);
    const QStringList expected = numbered("old ", 1, 1499) + newest + numbered("old ", 1500, 3000);
    const Stored after = stored(*table);
    QCOMPARE(after.ids, expected);
    QVERIFY(strictlyIncreasing(after.counts));
    QCOMPARE(walked(*table), expected); // the patched key list agrees with the file
    QCOMPARE(table->selectValue("SELECT ID FROM (SELECT ID, ROW_NUMBER() OVER "
                                "(ORDER BY Count, _rk) AS n FROM data) WHERE n = 1600")
                 .toString(),
             QStringLiteral("new 100"));

    int reKeyed = 0;
    for (int n = 1; n <= 3000; ++n) {
        const qint64 was = before.counts[n - 1];
        const qint64 now = after.counts[after.ids.indexOf(QStringLiteral("old %1").arg(n))];
        if (now != was) {
            ++reKeyed;
            // Only records near the place moved, never the table.
            QVERIFY2(n > 900 && n < 2100, qPrintable(QStringLiteral("old %1 re-keyed").arg(n)));
        }
    }
    QVERIFY(reKeyed > 0); // the gap was used up and spaced out again
    QVERIFY(reKeyed < 1200);

    // Another table component sees the same order.
    Table other;
    other.setTableName(m_path);
    other.open();
    QCOMPARE(walked(other), expected);
}

// Positions are the places in the set: a deletion moves the later records down a place
// without rewriting them.
void TestRecordOrder::positionsOfTheSetAfterDeletion()
{
    auto table = makeTable(30, false);
    const Stored before = stored(*table);
    table->deleteRange(10, 20);
    QCOMPARE(table->recordCount(), 19);
    QCOMPARE(table->recNo(), 10);
    QCOMPARE(table->asString("ID"), QStringLiteral("old 21"));
    const Stored after = stored(*table);
    QCOMPARE(after.ids, numbered("old ", 1, 9) + numbered("old ", 21, 30));
    QCOMPARE(after.counts, before.counts.mid(0, 9) + before.counts.mid(20));
    QCOMPARE(table->selectValue("SELECT COUNT(*) FROM mb.data").toInt(), 19);

    table->deleteRange(19, 19); // the last record: the new last one is current
    QCOMPARE(table->recNo(), 18);
    QCOMPARE(table->asString("ID"), QStringLiteral("old 29"));
    QVERIFY_THROWS_EXCEPTION(StoreError, table->deleteRange(5, 19));
    QCOMPARE(table->recordCount(), 18);
}

// A report's result set has its own filter and order; the number it shows is still the
// record's place in the table.
void TestRecordOrder::recordNumberIsThePositionInTheTable()
{
    auto table = makeTable(20, false);
    table->insertRecords(5, 3, {{"ID", "new"}});
    table->setRecNo(6);
    QCOMPARE(table->recordNumber(), 6);
    table->setFilter("ID <> 'new'");
    table->setFiltered(true);
    table->setRecNo(5); // "old 5", the fifth of the set, eighth in the table
    QCOMPARE(table->asString("ID"), QStringLiteral("old 5"));
    QCOMPARE(table->recordNumber(), 8);

    Query query;
    query.setTableName(m_path);
    query.setWhere("ID LIKE 'old 1%'");
    query.setOrderBy("ID DESC");
    query.open();
    QStringList numbers;
    for (query.first(); !query.eof(); query.next())
        numbers << QStringLiteral("%1=%2").arg(query.asString("ID")).arg(query.recordNumber());
    // old 1, old 10..19 lie at 1 and 13..22 (three new records before them).
    QCOMPARE(numbers, (QStringList{"old 19=22", "old 18=21", "old 17=20", "old 16=19",
                                   "old 15=18", "old 14=17", "old 13=16", "old 12=15",
                                   "old 11=14", "old 10=13", "old 1=1"}));
    table->insert();
    QCOMPARE(table->recordNumber(), 0); // a record being added has no number yet
}

void TestRecordOrder::fileNumberedOneToN_data()
{
    QTest::addColumn<int>("position");
    QTest::newRow("before the first") << 1;
    QTest::newRow("in the middle") << 5;
    QTest::newRow("before the last") << 10;
    QTest::newRow("after the last") << 11;
}

// Written before Count had gaps: opened unchanged (earlier builds can still read it), and
// the first insertion raises the file's version so that they no longer do.
void TestRecordOrder::fileNumberedOneToN()
{
    QFETCH(int, position);
    makeTable(10, true).reset();
    const QByteArray bytes = bytesOf(m_path);

    auto table = std::make_unique<Table>();
    table->setTableName(m_path);
    table->open();
    QCOMPARE(walked(*table), numbered("old ", 1, 10));
    table->setRecNo(7);
    table->edit();
    table->setValue("FirstName", "edited");
    table->cancel();
    table->close();
    QCOMPARE(bytesOf(m_path), bytes);

    table->open();
    QCOMPARE(fileVersion(*table), 1);
    table->insertRecords(position, 2, {{"ID", "new"}});
    QCOMPARE(table->recNo(), position);
    QStringList expected = numbered("old ", 1, 10);
    expected.insert(position - 1, "new");
    expected.insert(position - 1, "new");
    QCOMPARE(stored(*table).ids, expected);
    QVERIFY(strictlyIncreasing(stored(*table).counts));
    QCOMPARE(walked(*table), expected);
    QCOMPARE(fileVersion(*table), 2);

    // A failed insertion leaves the version as it was.
    table->close();
    makeTable(10, true).reset();
    table->open();
    QVERIFY_THROWS_EXCEPTION(StoreError, table->transaction([&] {
        table->insertRecords(position, 1);
        throw StoreError("stop");
    }));
    QCOMPARE(fileVersion(*table), 1);
    QCOMPARE(walked(*table), numbered("old ", 1, 10));
}

void TestRecordOrder::newerFileIsRefused()
{
    makeTable(3, false)->execute(
        QStringLiteral("PRAGMA main.user_version = %1").arg(format::kUserVersion + 1));
    Table table;
    table.setTableName(m_path);
    try {
        table.open();
        QFAIL("a newer file was opened");
    } catch (const StoreError &e) {
        QCOMPARE(e.message(), QStringLiteral("tORDER.db was written by a newer version of "
                                             "Tavrionex and cannot be opened by this one. "
                                             "Open it with the version that wrote it."));
    }
    QVERIFY(!table.isActive());
    Query query;
    query.setTableName(m_path);
    QVERIFY_THROWS_EXCEPTION(StoreError, query.open());
}

QTEST_GUILESS_MAIN(TestRecordOrder)
#include "tst_recordorder.moc"
