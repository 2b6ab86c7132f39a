// The report's query: criteria, record positions, sort, outputs and the reading of dates.

#include "CriteriaDates.h"
#include "ReportQuery.h"
#include "ReportRows.h"
#include "Table.h"
#include "TableFiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tav;
using namespace tav::reports;

namespace
{
struct Person {
    QString lastName;
    QDate created;
};

// A records table with one record per person; the records numbered in `gaps` are then
// deleted, so stored Counts and positions differ.
void writeRecords(const QString &dir, const QString &file, const QVector<Person> &people,
                  const QVector<int> &gaps = {})
{
    store::createTable(QDir(dir).filePath(file), store::schemas::records());
    store::Table table;
    table.setDirectory(dir);
    table.setTableName(file);
    table.open();
    table.transaction([&] {
        for (const Person &p : people) {
            table.append();
            table.setValue(QStringLiteral("LastName"), p.lastName);
            if (p.created.isValid())
                table.setValue(QStringLiteral("Date"), p.created);
            table.post();
        }
    });
    // The records were appended to an empty table: their row keys are 1..n in order.
    for (int number : gaps)
        table.deleteRecords(QStringLiteral("_rk = ?"), {number});
    table.close();
}

ReportRequest lastNameReport()
{
    ReportRequest request;
    request.datePattern = QStringLiteral("dd/MM/yyyy");
    request.output[cat::kPosCount] = true;
    request.output[82] = true; // LastName
    return request;
}

// "position:LastName" per selected record, in report order.
QStringList selected(const QString &dir, const QString &file, const ReportRequest &request)
{
    const ReportQuery query = buildReportQuery(request);
    if (query.outcome != QueryOutcome::Ready)
        return {QStringLiteral("not ready: ") + query.message};
    ReportRows rows(dir, file, query);
    QStringList out;
    while (rows.next())
        out << rows.text(0) + QLatin1Char(':') + rows.text(1);
    return out;
}
} // namespace

