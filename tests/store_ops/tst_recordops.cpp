// Record insertion and deletion with the attachment rows following their records (keyed by
// row key, older files numbered by position until their first insertion or deletion), Empty
// Record's removal of a record's rows, and the validation of the Insert and Delete dialogs.

#include "OpsFixture.h"
#include "RecordInput.h"
#include "RecordOps.h"
#include "StoreError.h"
#include "Table.h"
#include "TableFiles.h"

#include <QtTest>

#include <limits>

using namespace tav::store;
using namespace tav::store::ops;
using tav::test::AttachmentRows;
using tav::test::OpsFixture;

namespace {
const QString kRecords = QStringLiteral("tTEST.db");
const QString kAttachments = QStringLiteral("atach_tTEST.db");
const QDate kInsertDate(2024, 5, 17);
} // namespace

class TestRecordOps : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void insertThreeAtFive();
    void deleteFourToSix();
    void olderFileRowsMoveToRowKeysOnce();
    void deleteTheOnlyRecord();
    void deleteTheLastRecord();
    void rangesOutsideTheTableAreRefused();
    void failureChangesNothing_data();
    void failureChangesNothing();
    void missingAttachmentsTableIsMade();
    void attachingAnotherTable();

    void removeAttachmentsOfOneRecord();

    void insertCount_data();
    void insertCount();
    void deleteRange_data();
    void deleteRange();

private:
    void prepare(int records, const AttachmentRows &attachments);
    QStringList ids() const; // ID of every record, in table order
    // Whether the stored order keys strictly increase in table order: no two records share a
    // key, so the order never falls back on the row key.
    bool keysIncrease() const;

    std::unique_ptr<OpsFixture> m_fixture;
    std::unique_ptr<Table> m_records;
};

void TestRecordOps::init()
{
    m_fixture = std::make_unique<OpsFixture>();
}

void TestRecordOps::cleanup()
{
    m_records.reset();
    m_fixture.reset();
}

void TestRecordOps::prepare(int records, const AttachmentRows &attachments)
{
    m_fixture->writeRecords(kRecords, records);
    m_fixture->writeAttachments(kAttachments, attachments);
    m_records = std::make_unique<Table>();
    m_records->setTableName(m_fixture->path(kRecords));
    m_records->open();
}

QStringList TestRecordOps::ids() const
{
    QStringList result;
    for (const QVariantList &row : m_fixture->readAll(kRecords))
        result << row[2].toString();
    return result;
}

bool TestRecordOps::keysIncrease() const
{
    qint64 previous = std::numeric_limits<qint64>::min();
    for (const QVariantList &row : m_fixture->readAll(kRecords)) {
        if (row[1].isNull() || row[1].toLongLong() <= previous)
            return false;
        previous = row[1].toLongLong();
    }
    return true;
}

static QString id(int n)
{
    return OpsFixture::valueOf(QStringLiteral("ID"), n);
}

void TestRecordOps::insertThreeAtFive()
{
    prepare(10, {{2, "a"}, {5, "b"}, {7, "c"}, {10, "d"}, {10, "e"}});
    m_records->setRecNo(9);

    const RecordsChanged result =
        insertEmptyRecords(*m_records, attachmentsPathFor(*m_records), 5, 3, kInsertDate);

    QCOMPARE(result.recordCount, 13);
    QCOMPARE(result.currentRecord, 5);
    QCOMPARE(m_records->recNo(), 5);
    QCOMPARE(m_records->recordCount(), 13);
    QVERIFY(keysIncrease());
    QCOMPARE(ids(), QStringList({id(1), id(2), id(3), id(4), "", "", "", id(5), id(6), id(7), id(8),
                                 id(9), id(10)}));
    const QVector<QVariantList> rows = m_fixture->readAll(kRecords);
    for (int i = 4; i < 7; ++i) {
        QCOMPARE(rows[i][0].toDate(), kInsertDate);
        QVERIFY(rows[i][9].isNull()); // Comments: the new record has its (empty) memo row
    }
    QCOMPARE(rows[7][9].toString(), OpsFixture::valueOf("Comments", 5)); // memo follows its record
    QCOMPARE(rows[7][19].toByteArray(), OpsFixture::pictureOf(5));
    // No attachment row is rewritten, yet each still belongs to its record.
    QCOMPARE(m_fixture->readAttachments(kAttachments),
             AttachmentRows({{2, "a"}, {5, "b"}, {7, "c"}, {10, "d"}, {10, "e"}}));
    QCOMPARE(attachmentNumber(*m_records, 8), 5);   // the old record 5
    QCOMPARE(attachmentNumber(*m_records, 13), 10); // the old record 10
    QVERIFY(attachmentNumber(*m_records, 5) > 10);  // a new record: rows of none
}

