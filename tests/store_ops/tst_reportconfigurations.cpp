// Saved report configurations: the code lists, what a save stores, the name scope over all
// databases, criteria coming back in the order written, and a failed save changing nothing.

#include "FileNames.h"
#include "OpsFixture.h"
#include "ReportConfigurations.h"
#include "Schemas.h"
#include "SuppliedFiles.h"
#include "Table.h"

#include <QTest>

using namespace tav;
using namespace tav::store;
using namespace tav::store::ops;
namespace codes = tav::store::ops::configcodes;

namespace
{
ReportConfiguration configuration(const QString &database, const QString &name,
                                  const QStringList &criteria = {})
{
    ReportConfiguration c;
    c.dataName = database;
    c.configName = name;
    c.input = QStringLiteral(",0,,3,");
    c.output = QStringLiteral(",0,,1,,19,");
    c.sort = 1;
    c.byField = 2;
    c.format = 4;
    c.action = 1;
    c.criteria = criteria;
    return c;
}

} // namespace

class TestReportConfigurations : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_fixture = std::make_unique<test::OpsFixture>();
        QVERIFY(m_fixture->isValid());
        ensureSuppliedFiles(m_fixture->dataDir());
    }

    void codes_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("output");
        QTest::addColumn<int>("criteria");
        QTest::newRow("created") << 78 << 0 << 0;
        QTest::newRow("no.") << 79 << 1 << 1;
        QTest::newRow("first name") << 81 << 3 << 3;
        QTest::newRow("last fixed") << 94 << 16 << 16;
        QTest::newRow("comments") << 95 << 17 << -1;
        QTest::newRow("first extra") << 0 << 19 << 18;
        QTest::newRow("last extra") << 77 << 96 << 95;
    }
    void codes()
    {
        QFETCH(int, position);
        QFETCH(int, output);
        QFETCH(int, criteria);
        QCOMPARE(codes::outputCode(position), output);
        if (criteria >= 0)
            QCOMPARE(codes::criteriaCode(position), criteria);
    }

    void codeListsMatchWholeCodes()
    {
        QString list;
        for (int code : {0, 1, 19})
            list = codes::append(list, code);
        QCOMPARE(list, QStringLiteral(",0,,1,,19,"));
        QVERIFY(codes::contains(list, 1));
        QVERIFY(codes::contains(list, 19));
        QVERIFY(!codes::contains(list, 9));
        QVERIFY(!codes::contains(list, 11));
        QVERIFY(!codes::contains(QString(), 0));
    }

    void saveStoresMasterAndDetailRows()
    {
        ReportConfigurations store(m_fixture->dataDir());
        store.save(configuration(QStringLiteral("CLIENTS"), QStringLiteral("Smiths"),
                                 {QStringLiteral("1-1-1999_12-1-1999"), QStringLiteral("Smi")}),
                   false);
        const QVector<QVariantList> master = m_fixture->readAll(files::kMasterConfig);
        QCOMPARE(master.size(), 1);
        // DataName, ConfigName, Sort, ByField, Format, Action, Input, Output
        QCOMPARE(master.at(0).at(0).toString(), QStringLiteral("CLIENTS"));
        QCOMPARE(master.at(0).at(1).toString(), QStringLiteral("Smiths"));
        QCOMPARE(master.at(0).at(2).toInt(), 1);
        QCOMPARE(master.at(0).at(3).toInt(), 2);
        QCOMPARE(master.at(0).at(6).toString(), QStringLiteral(",0,,3,"));
        QCOMPARE(master.at(0).at(7).toString(), QStringLiteral(",0,,1,,19,"));
        const QVector<QVariantList> details = m_fixture->readAll(files::kDetailsCriteria);
        QCOMPARE(details.size(), 2);
        QCOMPARE(details.at(0).at(2).toString(), QStringLiteral("1-1-1999_12-1-1999"));
        QCOMPARE(details.at(1).at(2).toString(), QStringLiteral("Smi"));

        const auto loaded = store.load(QStringLiteral("CLIENTS"), QStringLiteral("Smiths"));
        QVERIFY(loaded);
        QCOMPARE(loaded->byField, 2);
        QCOMPARE(loaded->format, 4);
        QCOMPARE(loaded->criteria, configuration({}, {}, {QStringLiteral("1-1-1999_12-1-1999"),
                                                         QStringLiteral("Smi")}).criteria);
    }

    void namesBelongToTheirDatabaseButAreUniqueOverAll()
    {
        ReportConfigurations store(m_fixture->dataDir());
        store.save(configuration(QStringLiteral("SHOP"), QStringLiteral("Stock")), false);
        store.save(configuration(QStringLiteral("CLIENTS"), QStringLiteral("Mail")), false);
        store.save(configuration(QStringLiteral("CLIENTS"), QStringLiteral("All")), false);
        QCOMPARE(store.names(QStringLiteral("CLIENTS")), (QStringList{"Mail", "All"}));
        QVERIFY(store.exists(QStringLiteral("Stock")));
        QVERIFY(!store.exists(QStringLiteral("stock")));
        QVERIFY(!store.load(QStringLiteral("CLIENTS"), QStringLiteral("Stock")));

        // Overwriting from CLIENTS takes the name from SHOP.
        store.save(configuration(QStringLiteral("CLIENTS"), QStringLiteral("Stock"), {QStringLiteral("x")}), true);
        QVERIFY(store.names(QStringLiteral("SHOP")).isEmpty());
        QCOMPARE(store.names(QStringLiteral("CLIENTS")), (QStringList{"Mail", "All", "Stock"}));
        QCOMPARE(m_fixture->readAll(files::kDetailsCriteria).size(), 1);
    }

    // Detail rows of several configurations written in turns come back per configuration in
    // the order they were written.
    void criteriaComeBackInTheOrderWritten()
    {
        ReportConfigurations store(m_fixture->dataDir());
        QStringList a, b;
        for (int i = 0; i < 12; ++i) {
            a << QStringLiteral("a%1").arg(11 - i);
            b << QStringLiteral("b%1").arg(i);
        }
        store.save(configuration(QStringLiteral("DB"), QStringLiteral("A"), a), false);
        store.save(configuration(QStringLiteral("DB"), QStringLiteral("B"), b), false);
        store.save(configuration(QStringLiteral("DB"), QStringLiteral("A"), a), true);
        QCOMPARE(store.load(QStringLiteral("DB"), QStringLiteral("A"))->criteria, a);
        QCOMPARE(store.load(QStringLiteral("DB"), QStringLiteral("B"))->criteria, b);
    }

    void removeTakesTheNameOnly()
    {
        ReportConfigurations store(m_fixture->dataDir());
        store.save(configuration(QStringLiteral("DB"), QStringLiteral("A"), {QStringLiteral("1")}), false);
        store.save(configuration(QStringLiteral("DB"), QStringLiteral("B"), {QStringLiteral("2")}), false);
        QVERIFY(!store.remove(QStringLiteral("C")));
        QVERIFY(store.remove(QStringLiteral("A")));
        QCOMPARE(store.names(QStringLiteral("DB")), QStringList{QStringLiteral("B")});
        QCOMPARE(m_fixture->readAll(files::kDetailsCriteria).size(), 1);
    }

    // A save that fails on its last detail row leaves both tables as they were, old
    // configuration of the same name included.
    void failedSaveChangesNothing_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("new") << false;
        QTest::newRow("overwrite") << true;
    }
    void failedSaveChangesNothing()
    {
        QFETCH(bool, replace);
        ReportConfigurations store(m_fixture->dataDir());
        store.save(configuration(QStringLiteral("DB"), QStringLiteral("A"), {QStringLiteral("old")}), false);
        m_fixture->execute(files::kDetailsCriteria,
                           QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON data "
                                          "WHEN NEW.Criteria = 'boom' BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
        const QVector<QVariantList> master = m_fixture->readAll(files::kMasterConfig);
        const QVector<QVariantList> details = m_fixture->readAll(files::kDetailsCriteria);
        try {
            store.save(configuration(QStringLiteral("DB"), replace ? QStringLiteral("A") : QStringLiteral("N"),
                                     {QStringLiteral("fine"), QStringLiteral("boom")}),
                       replace);
            QFAIL("the save should have failed");
        } catch (const ConfigurationSaveError &e) {
            QCOMPARE(e.step, ConfigurationSaveError::Write);
            QVERIFY(e.message.contains(QStringLiteral("disk full")));
        }
        QCOMPARE(m_fixture->readAll(files::kMasterConfig), master);
        QCOMPARE(m_fixture->readAll(files::kDetailsCriteria), details);
        QCOMPARE(store.load(QStringLiteral("DB"), QStringLiteral("A"))->criteria, QStringList{QStringLiteral("old")});
    }

private:
    std::unique_ptr<test::OpsFixture> m_fixture;
};

QTEST_MAIN(TestReportConfigurations)
#include "tst_reportconfigurations.moc"
