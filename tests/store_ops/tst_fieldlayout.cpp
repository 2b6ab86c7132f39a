// Insert Field, Delete Field, Remove Fields and Add Fields: the moves along the field chain,
// their application to every record and the labels row, and the roll-back on failure.

#include "FieldCatalogue.h"
#include "FieldChain.h"
#include "FieldLayout.h"
#include "OpsFixture.h"
#include "StoreError.h"
#include "Table.h"

#include <QtTest>

using namespace tav::store;
using namespace tav::store::ops;
using tav::test::OpsFixture;

namespace {

const QString kRecords = QStringLiteral("tTEST.db");
const QString kLabels = QStringLiteral("lTEST.db");

QList<int> range(int from, int to)
{
    QList<int> list;
    for (int i = from; from <= to ? i <= to : i >= to; from <= to ? ++i : --i)
        list << i;
    return list;
}

// A walk in the order the fields are visited: each takes the old value of the next one,
// the last is emptied.
QVector<chain::FieldMove> movesOf(const QList<int> &walk)
{
    QVector<chain::FieldMove> moves;
    for (int i = 0; i + 1 < walk.size(); ++i)
        moves.append({walk[i], walk[i + 1]});
    moves.append({walk.last(), chain::FieldMove::kEmpty});
    return moves;
}

// `row` after the moves, the fields named through `field`; emptied ones take `empty`.
QVariantList moved(QVariantList row, const QVector<chain::FieldMove> &moves,
                   const std::function<int(int)> &ordinalOf, const QVariant &empty)
{
    const QVariantList before = row;
    for (const chain::FieldMove &move : moves)
        row[ordinalOf(move.target)] =
            move.source == chain::FieldMove::kEmpty ? empty : before[ordinalOf(move.source)];
    return row;
}

int ordinalIn(const TableSchema &schema, const QString &field)
{
    for (int i = 0; i < schema.size(); ++i) {
        if (schema[i].name == field)
            return i;
    }
    return -1;
}

int recordOrdinal(int pos)
{
    return ordinalIn(schemas::records(), catalogue::recordField(pos));
}
int labelsOrdinal(int pos)
{
    return ordinalIn(schemas::labels(), catalogue::labelsField(pos));
}
const int kNraddOrdinal = ordinalIn(schemas::labels(), QStringLiteral("Nradd"));

enum class Op { Insert, Delete, Remove };

} // namespace
Q_DECLARE_METATYPE(Op)

class TestFieldLayout : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void chainMoves_data();
    void chainMoves();
    void positionsOutsideTheShownChainAreRefused();

    void movesReachEveryRecordAndCaption_data();
    void movesReachEveryRecordAndCaption();
    void insertFieldOnPhone();
    void removeAllThreeFields();
    void failureChangesNothing_data();
    void failureChangesNothing();

    void fieldCountInput_data();
    void fieldCountInput();
    void addFieldsStoresNradd();

private:
    void prepare(int nradd);
    int run(Op op, int arg);

    std::unique_ptr<OpsFixture> m_fixture;
    std::unique_ptr<Table> m_records, m_labels;
};

void TestFieldLayout::init()
{
    m_fixture = std::make_unique<OpsFixture>();
}

void TestFieldLayout::cleanup()
{
    m_records.reset();
    m_labels.reset();
    m_fixture.reset();
}

void TestFieldLayout::prepare(int nradd)
{
    m_fixture->writeRecords(kRecords, 10);
    m_fixture->writeLabels(kLabels, nradd);
    m_records = std::make_unique<Table>();
    m_records->setTableName(m_fixture->path(kRecords));
    m_records->open();
    m_labels = std::make_unique<Table>();
    m_labels->setTableName(m_fixture->path(kLabels));
    m_labels->open();
}

int TestFieldLayout::run(Op op, int arg)
{
    switch (op) {
    case Op::Insert:
        return insertField(*m_records, *m_labels, arg);
    case Op::Delete:
        return deleteField(*m_records, *m_labels, arg);
    case Op::Remove:
        return removeFields(*m_records, *m_labels, arg);
    }
    return -1;
}

