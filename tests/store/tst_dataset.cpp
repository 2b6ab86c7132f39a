// The dataset over a table: navigation, the Browse/Edit/Insert states, posting and its
// failures, memo and graphic values, dates and the signals bound controls follow.

#include "DataSource.h"
#include "StoreFixtures.h"
#include "TestEnvironment.h"

#include <QtTest>

using namespace tav::store;
using tav::test::namesL;
using tav::test::recordsTable;
using tav::test::listed;
using tav::test::walk;

class TestDataset : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void navigation();
    void emptySet();
    void editPostCancel();
    void insertBeforeCurrentTakesItsPosition();
    void appendGoesAfterTheLastRecord();
    void cancelInsertReturnsToPreviousRecord();
    void deleteRecord();
    void editOnEmptySetStartsNewRecord();
    void moveAndRefreshPostPendingEdit();
    void tooLongTextIsRefusedAndKept();
    void failedWriteKeepsStateAndBuffer_data();
    void failedWriteKeepsStateAndBuffer();
    void postOfRecordDeletedElsewhereFails();
    void memoAndGraphicSurviveReopen();
    void datesUseTheDisplayPattern_data();
    void datesUseTheDisplayPattern();
    void invalidValuesAreRefused();
    void signalsFollowMovesAndEdits();
    void dataSourceForwardsAndCollectsPendingText();
    void tableDescribesItsOwnFields();
    void openingMissingOrForeignFileFails();

private:
    std::unique_ptr<tav::test::TestEnvironment> m_env;
};

void TestDataset::init()
{
    m_env = std::make_unique<tav::test::TestEnvironment>();
}

void TestDataset::cleanup()
{
    m_env->verify();
    m_env.reset();
    setDisplayDatePattern(QString());
}

void TestDataset::navigation()
{
    auto t = recordsTable("tN.db", namesL(5));
    QCOMPARE(t->recordCount(), 5);
    QCOMPARE(t->recNo(), 1);
    QVERIFY(!t->eof() && !t->bof());

    t->last();
    QCOMPARE(t->recNo(), 5);
    QVERIFY(!t->eof());
    t->next(); // runs past the end: stays on the last record
    QVERIFY(t->eof());
    QCOMPARE(t->asString("LastName"), QString("L5"));
    t->prior();
    QVERIFY(!t->eof());
    QCOMPARE(t->recNo(), 4);

    t->first();
    t->prior();
    QVERIFY(t->bof());
    QCOMPARE(t->recNo(), 1);

    t->moveBy(3);
    QCOMPARE(t->asString("LastName"), QString("L4"));
    t->moveBy(10);
    QVERIFY(t->eof());
    QCOMPARE(t->recNo(), 5);
    t->setRecNo(2);
    QCOMPARE(t->asInteger("Count"), 2);
    QVERIFY(!t->eof() && !t->bof());

    QCOMPARE(walk(*t), (QStringList{"1:L1", "2:L2", "3:L3", "4:L4", "5:L5"}));
}

void TestDataset::emptySet()
{
    createTable("tE.db", schemas::records());
    Table t;
    t.setTableName("tE.db");
    t.open();
    QCOMPARE(t.recordCount(), 0);
    QCOMPARE(t.recNo(), 0);
    QVERIFY(t.eof() && t.bof());
    t.next();
    t.last();
    QVERIFY(t.eof() && t.bof());
    QVERIFY(t.isNull("LastName"));
    QVERIFY_THROWS_EXCEPTION(StoreError, t.deleteRecord());
}

void TestDataset::editPostCancel()
{
    auto t = recordsTable("tN.db", namesL(3));
    t->setRecNo(2);
    QVERIFY_THROWS_EXCEPTION(StoreError, t->setValue("LastName", "x")); // browse state

    t->edit();
    QCOMPARE(t->state(), DataSetState::Edit);
    t->setValue("LastName", "Changed");
    QCOMPARE(t->asString("LastName"), QString("Changed"));
    t->cancel();
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(t->asString("LastName"), QString("L2"));

    t->edit();
    t->setValue("LastName", "Changed");
    t->setValue("FirstName", "Eve");
    t->post();
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(t->recNo(), 2);
    t->close();
    t->open();
    t->setRecNo(2);
    QCOMPARE(t->asString("LastName"), QString("Changed"));
    QCOMPARE(t->asString("FirstName"), QString("Eve"));
    QCOMPARE(t->recordCount(), 3);
}

