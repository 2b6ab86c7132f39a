// Filters, finds with a record filter, read-only queries and multi-row work on a table.

#include "Query.h"
#include "StoreFixtures.h"
#include "TestEnvironment.h"

#include <QtTest>

using namespace tav::store;
using tav::test::namesL;
using tav::test::recordsTable;
using tav::test::listed;
using tav::test::walk;

namespace {
RecordFilter contains(const QString &field, const QString &text)
{
    return RecordFilter{{field}, [needle = lowerLocale(text)](const QVariantList &values) {
                            return lowerLocale(values.at(0).toString()).contains(needle);
                        }};
}
} // namespace

class TestQuery : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void filterExpressionWithBoundValues();
    void badFilterLeavesTheSetAsItWas();
    void findFirstNextPrior();
    void findFollowsTableOrderAfterInserts();
    void findInFilteredSetAndOnMemo();
    void findPostsPendingEdit();
    void queryWhereOrderAndBindings();
    void likeMatchesTypedTextLiterally_data();
    void likeMatchesTypedTextLiterally();
    void blankTextsCompareEqualToEmpty();
    void queryIsReadOnly();
    void fieldMoveInOneStatement();
    void transactionRollsBackEverything();
    void deleteRangeAndRenumber();

private:
    std::unique_ptr<tav::test::TestEnvironment> m_env;
};

void TestQuery::init()
{
    m_env = std::make_unique<tav::test::TestEnvironment>();
}

void TestQuery::cleanup()
{
    m_env->verify();
    m_env.reset();
}

void TestQuery::filterExpressionWithBoundValues()
{
    auto t = recordsTable("tF.db", namesL(10));
    // Every record outside 4..6 (how a range is left out before renumbering).
    t->setFilter("Count >= 1 AND Count < ? OR Count > ? AND Count <= ?", {4, 6, 10});
    QCOMPARE(t->recordCount(), 10); // not yet filtered
    t->setFiltered(true);
    QCOMPARE(t->recordCount(), 7);
    QCOMPARE(walk(*t), (QStringList{"1:L1", "2:L2", "3:L3", "7:L7", "8:L8", "9:L9", "10:L10"}));
    t->setFilter("LastName = ?", {"L5"});
    QCOMPARE(walk(*t), QStringList{"5:L5"});
    t->setFiltered(false);
    QCOMPARE(t->recordCount(), 10);
}

void TestQuery::badFilterLeavesTheSetAsItWas()
{
    auto t = recordsTable("tF.db", namesL(3));
    t->setFilter("Count <> ?", {2});
    t->setFiltered(true);
    QCOMPARE(t->recordCount(), 2);
    QVERIFY_THROWS_EXCEPTION(StoreError, t->setFilter("Count >>> ?", {1}));
    QCOMPARE(t->recordCount(), 2);
    t->refresh(); // the old filter is still the one in force
    QCOMPARE(walk(*t), (QStringList{"1:L1", "3:L3"}));
}

void TestQuery::findFirstNextPrior()
{
    auto t = recordsTable("tF.db", {"Joanne", "Bob", "ANNA", "Hanna", "Zed"});
    t->setRecordFilter(contains("LastName", "ann"));
    t->setRecNo(5);
    QVERIFY(t->findFirst());
    QCOMPARE(t->asString("LastName"), QString("Joanne"));
    QVERIFY(t->findNext());
    QCOMPARE(t->asString("LastName"), QString("ANNA"));
    QVERIFY(t->findNext());
    QCOMPARE(t->recNo(), 4);
    QVERIFY(!t->findNext());
    QCOMPARE(t->recNo(), 4); // not found: stays
    QVERIFY(t->findPrior());
    QCOMPARE(t->recNo(), 3);
    QVERIFY(t->findPrior());
    QCOMPARE(t->recNo(), 1);
    QVERIFY(!t->findPrior());
    QCOMPARE(t->recNo(), 1);
    QVERIFY(t->findLast());
    QCOMPARE(t->recNo(), 4);

    t->setRecordFilter(
        RecordFilter{{"Count"}, [](const QVariantList &v) { return v.at(0).toInt() == 2; }});
    QVERIFY(t->findFirst());
    QCOMPARE(t->asString("LastName"), QString("Bob"));
    t->setRecordFilter(
        RecordFilter{{"Count"}, [](const QVariantList &v) { return v.at(0).toInt() == 0; }});
    QVERIFY(!t->findFirst());
    QCOMPARE(t->recNo(), 2);
}