void TestFieldLayout::chainMoves_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("nradd");
    QTest::addColumn<QList<int>>("dataWalk");
    QTest::addColumn<QList<int>>("captionWalk");
    QTest::addColumn<int>("newNradd");

    const QList<int> phoneToThirdExtra = QList<int>{2, 1, 0} + range(94, 83);
    QTest::newRow("insert on Phone, 2 extra")
        << Op::Insert << 83 << 2 << phoneToThirdExtra << phoneToThirdExtra << 3;
    QTest::newRow("insert on 2nd extra, 4 extra")
        << Op::Insert << 1 << 4 << range(4, 1) << range(4, 1) << 5;
    QTest::newRow("insert on Reserved5, 0 extra")
        << Op::Insert << 94 << 0 << QList<int>{0, 94} << QList<int>{0, 94} << 1;
    // All 78 shown: the last field's value and caption are lost, Nradd stays.
    QTest::newRow("insert, 78 extra")
        << Op::Insert << 5 << 78 << range(77, 5) << range(77, 5) << 78;
    QTest::newRow("insert on last, 78 extra")
        << Op::Insert << 77 << 78 << QList<int>{77} << QList<int>{77} << 78;

    const QList<int> idToFirstExtra = range(80, 94) + QList<int>{0};
    QTest::newRow("delete ID, 1 extra")
        << Op::Delete << 80 << 1 << idToFirstExtra << idToFirstExtra << 0;
    QTest::newRow("delete Reserved5, 0 extra")
        << Op::Delete << 94 << 0 << QList<int>{94, 0} << QList<int>{94, 0} << 0;
    const QList<int> emailOn = range(85, 94) + range(0, 4);
    QTest::newRow("delete Email, 5 extra") << Op::Delete << 85 << 5 << emailOn << emailOn << 4;
    // An extra field: the captions of the hidden extra fields move down too.
    QTest::newRow("delete 3rd extra, 5 extra")
        << Op::Delete << 2 << 5 << range(2, 4) << range(2, 77) << 4;
    QTest::newRow("delete last shown extra")
        << Op::Delete << 4 << 5 << QList<int>{4} << range(4, 77) << 4;
}

void TestFieldLayout::chainMoves()
{
    QFETCH(Op, op);
    QFETCH(int, pos);
    QFETCH(int, nradd);
    QFETCH(QList<int>, dataWalk);
    QFETCH(QList<int>, captionWalk);
    QFETCH(int, newNradd);

    const chain::FieldShift shift =
        op == Op::Insert ? chain::insertField(pos, nradd) : chain::deleteField(pos, nradd);
    QCOMPARE(shift.newNradd, newNradd);
    QCOMPARE(shift.data, movesOf(dataWalk));
    QCOMPARE(shift.captions, movesOf(captionWalk));
}

void TestFieldLayout::positionsOutsideTheShownChainAreRefused()
{
    QVERIFY_THROWS_EXCEPTION(StoreError, chain::insertField(2, 2)); // hidden extra field
    QVERIFY_THROWS_EXCEPTION(StoreError, chain::deleteField(0, 0));
    QVERIFY_THROWS_EXCEPTION(StoreError, chain::insertField(catalogue::kPosDate, 5));
    QVERIFY_THROWS_EXCEPTION(StoreError, chain::deleteField(catalogue::kPosComments, 5));
}

void TestFieldLayout::movesReachEveryRecordAndCaption_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("nradd");

    QTest::newRow("insert on Phone, 2 extra") << Op::Insert << 83 << 2;
    QTest::newRow("insert on 2nd extra, 4 extra") << Op::Insert << 1 << 4;
    QTest::newRow("insert, 78 extra") << Op::Insert << 20 << 78;
    QTest::newRow("delete ID, 1 extra") << Op::Delete << 80 << 1;
    QTest::newRow("delete 3rd extra, 5 extra") << Op::Delete << 2 << 5;
}