void TestDataset::insertBeforeCurrentTakesItsPosition()
{
    auto t = recordsTable("tN.db", namesL(5));
    t->setRecNo(3);
    t->insert();
    QCOMPARE(t->state(), DataSetState::Insert);
    QCOMPARE(t->recNo(), 3);
    QCOMPARE(t->recordCount(), 5); // the new record counts once posted
    t->setValue("LastName", "New");
    t->post();
    QCOMPARE(t->recNo(), 3);
    QCOMPARE(t->asString("LastName"), QString("New"));

    // Twice more before the first record: the newest always lands before the current one.
    t->first();
    t->insert();
    t->setValue("LastName", "A");
    t->post();
    t->insert();
    t->setValue("LastName", "B");
    t->post();
    QCOMPARE(t->recNo(), 1);
    const QStringList expected{"1:B", "2:A", "3:L1", "4:L2", "5:New", "6:L3", "7:L4", "8:L5"};
    QCOMPARE(listed(*t), expected);
    t->close();
    t->open();
    QCOMPARE(listed(*t), expected);
}

void TestDataset::appendGoesAfterTheLastRecord()
{
    auto t = recordsTable("tN.db", namesL(4));
    t->setRecNo(2);
    t->deleteRecord(); // leaves Count 1, 3, 4
    t->setRecNo(1);
    t->append();
    QCOMPARE(t->recNo(), 4);
    t->setValue("LastName", "End");
    t->post();
    QCOMPARE(t->recNo(), 4);
    QVERIFY(t->asInteger("Count") > 4); // after the highest key, whatever the gaps
    QCOMPARE(listed(*t), (QStringList{"1:L1", "2:L3", "3:L4", "4:End"}));
}

void TestDataset::cancelInsertReturnsToPreviousRecord()
{
    auto t = recordsTable("tN.db", namesL(5));
    t->setRecNo(4);
    t->insert();
    t->setValue("LastName", "Dropped");
    t->cancel();
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(t->recNo(), 4);
    QCOMPARE(t->asString("LastName"), QString("L4"));
    t->append();
    t->cancel();
    QCOMPARE(t->asString("LastName"), QString("L4"));
    t->refresh();
    QCOMPARE(walk(*t), (QStringList{"1:L1", "2:L2", "3:L3", "4:L4", "5:L5"}));
}

void TestDataset::deleteRecord()
{
    auto t = recordsTable("tN.db", namesL(4));
    t->edit();
    t->setValue("Comments", "memo of L1");
    t->post();
    t->first();
    t->deleteRecord();
    QCOMPARE(t->recordCount(), 3);
    QCOMPARE(t->asString("LastName"), QString("L2"));
    // Deleting does not renumber.
    QCOMPARE(t->asInteger("Count"), 2);
    QCOMPARE(t->selectValue("SELECT COUNT(*) FROM mb.data").toInt(), 3); // memo row gone too

    t->last();
    t->deleteRecord(); // the new last record becomes current
    QCOMPARE(t->asString("LastName"), QString("L3"));
    QCOMPARE(t->recNo(), 2);

    // Deleting while inserting drops only the new record.
    t->insert();
    t->deleteRecord();
    QCOMPARE(t->recordCount(), 2);
    QCOMPARE(t->state(), DataSetState::Browse);
}

void TestDataset::editOnEmptySetStartsNewRecord()
{
    auto t = recordsTable("tN.db", namesL(2));
    t->emptyTable();
    QCOMPARE(t->recordCount(), 0);
    t->edit();
    QCOMPARE(t->state(), DataSetState::Insert);
    t->setValue("LastName", "Only");
    t->post();
    QCOMPARE(listed(*t), QStringList{"1:Only"});
    QCOMPARE(t->selectValue("SELECT COUNT(*) FROM mb.data").toInt(), 1);
}