// Records inserted before others have newer row keys but lower Count: the finds must still
// go in table order.
void TestQuery::findFollowsTableOrderAfterInserts()
{
    auto t = recordsTable("tF.db", {"match 1", "other", "match 3"});
    t->setRecNo(3);
    t->insert();
    t->setValue("LastName", "match new");
    t->post();
    t->first();
    t->insert();
    t->setValue("LastName", "match first");
    t->post();
    QCOMPARE(listed(*t),
             (QStringList{"1:match first", "2:match 1", "3:other", "4:match new", "5:match 3"}));

    t->setRecordFilter(contains("LastName", "match"));
    QStringList forward;
    QVERIFY(t->findFirst());
    do
        forward << t->asString("LastName");
    while (t->findNext());
    QCOMPARE(forward, (QStringList{"match first", "match 1", "match new", "match 3"}));
    QStringList backward;
    QVERIFY(t->findLast());
    do
        backward << t->asString("LastName");
    while (t->findPrior());
    QCOMPARE(backward, (QStringList{"match 3", "match new", "match 1", "match first"}));
}

void TestQuery::findInFilteredSetAndOnMemo()
{
    auto t = recordsTable("tF.db", namesL(6));
    t->setRecNo(2);
    t->edit();
    t->setValue("Comments", "Remember the Ölfass");
    t->post();
    t->setRecNo(5);
    t->edit();
    t->setValue("Comments", "ölfass again");
    t->post();

    t->setRecordFilter(contains("Comments", "ÖLFASS"));
    QVERIFY(t->findFirst());
    QCOMPARE(t->recNo(), 2);
    QVERIFY(t->findNext());
    QCOMPARE(t->recNo(), 5);

    // Only the records of the filtered set are visited.
    t->setFilter("Count > ?", {2});
    t->setFiltered(true);
    QVERIFY(t->findFirst());
    QCOMPARE(t->asString("LastName"), QString("L5"));
    QVERIFY(!t->findNext());
}

void TestQuery::findPostsPendingEdit()
{
    auto t = recordsTable("tF.db", namesL(3));
    t->edit();
    t->setValue("LastName", "found later");
    t->setRecordFilter(contains("LastName", "found"));
    t->last();
    QCOMPARE(t->state(), DataSetState::Browse);
    QVERIFY(t->findPrior());
    QCOMPARE(t->recNo(), 1);
}

void TestQuery::queryWhereOrderAndBindings()
{
    auto t = recordsTable("tQ.db", {"Miller", "Smith", "Goldsmith", "Adams"});
    t->close();

    Query q;
    q.setTableName("tQ.db");
    q.setWhere("Count >= :Count AND LastName <> ?");
    q.setOrderBy("LastName DESC");
    q.bindValue(":Count", 2);
    q.addBindValue("Adams");
    q.open();
    QCOMPARE(q.fieldCount(), 100);
    QCOMPARE(walk(q), (QStringList{"2:Smith", "3:Goldsmith"}));

    // The result follows a new binding.
    q.bindValue("Count", 1);
    q.refresh();
    QCOMPARE(walk(q), (QStringList{"2:Smith", "1:Miller", "3:Goldsmith"}));

    // A filter on top of the where condition, as a report does for date and number ranges.
    q.setFilter("Count <= ?", {2});
    q.setFiltered(true);
    QCOMPARE(walk(q), (QStringList{"2:Smith", "1:Miller"}));

    Query bad;
    bad.setTableName("tQ.db");
    bad.setWhere("NoSuchField = 1");
    QVERIFY_THROWS_EXCEPTION(StoreError, bad.open());
    bad.setWhere("Count = :missing");
    QVERIFY_THROWS_EXCEPTION(StoreError, bad.open());
}

void TestQuery::likeMatchesTypedTextLiterally_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("umlaut either case") << "ä" << QStringList{"Äpfel", "bär"};
    QTest::newRow("upper typed") << "SMITH" << QStringList{"Smith", "Goldsmith"};
    QTest::newRow("percent") << "50%" << QStringList{"50% off"};
    QTest::newRow("underscore") << "a_b" << QStringList{"a_b"};
    QTest::newRow("quote") << "O'Neil" << QStringList{"O'Neil"};
    QTest::newRow("backslash") << "c:\\x" << QStringList{"c:\\x"};
}