void TestRecordOps::deleteFourToSix()
{
    prepare(10, {{2, "a"}, {4, "b"}, {5, "c"}, {6, "d"}, {7, "e"}, {10, "f"}});

    const RecordsChanged result = deleteRecords(*m_records, attachmentsPathFor(*m_records), 4, 6);

    QCOMPARE(result.recordCount, 7);
    QCOMPARE(result.currentRecord, 4);
    QCOMPARE(m_records->recNo(), 4);
    QCOMPARE(m_records->asString("ID"), id(7));
    QVERIFY(keysIncrease());
    QCOMPARE(ids(), QStringList({id(1), id(2), id(3), id(7), id(8), id(9), id(10)}));
    QCOMPARE(m_fixture->readAll(kRecords)[3][9].toString(), OpsFixture::valueOf("Comments", 7));
    // The deleted records' memo rows are gone with them.
    QCOMPARE(m_records->selectValue("SELECT COUNT(*) FROM mb.data").toInt(), 7);
    QCOMPARE(m_fixture->readAttachments(kAttachments),
             AttachmentRows({{2, "a"}, {7, "e"}, {10, "f"}}));
    QCOMPARE(attachmentNumber(*m_records, 4), 7);
    QCOMPARE(attachmentNumber(*m_records, 8), 0); // no such record
}

// A file written before attachment rows carried row keys numbers them by position; its first
// insertion numbers them by row key in the same transaction. A row whose position holds no
// record is kept, attached to none.
void TestRecordOps::olderFileRowsMoveToRowKeysOnce()
{
    prepare(5, {});
    m_records->insertRecords(1, 1); // row key 6 at position 1, as an older version left it
    m_fixture->execute(kRecords, QStringLiteral("PRAGMA user_version=2"));
    m_fixture->writeAttachments(kAttachments, {{1, "first"}, {3, "third"}, {9, "nowhere"}});
    QCOMPARE(attachmentNumber(*m_records, 3), 3);

    insertEmptyRecords(*m_records, attachmentsPathFor(*m_records), 2, 1, kInsertDate);

    QCOMPARE(m_records->fileVersion(), 3);
    QCOMPARE(m_fixture->readAttachments(kAttachments),
             AttachmentRows({{-9, "nowhere"}, {2, "third"}, {6, "first"}}));
    QCOMPARE(attachmentNumber(*m_records, 1), 6);
    QCOMPARE(attachmentNumber(*m_records, 4), 2); // the old record 3, one place on
    deleteRecords(*m_records, attachmentsPathFor(*m_records), 4, 4);
    QCOMPARE(m_fixture->readAttachments(kAttachments),
             AttachmentRows({{-9, "nowhere"}, {6, "first"}}));
}

void TestRecordOps::deleteTheOnlyRecord()
{
    prepare(1, {{1, "a"}});
    const QDate today(2024, 6, 1);

    const RecordsChanged result =
        deleteRecords(*m_records, attachmentsPathFor(*m_records), 1, 1, today);

    QCOMPARE(result.recordCount, 1);
    QCOMPARE(result.currentRecord, 1);
    const QVector<QVariantList> rows = m_fixture->readAll(kRecords);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0][0].toDate(), today);
    QCOMPARE(m_records->recNo(), 1);
    QVERIFY(rows[0][2].isNull());
    QVERIFY(rows[0][9].isNull());
    QCOMPARE(m_fixture->readAttachments(kAttachments), AttachmentRows());
}

void TestRecordOps::deleteTheLastRecord()
{
    prepare(10, {{10, "a"}, {9, "b"}});
    const RecordsChanged result = deleteRecords(*m_records, attachmentsPathFor(*m_records), 10, 10);
    QCOMPARE(result.recordCount, 9);
    QCOMPARE(result.currentRecord, 9);
    QCOMPARE(m_records->asString("ID"), id(9));
    QCOMPARE(m_fixture->readAttachments(kAttachments), AttachmentRows({{9, "b"}}));
}