// Every record and the labels row end up as the chain's moves say, all other fields as before.
void TestFieldLayout::movesReachEveryRecordAndCaption()
{
    QFETCH(Op, op);
    QFETCH(int, pos);
    QFETCH(int, nradd);
    prepare(nradd);
    const QVector<QVariantList> recordsBefore = m_fixture->readAll(kRecords);
    const QVariantList labelsBefore = m_fixture->readLabels(kLabels);
    const chain::FieldShift shift =
        op == Op::Insert ? chain::insertField(pos, nradd) : chain::deleteField(pos, nradd);

    QCOMPARE(run(op, pos), shift.newNradd);

    const QVector<QVariantList> records = m_fixture->readAll(kRecords);
    QCOMPARE(records.size(), recordsBefore.size());
    for (int i = 0; i < records.size(); ++i)
        QCOMPARE(records[i], moved(recordsBefore[i], shift.data, recordOrdinal, QVariant()));
    QVariantList labels = moved(labelsBefore, shift.captions, labelsOrdinal, QStringLiteral("..."));
    labels[kNraddOrdinal] = qint64(shift.newNradd);
    QCOMPARE(m_fixture->readLabels(kLabels), labels);
    // The window's tables show the result without reopening.
    QCOMPARE(m_labels->asInteger(QStringLiteral("Nradd")), shift.newNradd);
    QCOMPARE(m_records->value(catalogue::recordField(pos)),
             records[m_records->recNo() - 1][recordOrdinal(pos)]);
}

void TestFieldLayout::insertFieldOnPhone()
{
    prepare(2);
    QCOMPARE(insertField(*m_records, *m_labels, 83), 3);

    const QVector<QVariantList> records = m_fixture->readAll(kRecords);
    const auto field = [&](int record, const char *name) {
        return records[record - 1][ordinalIn(schemas::records(), QLatin1String(name))].toString();
    };
    QCOMPARE(field(7, "LastName"), OpsFixture::valueOf("LastName", 7));
    QCOMPARE(field(7, "Phone"), QString());
    QCOMPARE(field(7, "Fax"), OpsFixture::valueOf("Phone", 7));
    QCOMPARE(field(7, "Email"), OpsFixture::valueOf("Fax", 7));
    QCOMPARE(field(7, "Res7"), OpsFixture::valueOf("Reserved5", 7));
    QCOMPARE(field(7, "Res8"), OpsFixture::valueOf("Res7", 7));
    QCOMPARE(field(7, "Res9"), OpsFixture::valueOf("Res8", 7));
    QCOMPARE(field(7, "Res10"), OpsFixture::valueOf("Res10", 7)); // beyond the shown part
    const QVariantList labels = m_fixture->readLabels(kLabels);
    QCOMPARE(labels[labelsOrdinal(83)].toString(), QStringLiteral("..."));
    QCOMPARE(labels[labelsOrdinal(84)].toString(), OpsFixture::captionOf("Phone"));
    QCOMPARE(labels[labelsOrdinal(2)].toString(),
             OpsFixture::captionOf("Res7")); // 2nd extra's caption
}

void TestFieldLayout::removeAllThreeFields()
{
    prepare(3);
    const QVector<QVariantList> before = m_fixture->readAll(kRecords);
    QVERIFY_THROWS_EXCEPTION(StoreError, removeFields(*m_records, *m_labels, 4));
    QCOMPARE(m_fixture->readAll(kRecords), before);

    QCOMPARE(removeFields(*m_records, *m_labels, 3), 0);
    const QVector<QVariantList> records = m_fixture->readAll(kRecords);
    for (int i = 0; i < records.size(); ++i) {
        QVariantList expected = before[i];
        for (int pos = 0; pos < 3; ++pos)
            expected[recordOrdinal(pos)] = QVariant();
        QCOMPARE(records[i], expected);
    }
    const QVariantList labels = m_fixture->readLabels(kLabels);
    for (int pos = 0; pos < 3; ++pos)
        QCOMPARE(labels[labelsOrdinal(pos)].toString(), QStringLiteral("..."));
    QCOMPARE(labels[labelsOrdinal(3)].toString(), OpsFixture::captionOf("Res9"));
    QCOMPARE(labels[kNraddOrdinal].toInt(), 0);
}

