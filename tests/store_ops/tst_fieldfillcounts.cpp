// Counting the records that fill each field, as the chart draws them.

#include "FieldCatalogue.h"
#include "FieldFillCounts.h"
#include "OpsFixture.h"
#include "StoreError.h"
#include "Table.h"

#include <QTest>

using namespace tav;
using namespace tav::store;
using namespace tav::test;
namespace cat = store::catalogue;

namespace
{
const QString kRecords = QStringLiteral("tCHART.db");
}

class TestFieldFillCounts : public QObject
{
    Q_OBJECT

private slots:
    void chartedPositionsAreFixedThenExtraInUse()
    {
        QVector<int> fixed;
        for (int pos = cat::kFirstFixed; pos <= cat::kLastFixed; ++pos)
            fixed << pos;
        QCOMPARE(ops::chartedPositions(0), fixed);
        QCOMPARE(ops::chartedPositions(2), fixed + QVector<int>({0, 1}));
        QCOMPARE(ops::chartedPositions(200).size(), 15 + cat::kExtraFields);
        QCOMPARE(ops::chartedPositions(-3), fixed);
    }

    void countsEveryFilledFieldOfFiveRecords()
    {
        OpsFixture fixture;
        QVERIFY(fixture.isValid());
        fixture.writeRecords(kRecords, 0);
        Table table;
        table.setTableName(fixture.path(kRecords));
        table.open();
        for (int n = 1; n <= 5; ++n) {
            table.append();
            table.setValue(QStringLiteral("ID"), QStringLiteral("id%1").arg(n));
            if (n <= 2)
                table.setValue(QStringLiteral("Phone"), QStringLiteral("555"));
            if (n == 4)
                table.setValue(QStringLiteral("Email"), QStringLiteral(" ")); // a space fills
            if (n % 2)
                table.setValue(cat::recordField(0), QStringLiteral("x"));
            table.setValue(cat::recordField(1), QStringLiteral("y")); // beyond Nradd
            table.setValue(QStringLiteral("Comments"), QStringLiteral("not charted"));
            table.post();
        }
        table.close();

        const ops::FieldFillCounts counts = ops::countFilledFields(fixture.path(kRecords), 1);
        QCOMPARE(counts.records, 5);
        const auto filled = [&](const char *field) {
            return counts.filled[cat::positionOfRecordField(QString::fromLatin1(field))];
        };
        QCOMPARE(filled("ID"), 5);
        QCOMPARE(filled("Phone"), 2);
        QCOMPARE(filled("Email"), 1);
        QCOMPARE(filled("FirstName"), 0);
        QCOMPARE(counts.filled[0], 3);
        QCOMPARE(counts.filled[1], 0); // not shown, so not counted
        QCOMPARE(counts.filled[cat::kPosComments], 0);
        QCOMPARE(counts.filled[cat::kPosCount], 0);
    }

    void anEmptyTableCountsNothing()
    {
        OpsFixture fixture;
        QVERIFY(fixture.isValid());
        fixture.writeRecords(kRecords, 0);
        const ops::FieldFillCounts counts = ops::countFilledFields(fixture.path(kRecords), 78);
        QCOMPARE(counts.records, 0);
        QVERIFY(std::all_of(counts.filled.begin(), counts.filled.end(), [](int n) { return n == 0; }));
    }

    void aMissingFileIsAnError()
    {
        OpsFixture fixture;
        QVERIFY(fixture.isValid());
        QVERIFY_THROWS_EXCEPTION(StoreError, ops::countFilledFields(fixture.path(kRecords), 0));
        QVERIFY(!QFile::exists(fixture.path(kRecords))); // nothing is created
    }
};

QTEST_GUILESS_MAIN(TestFieldFillCounts)
#include "tst_fieldfillcounts.moc"