void TestRecordOps::rangesOutsideTheTableAreRefused()
{
    prepare(10, {});
    const QString attachments = attachmentsPathFor(*m_records);
    QVERIFY_THROWS_EXCEPTION(StoreError, deleteRecords(*m_records, attachments, 0, 3));
    QVERIFY_THROWS_EXCEPTION(StoreError, deleteRecords(*m_records, attachments, 5, 11));
    QVERIFY_THROWS_EXCEPTION(StoreError, deleteRecords(*m_records, attachments, 6, 5));
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             insertEmptyRecords(*m_records, attachments, 12, 1, kInsertDate));
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             insertEmptyRecords(*m_records, attachments, 3, 0, kInsertDate));
    QCOMPARE(m_fixture->readAll(kRecords).size(), 10);
    // Appending after the last record is an insertion at record count + 1.
    QCOMPARE(insertEmptyRecords(*m_records, attachments, 11, 2, kInsertDate).recordCount, 12);
    QCOMPARE(ids().mid(9), QStringList({id(10), "", ""}));
    QVERIFY(keysIncrease());
}

void TestRecordOps::failureChangesNothing_data()
{
    QTest::addColumn<bool>("insert");
    QTest::addColumn<bool>("dense"); // Count 1..N, attachment rows by position: an older file
    QTest::addColumn<QString>("failingTable");
    QTest::addColumn<QString>("trigger");

    const auto refuse = [](const char *event, const char *table) {
        return QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON data BEGIN SELECT "
                              "RAISE(ABORT, 'the file refuses'); END")
            .arg(QLatin1String(table), QLatin1String(event));
    };
    // Each step of the one transaction in turn: the attachment rows of an older file numbered
    // by row key, the records, their memo rows, the re-keyed neighbours, and the attachment
    // rows of deleted records.
    QTest::newRow("insert, records fail") << true << false << kRecords << refuse("INSERT", "refuse");
    QTest::newRow("insert, memo file fails")
        << true << false << kRecords << refuse("INSERT", "mb.refuse");
    QTest::newRow("insert, re-keying fails")
        << true << true << kRecords << refuse("UPDATE", "refuse");
    QTest::newRow("insert, numbering the attachments fails")
        << true << true << kAttachments << refuse("UPDATE", "refuse");
    QTest::newRow("delete, records fail") << false << false << kRecords << refuse("DELETE", "refuse");
    QTest::newRow("delete, memo file fails")
        << false << false << kRecords << refuse("DELETE", "mb.refuse");
    QTest::newRow("delete, attachments fail")
        << false << false << kAttachments << refuse("DELETE", "refuse");
}

void TestRecordOps::failureChangesNothing()
{
    QFETCH(bool, insert);
    QFETCH(bool, dense);
    QFETCH(QString, failingTable);
    QFETCH(QString, trigger);
    prepare(10, {{2, "a"}, {5, "b"}, {7, "c"}});
    if (dense) {
        m_records->renumber();
        m_fixture->execute(kRecords, QStringLiteral("PRAGMA user_version=1"));
    }
    m_records->setRecNo(7);
    const QVector<QVariantList> records = m_fixture->readAll(kRecords);
    const AttachmentRows attachments = m_fixture->readAttachments(kAttachments);
    m_fixture->execute(failingTable, trigger);
    const QString path = attachmentsPathFor(*m_records);
    try {
        if (insert)
            insertEmptyRecords(*m_records, path, 3, 2, kInsertDate);
        else
            deleteRecords(*m_records, path, 4, 5);
        QFAIL("no error reported");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains("the file refuses"), qPrintable(e.message()));
    }
    QCOMPARE(m_fixture->readAll(kRecords), records);
    QCOMPARE(m_records->selectValue("SELECT COUNT(*) FROM mb.data").toInt(), 10);
    QCOMPARE(m_fixture->readAttachments(kAttachments), attachments);
    QCOMPARE(m_records->recordCount(), 10);
    QCOMPARE(m_records->recNo(), 7);
    QCOMPARE(m_records->asString("ID"), id(7));

    // The attachments file was let go again: once the cause is gone the same operation works.
    m_fixture->execute(failingTable, trigger.contains("mb.") ? "DROP TRIGGER mb.refuse"
                                                             : "DROP TRIGGER refuse");
    if (insert) {
        QCOMPARE(insertEmptyRecords(*m_records, path, 3, 2, kInsertDate).recordCount, 12);
        QCOMPARE(ids().mid(1, 4), QStringList({id(2), "", "", id(3)}));
    } else {
        QCOMPARE(deleteRecords(*m_records, path, 4, 5).recordCount, 8);
        QCOMPARE(ids().mid(2, 2), QStringList({id(3), id(6)}));
    }
    QVERIFY(keysIncrease());
}