void TestFieldLayout::failureChangesNothing_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<int>("arg");
    QTest::addColumn<QString>("failingTable");

    // The labels row is written after the data moved: the moves must be undone.
    QTest::newRow("insert, labels fail") << Op::Insert << 83 << kLabels;
    QTest::newRow("delete, labels fail") << Op::Delete << 80 << kLabels;
    QTest::newRow("remove, labels fail") << Op::Remove << 2 << kLabels;
    QTest::newRow("insert, records fail") << Op::Insert << 0 << kRecords;
}

void TestFieldLayout::failureChangesNothing()
{
    QFETCH(Op, op);
    QFETCH(int, arg);
    QFETCH(QString, failingTable);
    prepare(3);
    const QVector<QVariantList> records = m_fixture->readAll(kRecords);
    const QVariantList labels = m_fixture->readLabels(kLabels);
    m_fixture->execute(failingTable,
                       QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON data "
                                      "BEGIN SELECT RAISE(ABORT, 'the file refuses'); END"));
    try {
        run(op, arg);
        QFAIL("no error reported");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("the file refuses")), qPrintable(e.message()));
    }
    QCOMPARE(m_fixture->readAll(kRecords), records);
    QCOMPARE(m_fixture->readLabels(kLabels), labels);
    QCOMPARE(m_labels->asInteger(QStringLiteral("Nradd")), 3);

    // The labels file was let go again: once the cause is gone the same operation works.
    m_fixture->execute(failingTable, QStringLiteral("DROP TRIGGER refuse"));
    run(op, arg);
    QVERIFY(m_fixture->readLabels(kLabels) != labels);
}

void TestFieldLayout::fieldCountInput_data()
{
    QTest::addColumn<int>("nradd");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("canAdd");
    QTest::addColumn<bool>("canRemove");

    QTest::newRow("5 shown, add 73") << 5 << "73" << true << false;
    QTest::newRow("5 shown, add 74") << 5 << "74" << false << false;
    QTest::newRow("0") << 5 << "0" << false << false;
    QTest::newRow("letters") << 5 << "ab" << false << false;
    QTest::newRow("empty") << 5 << "" << false << false;
    QTest::newRow("remove all 5") << 5 << "5" << true << true;
    QTest::newRow("remove 6 of 5") << 5 << "6" << true << false;
    QTest::newRow("none shown, add 78") << 0 << "78" << true << false;
    QTest::newRow("all shown, add 1") << 78 << "1" << false << true;
}

void TestFieldLayout::fieldCountInput()
{
    QFETCH(int, nradd);
    QFETCH(QString, text);
    QFETCH(bool, canAdd);
    QFETCH(bool, canRemove);
    QCOMPARE(canAddFields(text, nradd), canAdd);
    QCOMPARE(canRemoveFields(text, nradd), canRemove);
    QCOMPARE(maxFieldsToAdd(5), 73);
}

void TestFieldLayout::addFieldsStoresNradd()
{
    prepare(5);
    const QVector<QVariantList> records = m_fixture->readAll(kRecords);
    QCOMPARE(addFields(*m_labels, 3), 8);
    QCOMPARE(m_fixture->readLabels(kLabels)[kNraddOrdinal].toInt(), 8);
    QCOMPARE(m_labels->asInteger(QStringLiteral("Nradd")), 8);
    QVERIFY_THROWS_EXCEPTION(StoreError, addFields(*m_labels, 71));
    QCOMPARE(m_fixture->readLabels(kLabels)[kNraddOrdinal].toInt(), 8);
    QCOMPARE(m_fixture->readAll(kRecords), records);
}

QTEST_GUILESS_MAIN(TestFieldLayout)
#include "tst_fieldlayout.moc"