void TestDataset::moveAndRefreshPostPendingEdit()
{
    auto t = recordsTable("tN.db", namesL(3));
    t->edit();
    t->setValue("LastName", "Posted by next");
    t->next();
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(t->recNo(), 2);
    t->insert();
    t->setValue("LastName", "Posted by refresh");
    t->refresh();
    QCOMPARE(t->state(), DataSetState::Browse);
    QCOMPARE(listed(*t), (QStringList{"1:Posted by next", "2:Posted by refresh", "3:L2", "4:L3"}));
}

void TestDataset::tooLongTextIsRefusedAndKept()
{
    auto t = recordsTable("tN.db", namesL(2));
    const QString tooLong(101, QChar(u'x'));
    t->edit();
    t->setValue("LastName", tooLong);
    try {
        t->post();
        QFAIL("a text longer than its field was posted");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains("LastName") && e.message().contains("100"),
                 qPrintable(e.message()));
    }
    QCOMPARE(t->state(), DataSetState::Edit);
    QCOMPARE(t->asString("LastName"), tooLong);
    t->setValue("LastName", tooLong.left(100)); // characters, not bytes
    t->setValue("FirstName", QString(100, QChar(u'Ä')));
    // An emoji is one character in two UTF-16 units: 100 of them fit.
    QString emoji;
    for (int i = 0; i < 100; ++i)
        emoji += QString::fromUtf8("\xF0\x9F\x98\x80");
    t->setValue("Phone", emoji);
    t->post();
    QCOMPARE(t->asString("FirstName").size(), 100);
    QCOMPARE(t->asString("Phone"), emoji);
    // Memo fields have no limit.
    t->edit();
    t->setValue("Comments", QString(5000, QChar(u'm')));
    t->post();
    QCOMPARE(t->asString("Comments").size(), 5000);
}

void TestDataset::failedWriteKeepsStateAndBuffer_data()
{
    QTest::addColumn<bool>("inserting");
    QTest::newRow("edit") << false;
    QTest::newRow("insert before current") << true;
}

// A write the file refuses (here a trigger standing in for a full disk) must leave the file
// as it was and the user's typing in the buffer.
void TestDataset::failedWriteKeepsStateAndBuffer()
{
    QFETCH(bool, inserting);
    auto t = recordsTable("tN.db", namesL(4));
    t->execute(QString("CREATE TRIGGER mb.refuse BEFORE %1 ON data BEGIN SELECT RAISE(ABORT, 'disk "
                       "full'); END")
                   .arg(inserting ? "INSERT" : "UPDATE"));
    t->setRecNo(2);
    inserting ? t->insert() : t->edit();
    t->setValue("LastName", "Typed");
    t->setValue("Comments", "typed memo");
    try {
        t->post();
        QFAIL("post succeeded");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains("disk full"), qPrintable(e.message()));
    }
    QCOMPARE(t->state(), inserting ? DataSetState::Insert : DataSetState::Edit);
    QCOMPARE(t->asString("LastName"), QString("Typed"));
    QCOMPARE(t->asString("Comments"), QString("typed memo"));
    // Nothing of the failed post reached the file: no record moved up, none changed.
    QCOMPARE(
        t->selectValue(
             "SELECT group_concat(Count || LastName, ',') FROM (SELECT * FROM data ORDER BY _rk)")
            .toString(),
        QString("1L1,2L2,3L3,4L4"));

    // With the fault gone, the kept buffer is posted as typed.
    Table other;
    other.setTableName("tN.db");
    other.open();
    other.execute("DROP TRIGGER mb.refuse");
    t->post();
    QStringList expected = inserting ? QStringList{"1:L1", "2:Typed", "3:L2", "4:L3", "5:L4"}
                                     : QStringList{"1:L1", "2:Typed", "3:L3", "4:L4"};
    QCOMPARE(listed(*t), expected);
}

// Another table component deleted the record meanwhile: the edit must not vanish silently.
void TestDataset::postOfRecordDeletedElsewhereFails()
{
    auto t = recordsTable("tN.db", namesL(3));
    t->setRecNo(2);
    t->edit();
    t->setValue("Comments", "typed");
    Table other;
    other.setTableName("tN.db");
    other.open();
    other.setRecNo(2);
    other.deleteRecord();
    QVERIFY_THROWS_EXCEPTION(StoreError, t->post());
    QCOMPARE(t->state(), DataSetState::Edit);
    QCOMPARE(t->asString("Comments"), QString("typed"));
    QCOMPARE(t->selectValue("SELECT COUNT(*) FROM mb.data").toInt(), 2); // no orphan memo row
}