void TestRecordOps::missingAttachmentsTableIsMade()
{
    prepare(10, {});
    QVERIFY(QFile::remove(m_fixture->path(kAttachments)));
    createTable(m_fixture->path("atach.db"), schemas::attachments());

    QCOMPARE(insertEmptyRecords(*m_records, attachmentsPathFor(*m_records), 1, 1, kInsertDate)
                 .recordCount,
             11);
    QVERIFY(tableExists(m_fixture->path(kAttachments)));
    QCOMPARE(m_fixture->readAttachments(kAttachments), AttachmentRows());
}

// Table::attachTable: one transaction over both files; refused where SQLite or the memo
// files would not follow.
void TestRecordOps::attachingAnotherTable()
{
    prepare(3, {{1, "a"}});
    const QString attachments = attachmentsPathFor(*m_records);
    m_records->attachTable("att", attachments);
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             m_records->attachTable("att", attachments)); // alias in use
    QVERIFY_THROWS_EXCEPTION(StoreError, m_records->transaction([&] {
        m_records->execute("UPDATE att.data SET Number = 2");
        m_records->execute("DELETE FROM main.data");
        throw StoreError("stop");
    }));
    QCOMPARE(m_records->selectValue("SELECT Number FROM att.data").toInt(), 1);
    m_records->detachTable("att");
    QCOMPARE(m_records->recordCount(), 3);
    QCOMPARE(m_fixture->readAttachments(kAttachments), AttachmentRows({{1, "a"}}));

    QVERIFY_THROWS_EXCEPTION(
        StoreError, m_records->transaction([&] { m_records->attachTable("att", attachments); }));
    m_fixture->writeRecords("tOTHER.db", 1);
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             m_records->attachTable("other", m_fixture->path("tOTHER.db")));
    QVERIFY_THROWS_EXCEPTION(StoreError,
                             m_records->attachTable("gone", m_fixture->path("missing.db")));
    m_records->attachTable("att", attachments); // the alias is free again
    m_records->detachTable("att");
}

void TestRecordOps::removeAttachmentsOfOneRecord()
{
    m_fixture->writeAttachments(kAttachments, {{2, "a"}, {5, "c"}, {5, "d"}, {6, "e"}});
    removeAttachments(m_fixture->path(kAttachments), 5);
    QCOMPARE(m_fixture->readAttachments(kAttachments), AttachmentRows({{2, "a"}, {6, "e"}}));

    // Missing: made from the template, nothing to remove.
    const QString other = m_fixture->path("atach_tOTHER.db");
    m_fixture->writeAttachments("atach.db", {});
    removeAttachments(other, 5);
    QVERIFY(tableExists(other));
}

void TestRecordOps::insertCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count"); // 0: refused with the message

    QTest::newRow("3") << "3" << 3;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("negative") << "-2" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestRecordOps::insertCount()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    const NumberInput input = parseInsertCount(text);
    QCOMPARE(input.ok, count > 0);
    if (count > 0)
        QCOMPARE(input.value, count);
    else
        QCOMPARE(input.message, "'" + text + "' is not a valid integer value.");
}

void TestRecordOps::deleteRange_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("message"); // empty: accepted

    QTest::newRow("ok") << "4"
                        << "6"
                        << "";
    QTest::newRow("one record") << "10"
                                << "10"
                                << "";
    QTest::newRow("from 0") << "0"
                            << "3"
                            << "'0' is not a valid integer value.";
    QTest::newRow("from letters") << "x"
                                  << "3"
                                  << "'x' is not a valid integer value.";
    QTest::newRow("from checked first") << "-1"
                                        << "0"
                                        << "'-1' is not a valid integer value.";
    QTest::newRow("to 0") << "2"
                          << "0"
                          << "'0' is not a valid integer value.";
    QTest::newRow("to letters") << "2"
                                << "y"
                                << "'y' is not a valid integer value.";
    QTest::newRow("to below from") << "5"
                                   << "3"
                                   << "'5' is not a valid value.";
    QTest::newRow("below from before too large") << "12"
                                                 << "11"
                                                 << "'12' is not a valid value.";
    QTest::newRow("to beyond the count") << "2"
                                         << "11"
                                         << "'11' is not a valid value.";
}

void TestRecordOps::deleteRange()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, message);
    const RangeInput input = parseDeleteRange(from, to, 10);
    QCOMPARE(input.ok, message.isEmpty());
    QCOMPARE(input.message, message);
    if (input.ok) {
        QCOMPARE(input.from, from.toInt());
        QCOMPARE(input.to, to.toInt());
    }
}

QTEST_GUILESS_MAIN(TestRecordOps)
#include "tst_recordops.moc"
