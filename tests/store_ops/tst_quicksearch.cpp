// Quick search: the criteria kept between searches and the record filters used by the
// records table's finds.

#include "QuickSearch.h"
#include "Schemas.h"
#include "Table.h"
#include "TableFiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tav::store;
using namespace tav::store::ops;

class TestQuickSearch : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void substringIgnoresCase();
    void countItem_data();
    void countItem();
    void numberIsThePositionAfterInsertions_data();
    void numberIsThePositionAfterInsertions();
    void wildcardsInTheCriterionAreLiteral();
    void textLoweredBeyondAscii();
    void findsBeyondTheNextThousandRecords();
    void noNumberIsRefused();
    void emptyBoxKeepsTheCriterion();
    void emptyCriterionFindsNothing();
    void commentsItemTakesTheBoxAsItIs();
    void captions();

private:
    // Makes `item`'s filter current and runs a find.
    bool find(int item, const QString &box, bool (Dataset::*how)());

    QTemporaryDir m_dir;
    std::unique_ptr<Table> m_records;
    QuickSearch m_search;
};

// FirstName, LastName and Comments of the records 1..7.
static const char *const kPeople[][3] = {
    {"Bob", "Smith", "met in Paris"},
    {"Joanne", "Brown", ""},
    {"Carl", "Smithers", "owes me"},
    {"ANNA", "Green", "PARIS office"},
    {"Änne", "Bauer", ""},
    {"Zed", "smith", "Paris"},
    {"Hans", "Ärger", ""},
};

void TestQuickSearch::init()
{
    m_search = QuickSearch();
    const QString path = QDir(m_dir.path()).filePath("tPEOPLE.db");
    createTable(path, schemas::records());
    m_records = std::make_unique<Table>();
    m_records->setTableName(path);
    m_records->open();
    for (const auto &person : kPeople) {
        m_records->append();
        m_records->setValue("FirstName", QString::fromUtf8(person[0]));
        m_records->setValue("LastName", QString::fromUtf8(person[1]));
        m_records->setValue("Comments", QString::fromUtf8(person[2]));
        m_records->post();
    }
    m_records->first();
}

void TestQuickSearch::cleanup()
{
    m_records.reset();
}

bool TestQuickSearch::find(int item, const QString &box, bool (Dataset::*how)())
{
    m_search.takeCriterion(item, box);
    m_records->setRecordFilter(m_search.filter(item));
    return (m_records.get()->*how)();
}