void TestDataset::memoAndGraphicSurviveReopen()
{
    auto t = recordsTable("tN.db", namesL(2));
    QByteArray picture("GIF89a\0\1\2binary", 16);
    picture.append(QByteArray(100000, '\xff'));
    const QString comments = QString("Line one\nLine two ÄÖÜ ") + QString(3000, QChar(u'c'));
    t->setRecNo(2);
    t->edit();
    t->setValue("Comments", comments);
    t->setValue("Image", picture);
    t->setValue("Res18", "hidden memo");
    t->post();
    // Changing another field later leaves the memo values alone.
    t->edit();
    t->setValue("Phone", "123");
    t->post();
    t->close();

    Table again;
    again.setTableName("tN.db");
    again.open();
    again.last();
    QCOMPARE(again.asString("Comments"), comments);
    QCOMPARE(again.asBytes("Image"), picture);
    QCOMPARE(again.asString("Res18"), QString("hidden memo"));
    QCOMPARE(again.asString("Phone"), QString("123"));
    again.first();
    QVERIFY(again.isNull("Image"));
    QVERIFY(again.isNull("Comments"));
}

void TestDataset::datesUseTheDisplayPattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("shown");
    QTest::newRow("default") << ""
                             << "31/12/2023" << QDate(2023, 12, 31) << "31/12/2023";
    QTest::newRow("single digits") << "dd/MM/yyyy"
                                   << "1/2/2024" << QDate(2024, 2, 1) << "01/02/2024";
    QTest::newRow("month first") << "M/d/yyyy"
                                 << "12/31/2023" << QDate(2023, 12, 31) << "12/31/2023";
    QTest::newRow("year 49") << "yy/MM/dd"
                             << "49/01/12" << QDate(2049, 1, 12) << "49/01/12";
    QTest::newRow("year 50") << "yy/MM/dd"
                             << "50/01/12" << QDate(1950, 1, 12) << "50/01/12";
    QTest::newRow("month name") << "dd-MMM-yyyy"
                                << "12-Jan-1999" << QDate(1999, 1, 12) << "12-Jan-1999";
}

void TestDataset::datesUseTheDisplayPattern()
{
    QFETCH(QString, pattern);
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    QFETCH(QString, shown);
    setDisplayDatePattern(pattern);
    auto t = recordsTable("tN.db", namesL(1));
    t->edit();
    t->setAsString("Date", typed);
    QCOMPARE(t->asDate("Date"), date);
    t->post();
    QCOMPARE(t->value("Date"), QVariant(date));
    QCOMPARE(t->asString("Date"), shown);
    QCOMPARE(t->selectValue("SELECT Date FROM data").toString(), date.toString(Qt::ISODate));
}

void TestDataset::invalidValuesAreRefused()
{
    auto t = recordsTable("tN.db", namesL(1));
    t->edit();
    t->setAsString("Date", "05/06/2020");
    QVERIFY_THROWS_EXCEPTION(StoreError, t->setAsString("Date", "31/02/2020"));
    QVERIFY_THROWS_EXCEPTION(StoreError, t->setAsString("Date", "yesterday"));
    QCOMPARE(t->asDate("Date"), QDate(2020, 6, 5)); // the refused text changed nothing
    t->setAsString("Date", "  ");
    QVERIFY(t->isNull("Date"));
    QVERIFY_THROWS_EXCEPTION(StoreError, t->setAsString("Count", "7x"));
    QVERIFY_THROWS_EXCEPTION(StoreError, t->setValue("NoSuchField", "x"));
    QVERIFY_THROWS_EXCEPTION(StoreError, t->value("NoSuchField"));
}