void TestQuery::likeMatchesTypedTextLiterally()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, found);
    auto t = recordsTable("tQ.db", {"Äpfel", "bär", "Smith", "Goldsmith", "50% off", "500 off",
                                    "a_b", "axb", "O'Neil", "c:\\x", "c:x"});
    t->close();
    Query q;
    q.setTableName("tQ.db");
    q.setWhere("lower_locale(LastName) LIKE :p ESCAPE '\\'");
    q.bindValue("p", containsPattern(typed));
    q.open();
    QStringList names;
    for (q.first(); !q.eof(); q.next())
        names << q.asString("LastName");
    QCOMPARE(names, found);
}

// A blank text is '' in SQL, so a condition on an empty field holds, as reports rely on.
void TestQuery::blankTextsCompareEqualToEmpty()
{
    auto t = recordsTable("tQ.db", namesL(3));
    t->setRecNo(2);
    t->edit();
    t->setValue("Res6", "set");
    t->post();
    t->setRecNo(3);
    t->edit();
    t->setValue("Res6", "");
    t->post();
    QVERIFY(t->isNull("Res6"));
    Query q;
    q.setTableName("tQ.db");
    q.setWhere("Res6 = '' AND Comments = ''");
    q.open();
    QCOMPARE(walk(q), (QStringList{"1:L1", "3:L3"}));
}

void TestQuery::queryIsReadOnly()
{
    recordsTable("tQ.db", namesL(2));
    Query q;
    q.setTableName("tQ.db");
    q.open();
    QVERIFY_THROWS_EXCEPTION(StoreError, q.edit());
    QVERIFY_THROWS_EXCEPTION(StoreError, q.append());
    QVERIFY_THROWS_EXCEPTION(StoreError, q.deleteRecord());
    QCOMPARE(q.state(), DataSetState::Browse);
}

// Inserting a field moves every record's values one place on: one UPDATE, where every
// assignment reads the row as it was.
void TestQuery::fieldMoveInOneStatement()
{
    auto t = recordsTable("tW.db", namesL(3));
    t->transaction([&] {
        for (t->first(); !t->eof(); t->next()) {
            t->edit();
            t->setValue("Phone", "phone " + t->asString("LastName"));
            t->setValue("Fax", "fax " + t->asString("LastName"));
            t->post();
        }
    });
    t->setRecNo(2);
    const int changed = t->execute("UPDATE data SET Email = Fax, Fax = Phone, Phone = NULL");
    QCOMPARE(changed, 3);
    QCOMPARE(t->recNo(), 2); // the current record stays current
    QVERIFY(t->isNull("Phone"));
    QCOMPARE(t->asString("Fax"), QString("phone L2"));
    QCOMPARE(t->asString("Email"), QString("fax L2"));
}

void TestQuery::transactionRollsBackEverything()
{
    auto t = recordsTable("tW.db", namesL(3));
    t->setRecNo(2);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, t->transaction([&] {
        t->append();
        t->setValue("LastName", "appended");
        t->post();
        t->execute("UPDATE data SET FirstName = 'changed'");
        t->deleteRecords("Count = ?", {1});
        throw std::runtime_error("stop halfway");
    }));
    QCOMPARE(t->recordCount(), 3);
    QCOMPARE(walk(*t), (QStringList{"1:L1", "2:L2", "3:L3"}));
    QCOMPARE(t->selectValue("SELECT COUNT(*) FROM data WHERE FirstName = 'changed'").toInt(), 0);
    QCOMPARE(t->selectValue("SELECT COUNT(*) FROM mb.data").toInt(), 3);
}

void TestQuery::deleteRangeAndRenumber()
{
    auto t = recordsTable("tW.db", namesL(10));
    t->setRecNo(8);
    QCOMPARE(t->deleteRecords("Count BETWEEN ? AND ?", {4, 6}), 3);
    QCOMPARE(t->recordCount(), 7);
    QCOMPARE(t->asString("LastName"), QString("L8")); // still current
    QCOMPARE(t->selectValue("SELECT COUNT(*) FROM mb.data").toInt(), 7);
    t->renumber();
    QCOMPARE(walk(*t), (QStringList{"1:L1", "2:L2", "3:L3", "4:L7", "5:L8", "6:L9", "7:L10"}));
    t->close();
    t->open();
    t->setRecNo(4);
    QCOMPARE(t->asInteger("Count"), 4);
    QCOMPARE(t->asString("LastName"), QString("L7"));
}

QTEST_MAIN(TestQuery)
#include "tst_query.moc"