void TestQuickSearch::substringIgnoresCase()
{
    QVERIFY(find(2, "ann", &Dataset::findFirst));
    QCOMPARE(m_records->asString("FirstName"), QStringLiteral("Joanne"));
    QVERIFY(find(2, "ann", &Dataset::findNext));
    QCOMPARE(m_records->asString("FirstName"), QStringLiteral("ANNA"));
    QVERIFY(!find(2, "ann", &Dataset::findNext)); // "Änne" holds no "ann"
    QCOMPARE(m_records->recNo(), 4);

    // Letters beyond ASCII compare in lower case too.
    QVERIFY(find(2, QStringLiteral("äNN"), &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 5);
    QVERIFY(find(3, QStringLiteral("ÄR"), &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 7);

    // Backwards from the current record.
    QVERIFY(find(3, "SMITH", &Dataset::findPrior));
    QCOMPARE(m_records->recNo(), 6);
    QVERIFY(find(3, "SMITH", &Dataset::findPrior));
    QCOMPARE(m_records->recNo(), 3);
}

void TestQuickSearch::countItem_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("found"); // 0: none

    QTest::newRow("7") << "7" << 7;
    QTest::newRow("3") << "3" << 3;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("beyond the table") << "8" << 0;
}

void TestQuickSearch::countItem()
{
    QFETCH(QString, box);
    QFETCH(int, found);
    m_records->setRecNo(2);
    QCOMPARE(find(0, box, &Dataset::findFirst), found > 0);
    QCOMPARE(m_records->recNo(), found > 0 ? found : 2); // not found: the record stays
}

void TestQuickSearch::numberIsThePositionAfterInsertions_data()
{
    QTest::addColumn<int>("from"); // the record current before the find
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("move"); // First, Next or Prior
    QTest::addColumn<QString>("found"); // FirstName found, "" for none

    // Order after the insertions: Bob, New 2, New 1, Joanne, Carl, ANNA, Änne, Zed, Hans.
    QTest::newRow("first 2") << 9 << "2" << "First" << "New 2";
    QTest::newRow("first 4") << 1 << "4" << "First" << "Joanne";
    QTest::newRow("first 9") << 1 << "9" << "First" << "Hans";
    QTest::newRow("first 10") << 1 << "10" << "First" << "";
    QTest::newRow("next ahead") << 3 << "6" << "Next" << "ANNA";
    QTest::newRow("next behind") << 7 << "6" << "Next" << "";
    QTest::newRow("next itself") << 6 << "6" << "Next" << "";
    QTest::newRow("prior behind") << 7 << "3" << "Prior" << "New 1";
    QTest::newRow("prior ahead") << 2 << "3" << "Prior" << "";
}

// Inserted records take keys between their neighbours, so the stored Count no longer counts
// the records: the number searched for is the position the user sees.
void TestQuickSearch::numberIsThePositionAfterInsertions()
{
    QFETCH(int, from);
    QFETCH(QString, box);
    QFETCH(QString, move);
    QFETCH(QString, found);
    for (const char *name : {"New 1", "New 2"}) {
        m_records->setRecNo(2);
        m_records->insert();
        m_records->setValue("FirstName", QString::fromLatin1(name));
        m_records->post();
    }
    m_records->setRecNo(from);
    const auto how = move == "First"  ? &Dataset::findFirst
                     : move == "Next" ? &Dataset::findNext
                                      : &Dataset::findPrior;
    QCOMPARE(find(0, box, how), !found.isEmpty());
    if (found.isEmpty()) {
        QCOMPARE(m_records->recNo(), from);
        return;
    }
    QCOMPARE(m_records->recNo(), box.toInt());
    QCOMPARE(m_records->asString("FirstName"), found);
    QVERIFY(m_records->asInteger("Count") != box.toInt());
}

// The criterion is matched in the engine with LIKE: its % and _ must match themselves only.
void TestQuickSearch::wildcardsInTheCriterionAreLiteral()
{
    m_records->setRecNo(3);
    m_records->edit();
    m_records->setValue("Phone", "50% off_site");
    m_records->post();
    QVERIFY(find(4, "0%", &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 3);
    QVERIFY(!find(4, "0%", &Dataset::findNext));
    QVERIFY(find(4, "F_S", &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 3);
    QVERIFY(!find(4, "f%s", &Dataset::findFirst));
    QVERIFY(!find(4, "_", &Dataset::findNext));
    QVERIFY(!find(4, "\\", &Dataset::findFirst)); // the escape character itself
}

// A letter that lowers to ASCII ("K", the Kelvin sign, to "k") is found as what it lowers
// to, also where the rest of the text is plain ASCII.
void TestQuickSearch::textLoweredBeyondAscii()
{
    m_records->setRecNo(2);
    m_records->edit();
    m_records->setValue("Email", QStringLiteral("Dr. \u212Aate Straße"));
    m_records->post();
    QVERIFY(find(6, "kate", &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 2);
    QVERIFY(find(6, QStringLiteral("KATE STRAßE"), &Dataset::findFirst));
    QVERIFY(!find(6, "kate strasse", &Dataset::findFirst)); // ß is no "ss"
}

// Beyond the next thousand records the match is looked for in one pass over the file, which
// meets the records in the order they were written: the one found is still the next in the
// table's order, forwards and backwards.
void TestQuickSearch::findsBeyondTheNextThousandRecords()
{
    m_records->transaction([&] {
        for (int n = 1; n <= 2500; ++n) {
            m_records->append();
            m_records->setValue("FirstName", QStringLiteral("r%1").arg(n));
            m_records->post();
        }
        // Written last, placed in the middle; the later one in the file comes first.
        for (int position : {2400, 1500}) {
            m_records->setRecNo(position);
            m_records->insert();
            m_records->setValue("FirstName", QStringLiteral("Needle at %1").arg(position));
            m_records->post();
        }
    });
    m_records->first();
    QVERIFY(find(2, "needle", &Dataset::findNext));
    QCOMPARE(m_records->recNo(), 1500);
    QVERIFY(find(2, "needle", &Dataset::findNext));
    QCOMPARE(m_records->recNo(), 2401);
    QCOMPARE(m_records->asString("FirstName"), QStringLiteral("Needle at 2400"));
    QVERIFY(!find(2, "needle", &Dataset::findNext));
    QCOMPARE(m_records->recNo(), 2401);

    m_records->last();
    QVERIFY(find(2, "needle", &Dataset::findPrior));
    QCOMPARE(m_records->recNo(), 2401);
    QVERIFY(find(2, "needle", &Dataset::findPrior));
    QCOMPARE(m_records->recNo(), 1500);
    QVERIFY(!find(2, "needle", &Dataset::findPrior));
    QVERIFY(find(2, "needle", &Dataset::findLast));
    QCOMPARE(m_records->recNo(), 2401);
    QVERIFY(find(2, "needle", &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 1500);

    // Within the next thousand: the nearest, not the first in the file.
    m_records->setRecNo(1200);
    QVERIFY(find(2, "r1", &Dataset::findNext));
    QCOMPARE(m_records->asString("FirstName"), QStringLiteral("r1194"));
}

void TestQuickSearch::noNumberIsRefused()
{
    QVERIFY(find(0, "4", &Dataset::findFirst));
    // A text that is no whole number is refused and the previous number stays.
    QVERIFY(!m_search.takeCriterion(0, "x7"));
    QCOMPARE(m_search.number(), 4);
    QVERIFY(m_search.takeCriterion(0, " 7 "));
    QCOMPARE(m_search.number(), 7);
}

void TestQuickSearch::emptyBoxKeepsTheCriterion()
{
    QVERIFY(find(3, "smith", &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 1);
    QVERIFY(find(3, "", &Dataset::findNext));
    QCOMPARE(m_records->recNo(), 3);
    QCOMPARE(m_search.text(3), QStringLiteral("smith"));
    // Each item keeps its own criterion.
    QVERIFY(find(2, "carl", &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 3);
    QVERIFY(find(3, "", &Dataset::findNext));
    QCOMPARE(m_records->recNo(), 6);
    QVERIFY(find(0, "4", &Dataset::findFirst));
    QVERIFY(find(0, "", &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 4);
}

void TestQuickSearch::emptyCriterionFindsNothing()
{
    for (int item = 1; item <= 7; ++item)
        QVERIFY2(!find(item, "", &Dataset::findFirst), qPrintable(QuickSearch::field(item)));
    QCOMPARE(m_records->recNo(), 1);
}

void TestQuickSearch::commentsItemTakesTheBoxAsItIs()
{
    QVERIFY(find(8, "paris", &Dataset::findFirst));
    QCOMPARE(m_records->recNo(), 1);
    QVERIFY(find(8, "paris", &Dataset::findNext));
    QCOMPARE(m_records->recNo(), 4);
    // No kept criterion for the comments: an empty box finds nothing.
    QVERIFY(!find(8, "", &Dataset::findNext));
    QCOMPARE(m_records->recNo(), 4);
}

void TestQuickSearch::captions()
{
    QCOMPARE(QuickSearch::captionBox(1), QStringLiteral("LabelID"));
    QCOMPARE(QuickSearch::captionBox(7), QStringLiteral("LabelURL"));
    QCOMPARE(QuickSearch::captionBox(8), QStringLiteral("LabelComments"));
    QCOMPARE(QuickSearch::groupCaption(0, "ignored"), QStringLiteral("Search by No."));
    QCOMPARE(QuickSearch::groupCaption(3, "Last Name"), QStringLiteral("Search by Last Name"));
}

QTEST_GUILESS_MAIN(TestQuickSearch)
#include "tst_quicksearch.moc"
