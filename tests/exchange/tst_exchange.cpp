// Export to and import from delimited text: the exact lines written, the columns read, and
// a target that stays byte for byte as it was when an import cannot finish.

#include "Catalogue.h"
#include "DatabaseOps.h"
#include "ExportText.h"
#include "FileNames.h"
#include "ImportText.h"
#include "OpsFixture.h"
#include "RecordOps.h"
#include "StoreError.h"
#include "SuppliedFiles.h"
#include "Table.h"

#include <QtTest>

using namespace tav::exchange;
using namespace tav::store;
using tav::test::OpsFixture;
using tav::test::AttachmentRows;

namespace {

// Reads `fields` of every record of a records table in record order.
QVector<QStringList> readFields(const QString &path, const QStringList &fields)
{
    Table table;
    table.setTableName(path);
    table.open();
    QVector<QStringList> rows;
    for (table.first(); !table.eof(); table.next()) {
        QStringList row;
        for (const QString &field : fields)
            row << table.value(field).toString();
        rows << row;
    }
    return rows;
}

QVariant labelsValue(const QString &path, const QString &field)
{
    Table table;
    table.setTableName(path);
    table.open();
    table.first();
    return table.value(field);
}

void setLabels(const QString &path, const QVariantMap &values)
{
    Table table;
    table.setTableName(path);
    table.open();
    table.first();
    table.edit();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        table.setValue(it.key(), it.value());
    table.post();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void exportLines_data();
    void exportLines();
    void exportFailures();

    void importColumns_data();
    void importColumns();
    void importLabels_data();
    void importLabels();
    void importAttachmentsAnswer();
    void keptAttachmentsFollowPositions_data();
    void keptAttachmentsFollowPositions();
    void importNewDatabase();
    void failedImportLeavesTarget_data();
    void failedImportLeavesTarget();

private:
    QString path(const QString &file) const { return m_fixture->path(file); }
    QString writeText(const QByteArray &bytes) const;
    // Database CLIENTS: three records whose Count has gaps, labels with captions.
    void makeClients();
    ImportRequest request(const QString &target, const QByteArray &text, QChar sep) const;

    std::unique_ptr<OpsFixture> m_fixture;
};

void TestExchange::init()
{
    m_fixture = std::make_unique<OpsFixture>();
    ensureSuppliedFiles(m_fixture->dataDir());
    setDisplayDatePattern(QStringLiteral("dd/MM/yyyy"));
}

void TestExchange::cleanup()
{
    m_fixture.reset();
}

QString TestExchange::writeText(const QByteArray &bytes) const
{
    QFile file(path("in.txt"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the text file");
    return file.fileName();
}

void TestExchange::makeClients()
{
    QCOMPARE(ops::createDatabase(m_fixture->dataDir(), "CLIENTS"), ops::NameResult::Done);
    Table table;
    table.setTableName(path("tCLIENTS.db"));
    table.open();
    table.emptyTable();
    auto add = [&](const QVariantMap &values) {
        table.append();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            table.setValue(it.key(), it.value());
        table.post();
    };
    add({{"Date", QDate(2021, 3, 4)}, {"ID", "A1"}, {"FirstName", "Ann"}, {"Res7", "x;y"},
         {"Comments", "never exported"}});
    add({{"LastName", "Lee"}});
    add({{"Date", QDate(2022, 12, 31)}, {"ID", "C3"}, {"Reserved5", "end"}});
    // Count with gaps, and a tie broken by the row key: the file shows positions.
    table.execute("UPDATE data SET Count = CASE WHEN _rk = (SELECT MIN(_rk) FROM data) THEN 10 "
                  "ELSE 40 END");
    setLabels(path("lCLIENTS.db"), {{"Nradd", 1}, {"Res6", "Extra one"}, {"Res85", "1"},
                                     {"Res86", "secret"}});
}

ImportRequest TestExchange::request(const QString &target, const QByteArray &text, QChar sep) const
{
    ImportRequest r;
    r.dataDir = m_fixture->dataDir();
    r.textFile = writeText(text);
    r.target = target;
    r.separator = sep;
    r.labelsSource = path(files::kLabelsTemplate);
    r.today = QDate(2024, 2, 29);
    return r;
}

// ---- Export --------------------------------------------------------------------------------

void TestExchange::exportLines_data()
{
    QTest::addColumn<QChar>("sep");
    QTest::addColumn<int>("nradd");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("tab, no extra field")
        << QChar('\t') << 0
        << QByteArray("04/03/2021\t1\tA1\tAnn\t" + QByteArray(" \t").repeated(13) + "\n" +
                      " \t2\t \t \tLee\t" + QByteArray(" \t").repeated(12) + "\n" +
                      "31/12/2022\t3\tC3\t" + QByteArray(" \t").repeated(13) + "end\t\n");
    QTest::newRow("semicolon, one extra field, separator inside a value")
        << QChar(';') << 1
        << QByteArray("04/03/2021;1;A1;Ann;" + QByteArray(" ;").repeated(13) + "x;y;\n" +
                      " ;2; ; ;Lee;" + QByteArray(" ;").repeated(12) + " ;\n" +
                      "31/12/2022;3;C3;" + QByteArray(" ;").repeated(13) + "end; ;\n");
}

void TestExchange::exportLines()
{
    QFETCH(QChar, sep);
    QFETCH(int, nradd);
    QFETCH(QByteArray, expected);
    makeClients();
    QVector<qint64> progress;
    const ExportResult result =
        exportRecords(path("tCLIENTS.db"), nradd, sep, path("out.txt"),
                      [&](qint64 done, qint64 total) { progress << done << total; });
    QCOMPARE(result.status, ExportStatus::Done);
    QCOMPARE(result.records, 3);
    QCOMPARE(fileBytes(path("out.txt")), expected);
    QCOMPARE(progress.mid(progress.size() - 2), (QVector<qint64>{3, 3}));
}

void TestExchange::exportFailures()
{
    makeClients();
    // A folder that does not exist: nothing written.
    QCOMPARE(exportRecords(path("tCLIENTS.db"), 0, '\t', path("no/such/out.txt")).status,
             ExportStatus::CannotOpenOutput);
    QCOMPARE(exportRecords(path("tCLIENTS.db"), 0, '\t', QString()).status,
             ExportStatus::CannotOpenOutput);
    // A run stopped half way keeps the file that was there.
    QFile old(path("out.txt"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old content");
    old.close();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             exportRecords(path("tCLIENTS.db"), 0, '\t', path("out.txt"),
                                           [](qint64 done, qint64) {
                                               if (done == 2)
                                                   throw std::runtime_error("stop");
                                           }));
    QCOMPARE(fileBytes(path("out.txt")), QByteArray("old content"));
    // An empty table gives an empty file.
    {
        Table table;
        table.setTableName(path("tCLIENTS.db"));
        table.open();
        table.emptyTable();
    }
    QCOMPARE(exportRecords(path("tCLIENTS.db"), 0, '\t', path("out.txt")).records, 0);
    QCOMPARE(fileBytes(path("out.txt")), QByteArray());
}

// ---- Import --------------------------------------------------------------------------------

void TestExchange::importColumns_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QChar>("sep");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QVector<QStringList>>("records");
    QTest::addColumn<int>("nradd");
    QTest::addColumn<int>("valuesCut");
    QTest::addColumn<int>("linesCut");

    const QStringList idNames{"ID", "FirstName", "LastName", "Phone"};
    QTest::newRow("three tab columns, no line end at the end")
        << QByteArray("A1\tSmith\tJohn") << QChar('\t') << idNames
        << QVector<QStringList>{{"A1", "Smith", "John", " "}} << 0 << 0 << 0;
    QTest::newRow("quotes vanish and protect nothing, CR LF")
        << QByteArray("\"Doe, John\",5\r\n") << QChar(',') << idNames
        << QVector<QStringList>{{"Doe", " John", "5", " "}} << 0 << 0 << 0;
    QTest::newRow("two separators in a row, blank middle line, final line end adds nothing")
        << QByteArray("a;;c\n\nd\n") << QChar(';') << idNames
        << QVector<QStringList>{{"a", " ", "c", " "}, {" ", " ", " ", " "}, {"d", " ", " ", " "}}
        << 0 << 0 << 0;
    QTest::newRow("space separates every blank")
        << QByteArray("New York") << QChar(' ') << idNames
        << QVector<QStringList>{{"New", "York", " ", " "}} << 0 << 0 << 0;

    // 17 columns make Nradd 2; a shorter line before it leaves the new columns empty, a
    // shorter line after it gets blanks there.
    QByteArray wide;
    for (int c = 1; c <= 17; ++c)
        wide += (c > 1 ? "\t" : "") + QByteArray("v") + QByteArray::number(c);
    QTest::newRow("17 columns")
        << QByteArray("first\n" + wide + "\nlast\n") << QChar('\t')
        << QStringList{"ID", "Reserved5", "Res7", "Res8", "Res9"}
        << QVector<QStringList>{{"first", " ", "", "", ""},
                                {"v1", "v15", "v16", "v17", ""},
                                {"last", " ", " ", " ", ""}}
        << 2 << 0 << 0;

    QByteArray tooWide;
    for (int c = 1; c <= 95; ++c)
        tooWide += (c > 1 ? "," : "") + QByteArray("c") + QByteArray::number(c);
    QTest::newRow("more than 93 columns: the first 93 are read, the line is counted")
        << tooWide << QChar(',') << QStringList{"ID", "Res85", "Res86"}
        << QVector<QStringList>{{"c1", "c92", "c93"}} << 78 << 0 << 1;

    QTest::newRow("over-long value cut to the field width and counted")
        << QByteArray(QByteArray(99, 'x') + "\xc3\xa9\xc3\xa9\t" + QByteArray(100, 'y'))
        << QChar('\t') << QStringList{"ID", "FirstName"}
        << QVector<QStringList>{{QString(99, 'x') + QString::fromUtf8("\xc3\xa9"),
                                 QString(100, 'y')}}
        << 0 << 1 << 0;
    QTest::newRow("Latin-1 file")
        << QByteArray("M\xfcller\tJos\xe9\n") << QChar('\t') << QStringList{"ID", "FirstName"}
        << QVector<QStringList>{{QString::fromUtf8("M\xc3\xbcller"),
                                 QString::fromUtf8("Jos\xc3\xa9")}}
        << 0 << 0 << 0;
    QTest::newRow("empty file keeps one empty record")
        << QByteArray() << QChar('\t') << QStringList{"ID", "Date"}
        << QVector<QStringList>{{"", ""}} << 0 << 0 << 0;
}

void TestExchange::importColumns()
{
    QFETCH(QByteArray, text);
    QFETCH(QChar, sep);
    QFETCH(QStringList, fields);
    QFETCH(QVector<QStringList>, records);
    QFETCH(int, nradd);
    QFETCH(int, valuesCut);
    QFETCH(int, linesCut);

    makeClients();
    const ImportResult result = importText(request("clients", text, sep));
    QCOMPARE(result.status, ImportStatus::Done);
    QCOMPARE(result.newDatabase, false);
    QCOMPARE(readFields(path("tCLIENTS.db"), fields), records);
    QCOMPARE(result.records, int(records.size()));
    QCOMPARE(result.nradd, nradd);
    QCOMPARE(labelsValue(path("lCLIENTS.db"), "Nradd").toInt(), nradd);
    QCOMPARE(result.valuesCut, valuesCut);
    QCOMPARE(result.linesCut, linesCut);
    if (!text.isEmpty()) {
        const QVector<QStringList> meta = readFields(path("tCLIENTS.db"), {"Date", "Count"});
        QCOMPARE(meta.first(), (QStringList{QDate(2024, 2, 29).toString(Qt::ISODate), "1"}));
    }
}

void TestExchange::importLabels_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("source"); // labels file the answer takes them from
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("lock");
    QTest::newRow("No, into the database shown: its own captions and lock")
        << "CLIENTS" << "lCLIENTS.db" << "Extra one" << "secret";
    QTest::newRow("No, another database shown: its captions and lock are copied")
        << "MASTER" << "lCLIENTS.db" << "Extra one" << "secret";
    QTest::newRow("Yes: the template's") << "CLIENTS" << "l.db" << "" << "";
}

void TestExchange::importLabels()
{
    QFETCH(QString, target);
    QFETCH(QString, source);
    QFETCH(QString, caption);
    QFETCH(QString, lock);
    makeClients();
    const QString labelsFile = files::labelsTable(target);
    const QStringList before = ops::catalogue::names(m_fixture->dataDir());
    ImportRequest r = request(target, "a\tb", '\t');
    r.labelsSource = path(source);
    QCOMPARE(importText(r).status, ImportStatus::Done);
    if (!caption.isEmpty())
        QCOMPARE(labelsValue(path(labelsFile), "Res6").toString(), caption);
    QCOMPARE(labelsValue(path(labelsFile), "Res86").toString(), lock);
    QCOMPARE(labelsValue(path(labelsFile), "Nradd").toInt(), 0);
    QCOMPARE(ops::catalogue::names(m_fixture->dataDir()), before); // MASTER never gets a row
    if (target == "MASTER")
        QCOMPARE(readFields(path("table1.db"), {"ID", "FirstName"}),
                 (QVector<QStringList>{{"a", "b"}}));
}

void TestExchange::importAttachmentsAnswer()
{
    makeClients();
    m_fixture->writeAttachments("atach_tCLIENTS.db", {{1, "doc.txt"}});
    ImportRequest r = request("CLIENTS", "a", '\t');
    QCOMPARE(importText(r).status, ImportStatus::Done);
    QVERIFY(QFileInfo::exists(path("atach_tCLIENTS.db")));
    r.keepAttachments = false;
    QCOMPARE(importText(r).status, ImportStatus::Done);
    QVERIFY(!QFileInfo::exists(path("atach_tCLIENTS.db")));
}

void TestExchange::keptAttachmentsFollowPositions_data()
{
    QTest::addColumn<int>("recordsVersion");
    QTest::addColumn<AttachmentRows>("before");
    QTest::addColumn<AttachmentRows>("after");
    // The records in order: row keys 3, 1, 2. Two new records replace them.
    QTest::newRow("rows keyed by the records' row keys")
        << 3 << AttachmentRows{{3, "c"}, {1, "a"}, {2, "b"}, {7, "gone"}}
        << AttachmentRows{{-7, "gone"}, {-3, "b"}, {1, "c"}, {2, "a"}};
    QTest::newRow("rows numbered by position, written before the row keys")
        << 1 << AttachmentRows{{1, "c"}, {2, "a"}, {3, "b"}}
        << AttachmentRows{{-3, "b"}, {1, "c"}, {2, "a"}};
}

// After an import that keeps them, the rows of record n belong to the new record n; rows of
// no new record are kept but stay away from records added later.
void TestExchange::keptAttachmentsFollowPositions()
{
    QFETCH(int, recordsVersion);
    QFETCH(AttachmentRows, before);
    QFETCH(AttachmentRows, after);
    makeClients();
    m_fixture->execute("tCLIENTS.db", "UPDATE data SET Count = 5 WHERE _rk = 3");
    m_fixture->execute("tCLIENTS.db", QStringLiteral("PRAGMA user_version=%1").arg(recordsVersion));
    m_fixture->writeAttachments("atach_tCLIENTS.db", before);
    QCOMPARE(importText(request("CLIENTS", "x\ny", '\t')).records, 2);
    QCOMPARE(m_fixture->readAttachments("atach_tCLIENTS.db"), after);

    Table records;
    records.setTableName(path("tCLIENTS.db"));
    records.open();
    QCOMPARE(ops::attachmentNumber(records, 2), 2);
    // The new records take the next row keys, 3 of them among them: the detached rows
    // stay detached and "c" follows its record to position 4.
    ops::insertEmptyRecords(records, path("atach_tCLIENTS.db"), 1, 3, QDate(2026, 1, 1));
    QCOMPARE(ops::attachmentNumber(records, 1), 3);
    QCOMPARE(ops::attachmentNumber(records, 4), 1);
    QCOMPARE(m_fixture->readAttachments("atach_tCLIENTS.db"), after);
}

void TestExchange::importNewDatabase()
{
    const ImportResult result = importText(request("new_one", "x\ty", '\t'));
    QCOMPARE(result.status, ImportStatus::Done);
    QVERIFY(result.newDatabase);
    QVERIFY(ops::catalogue::names(m_fixture->dataDir()).contains("NEW_ONE"));
    QCOMPARE(readFields(path("tNEW_ONE.db"), {"ID", "FirstName"}),
             (QVector<QStringList>{{"x", "y"}}));

    // Files of the name lying in the data directory without a catalogue row are not replaced.
    QFile stray(path("tSTRAY.db"));
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.close();
    QCOMPARE(importText(request("STRAY", "x", '\t')).status, ImportStatus::NameTaken);
    QCOMPARE(QFileInfo(path("tSTRAY.db")).size(), 0);
    QVERIFY(!ops::catalogue::names(m_fixture->dataDir()).contains("STRAY"));
    // A name that would reach the templates or leave the data directory is refused.
    QVERIFY_THROWS_EXCEPTION(StoreError, importText(request("", "x", '\t')));
    QVERIFY_THROWS_EXCEPTION(StoreError, importText(request("../X", "x", '\t')));
}

void TestExchange::failedImportLeavesTarget_data()
{
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("text file cannot be opened") << true;
    QTest::newRow("run stopped half way") << false;
}

void TestExchange::failedImportLeavesTarget()
{
    QFETCH(bool, unreadable);
    makeClients();
    m_fixture->writeAttachments("atach_tCLIENTS.db", {{1, "doc.txt"}});
    const QStringList names{"tCLIENTS.db", "tCLIENTS.mb", "lCLIENTS.db", "atach_tCLIENTS.db"};
    QMap<QString, QByteArray> before;
    for (const QString &name : names)
        before[name] = fileBytes(path(name));
    QByteArray text;
    for (int i = 0; i < 2000; ++i)
        text += "line " + QByteArray::number(i) + "\tvalue\n";
    ImportRequest r = request("CLIENTS", text, '\t');
    const QStringList filesBefore =
        QDir(m_fixture->dataDir()).entryList(QDir::Files | QDir::Hidden);
    r.keepAttachments = false;
    r.labelsSource = path("l.db");
    if (unreadable) {
        r.textFile = m_fixture->dataDir(); // a folder, not a file
        QCOMPARE(importText(r).status, ImportStatus::CannotOpenFile);
    } else {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, importText(r, [](qint64 done, qint64 total) {
                                     if (done > total / 2)
                                         throw std::runtime_error("stop");
                                 }));
    }
    for (const QString &name : names)
        QCOMPARE(fileBytes(path(name)), before[name]);
    QCOMPARE(QDir(m_fixture->dataDir()).entryList(QDir::Files | QDir::Hidden), filesBefore);
}

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