class TestReportQuery : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Created 1-1-1999 to 12-1-1999, No. 5 to 40, last name "Smi", descending.
    void combinedCriteriaSelectTheRightRecordsInOrder()
    {
        QVector<Person> people;
        const QStringList names = {QStringLiteral("Smith"), QStringLiteral("Jones"),
                                   QStringLiteral("Goldsmith"), QStringLiteral("SMIley")};
        for (int i = 1; i <= 45; ++i)
            people.append({names[i % 4] + QString::number(i).rightJustified(2, QLatin1Char('0')),
                           QDate(1998, 12, 20).addDays(i)});
        writeRecords(m_dir->path(), QStringLiteral("tCLIENTS.db"), people, {3});

        ReportRequest request = lastNameReport();
        request.datePattern = QStringLiteral("dd-MMM-yy");
        request.criteria[cat::kPosDate] = true;
        request.criteriaText[cat::kPosDate] = QStringLiteral("1-1-1999");
        request.dateTo = QStringLiteral("12-1-1999");
        request.criteria[cat::kPosCount] = true;
        request.criteriaText[cat::kPosCount] = QStringLiteral("5");
        request.numberTo = QStringLiteral("40");
        request.criteria[82] = true;
        request.criteriaText[82] = QStringLiteral("Smi");
        request.sortField = QStringLiteral("LastName");
        request.descending = true;

        // Record i was created on 20-12-1998 + i days: 1-1-1999 .. 12-1-1999 are i = 12..23,
        // at position i - 1 once Count 3 is gone. Jones (i % 4 == 1) has no "smi".
        const QStringList expected = {
            QStringLiteral("19:Smith20"),     QStringLiteral("15:Smith16"),
            QStringLiteral("11:Smith12"),     QStringLiteral("22:SMIley23"),
            QStringLiteral("18:SMIley19"),    QStringLiteral("14:SMIley15"),
            QStringLiteral("21:Goldsmith22"), QStringLiteral("17:Goldsmith18"),
            QStringLiteral("13:Goldsmith14"),
        };
        QCOMPARE(selected(m_dir->path(), QStringLiteral("tCLIENTS.db"), request), expected);
    }

    void textCriteriaMatchLiterallyAndIgnoreCase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("SMITH") << QStringLiteral("SMITH")
                               << QStringList{QStringLiteral("1:Smith"), QStringLiteral("2:smithers"),
                                              QStringLiteral("3:Goldsmith")};
        QTest::newRow("quote, percent, underscore")
            << QStringLiteral("o'b 5% a_b") << QStringList{QStringLiteral("5:O'B 5% a_b")};
        QTest::newRow("backslash") << QStringLiteral("c:\\x") << QStringList{QStringLiteral("7:c:\\x")};
    }
    void textCriteriaMatchLiterallyAndIgnoreCase()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        writeRecords(m_dir->path(), QStringLiteral("t.db"),
                     {{QStringLiteral("Smith"), {}},
                      {QStringLiteral("smithers"), {}},
                      {QStringLiteral("Goldsmith"), {}},
                      {QStringLiteral("Smyth"), {}},
                      {QStringLiteral("O'B 5% a_b"), {}},
                      {QStringLiteral("OXB 5x aXb"), {}},
                      {QStringLiteral("c:\\x"), {}},
                      {QStringLiteral("c:x"), {}}});
        ReportRequest request = lastNameReport();
        request.criteria[82] = true;
        request.criteriaText[82] = typed;
        QCOMPARE(selected(m_dir->path(), QStringLiteral("t.db"), request), expected);
    }

    void recordNumberBounds_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("expected");
        const QStringList refused{QStringLiteral("not ready: ") + kIntervalMessage};
        QTest::newRow("negative") << QStringLiteral("-5") << QStringLiteral("6") << refused;
        QTest::newRow("trailing blank") << QStringLiteral("5 ") << QStringLiteral("6") << refused;
        QTest::newRow("empty") << QString() << QStringLiteral("6") << refused;
        QTest::newRow("empty end") << QStringLiteral("1") << QString() << refused;
        QTest::newRow("decimal") << QStringLiteral("1.5") << QStringLiteral("6") << refused;
        // Positions, not the stored Count (3 was deleted, so the 4th record is number 3).
        QTest::newRow("007 to 8") << QStringLiteral("007") << QStringLiteral("8")
                                  << QStringList{QStringLiteral("7:L8"), QStringLiteral("8:L9")};
        QTest::newRow("3 to 3") << QStringLiteral("3") << QStringLiteral("3")
                                << QStringList{QStringLiteral("3:L4")};
        QTest::newRow("beyond every number") << QStringLiteral("9")
                                             << QStringLiteral("99999999999999999999999")
                                             << QStringList{QStringLiteral("9:L10")};
    }
    void recordNumberBounds()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, expected);
        QVector<Person> people;
        for (int i = 1; i <= 10; ++i)
            people.append({QStringLiteral("L%1").arg(i), {}});
        writeRecords(m_dir->path(), QStringLiteral("t.db"), people, {3});
        ReportRequest request = lastNameReport();
        request.criteria[cat::kPosCount] = true;
        request.criteriaText[cat::kPosCount] = from;
        request.numberTo = to;
        QCOMPARE(selected(m_dir->path(), QStringLiteral("t.db"), request), expected);
    }

    void dateCriteria_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("result");
        QTest::newRow("empty start") << QString() << QStringLiteral("12/01/1999")
                                     << QStringLiteral("From: '' is not a valid date!");
        QTest::newRow("no such day") << QStringLiteral("1/1/1999") << QStringLiteral("31/02/1999")
                                     << QStringLiteral("To: '31/02/1999' is not a valid date!");
        QTest::newRow("words") << QStringLiteral("yesterday") << QStringLiteral("12/01/1999")
                               << QStringLiteral("From: 'yesterday' is not a valid date!");
        QTest::newRow("named month, two-digit year")
            << QStringLiteral("2-Jan-99") << QStringLiteral("3 january 1999") << QStringLiteral("L2 L3");
        QTest::newRow("year first") << QStringLiteral("1999-01-03") << QStringLiteral("1999-01-04")
                                    << QStringLiteral("L3 L4");
    }
    void dateCriteria()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, result);
        QVector<Person> people;
        for (int i = 1; i <= 5; ++i)
            people.append({QStringLiteral("L%1").arg(i), QDate(1999, 1, i)});
        people.append({QStringLiteral("undated"), {}});
        writeRecords(m_dir->path(), QStringLiteral("t.db"), people);
        ReportRequest request = lastNameReport();
        request.output[cat::kPosCount] = false;
        request.criteria[cat::kPosDate] = true;
        request.criteriaText[cat::kPosDate] = from;
        request.dateTo = to;
        const ReportQuery query = buildReportQuery(request);
        if (query.outcome != QueryOutcome::Ready) {
            QCOMPARE(query.outcome, QueryOutcome::InvalidCriterion);
            QCOMPARE(query.message, result);
            return;
        }
        ReportRows rows(m_dir->path(), QStringLiteral("t.db"), query);
        QStringList names;
        while (rows.next())
            names << rows.text(0);
        QCOMPARE(names.join(QLatin1Char(' ')), result);
    }

    // The end date the Created row starts with is accepted by the report for every pattern.
    void endDateDefaultIsAccepted_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("text");
        QTest::newRow("yy/MM/dd 49") << QStringLiteral("yy/MM/dd") << QDate(2049, 1, 12)
                                     << QStringLiteral("2049/01/12");
        QTest::newRow("yy/MM/dd 50") << QStringLiteral("yy/MM/dd") << QDate(1950, 1, 12)
                                     << QStringLiteral("1950/01/12");
        QTest::newRow("yy/MM/dd 99") << QStringLiteral("yy/MM/dd") << QDate(1999, 1, 12)
                                     << QStringLiteral("1999/01/12");
        QTest::newRow("dd-MMM-yy") << QStringLiteral("dd-MMM-yy") << QDate(1999, 1, 12)
                                   << QStringLiteral("12-1-1999");
        QTest::newRow("M/d/yy") << QStringLiteral("M/d/yy") << QDate(1999, 1, 12)
                                << QStringLiteral("1/12/1999");
        QTest::newRow("dd.MM.yyyy") << QStringLiteral("dd.MM.yyyy") << QDate(2026, 12, 10)
                                    << QStringLiteral("10.12.2026");
    }
    void endDateDefaultIsAccepted()
    {
        QFETCH(QString, pattern);
        QFETCH(QDate, today);
        QFETCH(QString, text);
        QCOMPARE(defaultEndDateText(today, pattern), text);
        QCOMPARE(readCriteriaDate(text, pattern), today);
        ReportRequest request = lastNameReport();
        request.datePattern = pattern;
        request.criteria[cat::kPosDate] = true;
        request.criteriaText[cat::kPosDate] = text;
        request.dateTo = text;
        QCOMPARE(buildReportQuery(request).outcome, QueryOutcome::Ready);
    }

    void outputsAndSort()
    {
        writeRecords(m_dir->path(), QStringLiteral("t.db"),
                     {{QStringLiteral("b"), {}}, {QStringLiteral("C"), {}}, {QStringLiteral("a"), {}}},
                     {});
        // Only the comments: nothing to report.
        ReportRequest comments;
        comments.output[cat::kPosComments] = true;
        QCOMPARE(buildReportQuery(comments).outcome, QueryOutcome::NoOutput);
        // An extra field beyond Nradd is neither output nor a criterion.
        ReportRequest extra;
        extra.output[0] = true;
        extra.criteria[0] = true;
        extra.criteriaText[0] = QStringLiteral("zzz");
        QCOMPARE(buildReportQuery(extra).outcome, QueryOutcome::NoOutput);
        ReportRequest withFixed = lastNameReport();
        withFixed.output[0] = true;
        withFixed.criteria[0] = true;
        withFixed.criteriaText[0] = QStringLiteral("zzz");
        QCOMPARE(selected(m_dir->path(), QStringLiteral("t.db"), withFixed).size(), 3);

        // Order of the layouts: 78..95, then the extra fields in use; locked comments never.
        ReportRequest all = lastNameReport();
        all.nradd = 2;
        all.output.fill(true);
        QVector<int> expected;
        for (int pos = 78; pos <= 95; ++pos)
            expected << pos;
        expected << 0 << 1;
        QCOMPARE(buildReportQuery(all).positions, expected);
        all.commentsLocked = true;
        expected.removeOne(95);
        QCOMPARE(buildReportQuery(all).positions, expected);

        // No sort field: record order, no sort clause; a sort ignores case.
        ReportRequest unsorted = lastNameReport();
        QVERIFY(buildReportQuery(unsorted).orderBy.isEmpty());
        QCOMPARE(selected(m_dir->path(), QStringLiteral("t.db"), unsorted),
                 (QStringList{QStringLiteral("1:b"), QStringLiteral("2:C"), QStringLiteral("3:a")}));
        unsorted.sortField = QStringLiteral("LastName");
        QCOMPARE(selected(m_dir->path(), QStringLiteral("t.db"), unsorted),
                 (QStringList{QStringLiteral("3:a"), QStringLiteral("1:b"), QStringLiteral("2:C")}));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestReportQuery)
#include "tst_reportquery.moc"