void TestDataset::signalsFollowMovesAndEdits()
{
    auto t = recordsTable("tN.db", namesL(3));
    QSignalSpy record(t.get(), &Dataset::recordChanged);
    QSignalSpy state(t.get(), &Dataset::stateChanged);
    QSignalSpy field(t.get(), &Dataset::fieldChanged);
    QSignalSpy newRecord(t.get(), &Dataset::newRecord);
    QSignalSpy beforePost(t.get(), &Dataset::beforePost);
    QSignalSpy afterPost(t.get(), &Dataset::afterPost);
    QSignalSpy opened(t.get(), &Dataset::afterOpen);
    QSignalSpy closed(t.get(), &Dataset::afterClose);

    t->next();
    t->last();
    QCOMPARE(record.size(), 2);
    t->next(); // nothing moved
    QCOMPARE(record.size(), 2);

    t->edit();
    QCOMPARE(state.size(), 1);
    t->setValue("LastName", "Z");
    t->setValue("LastName", "Z"); // same value: no change to announce
    QCOMPARE(field.size(), 1);
    QCOMPARE(field.first().first().toString(), QString("LastName"));
    t->post();
    QCOMPARE(beforePost.size(), 1);
    QCOMPARE(afterPost.size(), 1);
    QCOMPARE(state.size(), 2);
    QCOMPARE(record.size(), 3);

    t->append();
    QCOMPARE(newRecord.size(), 1);
    QCOMPARE(record.size(), 4); // controls show the empty buffer
    t->cancel();
    QCOMPARE(record.size(), 5);
    QCOMPARE(state.size(), 4);

    t->close();
    QCOMPARE(closed.size(), 1);
    QCOMPARE(state.size(), 5);
    t->open();
    QCOMPARE(opened.size(), 1);
    QCOMPARE(t->state(), DataSetState::Browse);
}

// Bound controls write their pending text into the buffer when the data source asks, just
// before the post: that text must be what gets stored.
void TestDataset::dataSourceForwardsAndCollectsPendingText()
{
    auto t = recordsTable("tN.db", namesL(2));
    DataSource source;
    QSignalSpy sourceState(&source, &DataSource::stateChanged);
    QSignalSpy data(&source, &DataSource::dataChanged);
    QCOMPARE(source.state(), DataSetState::Inactive);
    source.setDataSet(t.get());
    QCOMPARE(source.state(), DataSetState::Browse);
    data.clear();
    sourceState.clear();

    connect(&source, &DataSource::updateRecord, t.get(),
            [&] { t->setValue("Phone", "typed, not yet written"); });
    t->next();
    QCOMPARE(data.size(), 1);
    t->edit();
    QCOMPARE(sourceState.size(), 1);
    QCOMPARE(sourceState.first().first().value<DataSetState>(), DataSetState::Edit);
    t->post();
    t->refresh();
    QCOMPARE(t->asString("Phone"), QString("typed, not yet written"));

    source.setDataSet(nullptr);
    data.clear();
    t->first();
    QCOMPARE(data.size(), 0);
    QCOMPARE(source.state(), DataSetState::Inactive);
}

// Tables describe their own fields: an old labels table with fewer fields still opens.
void TestDataset::tableDescribesItsOwnFields()
{
    TableSchema old = schemas::labels().mid(0, 20);
    createTable("lOLD.db", old);
    Table t;
    t.setTableName("lOLD.db");
    t.open();
    QCOMPARE(t.fieldCount(), 20);
    QCOMPARE(t.fieldNames().at(3), QString("ID"));
    QVERIFY(!t.hasField("Nradd"));
    QCOMPARE(t.fieldIndex("created"), 1); // names compare as SQL does
    QCOMPARE(readSchema("lOLD.db").size(), 20);
}

void TestDataset::openingMissingOrForeignFileFails()
{
    Table t;
    t.setTableName("tMISSING.db");
    QVERIFY_THROWS_EXCEPTION(StoreError, t.open());
    QVERIFY(!QFileInfo::exists("tMISSING.db"));
    QVERIFY(!t.isActive());

    QFile text("notes.db");
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("just some text, not a table\n");
    text.close();
    t.setTableName("notes.db");
    try {
        t.open();
        QFAIL("a text file opened as a table");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains("notes.db"), qPrintable(e.message()));
    }

    // A records table whose memo file is gone cannot be opened either.
    createTable("tNOMEMO.db", schemas::records());
    QFile::remove("tNOMEMO.mb");
    t.setTableName("tNOMEMO.db");
    QVERIFY_THROWS_EXCEPTION(StoreError, t.open());
    QVERIFY(!QFileInfo::exists("tNOMEMO.mb"));
}

QTEST_MAIN(TestDataset)
#include "tst_dataset.moc"
