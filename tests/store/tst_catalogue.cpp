// The field catalogue, the record row buffer and the file names of a database.

#include "FieldCatalogue.h"
#include "FileNames.h"
#include "Schemas.h"
#include "Table.h"
#include "TableFiles.h"
#include "TestEnvironment.h"

#include <QtTest>

using namespace tav::store;

class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void lookUps_data();
    void lookUps();
    void positionOfRecordField();
    void orders();
    void recordAndLabelsFieldsExistInTheSchemas();
    void fillRowBuffer();
    void fileNames_data();
    void fileNames();
};

void TestCatalogue::lookUps_data()
{
    QTest::addColumn<int>("pos");
    // record field, edit box, caption box, labels field, criteria edit, criteria check, output
    QTest::addColumn<QStringList>("names");

    const auto row = [](const char *tag, int pos, const QStringList &names) {
        QTest::newRow(tag) << pos << names;
    };
    row("first extra", 0,
        {"Res7", "EditReserved6", "LabelR6", "Res6", "Edit18", "CheckBox18", "CheckBoxO19"});
    row("before the gap", 9,
        {"Res16", "EditReserved15", "LabelR15", "Res15", "Edit27", "CheckBox27", "CheckBoxO28"});
    // The record fields Res17 and Res18 are skipped; the screen numbering is not.
    row("after the gap", 10,
        {"Res19", "EditReserved16", "LabelR16", "Res16", "Edit28", "CheckBox28", "CheckBoxO29"});
    row("last extra", 77,
        {"Res86", "EditReserved83", "LabelR83", "Res83", "Edit95", "CheckBox95", "CheckBoxO96"});
    row("date", 78, {"Date", "EditDate", "", "Created", "Edit1", "CheckBox1", "CheckBoxO1"});
    row("count", 79, {"Count", "EditCount", "", "No", "Edit2", "CheckBox2", "CheckBoxO2"});
    row("id", 80, {"ID", "EditID", "LabelID", "ID", "Edit3", "CheckBox3", "CheckBoxO3"});
    row("url", 86,
        {"URLWebsite", "EditURLWebsite", "LabelURL", "URL", "Edit9", "CheckBox9", "CheckBoxO9"});
    row("address1", 87,
        {"Address1", "EditAddress", "LabelAdd1", "Add1", "Edit10", "CheckBox10", "CheckBoxO10"});
    row("reserved1", 90,
        {"Reserved1", "EditReserved", "LabelR1", "Res1", "Edit13", "CheckBox13", "CheckBoxO13"});
    row("reserved5", 94,
        {"Reserved5", "EditReserved5", "LabelR5", "Res5", "Edit17", "CheckBox17", "CheckBoxO17"});
    row("comments", 95, {"Comments", "", "", "Comments", "", "", "CheckBoxO18"});
    row("beyond", 96, {"", "", "", "", "", "", ""});
    row("negative", -1, {"", "", "", "", "", "", ""});
}

void TestCatalogue::lookUps()
{
    QFETCH(int, pos);
    QFETCH(QStringList, names);
    const QStringList actual{catalogue::recordField(pos),      catalogue::editBoxName(pos),
                             catalogue::captionBoxName(pos),   catalogue::labelsField(pos),
                             catalogue::criteriaEditName(pos), catalogue::criteriaCheckName(pos),
                             catalogue::outputCheckName(pos)};
    QCOMPARE(actual, names);
}

void TestCatalogue::positionOfRecordField()
{
    QCOMPARE(catalogue::positionOfRecordField("Res19"), 10);
    QCOMPARE(catalogue::positionOfRecordField("Res7"), 0);
    QCOMPARE(catalogue::positionOfRecordField("Comments"), 95);
    // Fields outside the catalogue have no position.
    for (const char *field : {"Res6", "Res17", "Res18", "Image", "Nonsense"})
        QCOMPARE(catalogue::positionOfRecordField(field), -1);
}

void TestCatalogue::orders()
{
    const QVector<int> page = catalogue::databasePageOrder();
    QCOMPARE(page.mid(0, 3), (QVector<int>{78, 79, 80}));
    QCOMPARE(page.mid(16, 2), (QVector<int>{94, 0}));
    QCOMPARE(page.size(), 95);

    const QVector<int> criteria = catalogue::criteriaOrder();
    QCOMPARE(criteria.size(), 95); // no comments row
    QCOMPARE(criteria.first(), 78);
    QCOMPARE(criteria.at(16), 94);
    QCOMPARE(criteria.at(17), 0);

    const QVector<int> output = catalogue::outputOrder();
    QCOMPARE(output.size(), 96);
    QCOMPARE(output.at(17), 95);
    QCOMPARE(output.at(18), 0);
    QCOMPARE(output.last(), 77);
}

// Every look-up must name a field the tables really have, or features silently read nothing.
void TestCatalogue::recordAndLabelsFieldsExistInTheSchemas()
{
    QStringList recordNames, labelNames;
    for (const FieldDef &f : schemas::records())
        recordNames << f.name;
    for (const FieldDef &f : schemas::labels())
        labelNames << f.name;
    QCOMPARE(recordNames.size(), 100);
    QCOMPARE(labelNames.size(), 100);
    QCOMPARE(recordNames.indexOf("Comments"), 9);
    QCOMPARE(recordNames.indexOf("Image"), 19);
    QCOMPARE(recordNames.indexOf("Res17"), 30);
    QCOMPARE(labelNames.indexOf("Nradd"), 97);
    QVERIFY(!labelNames.contains("Res84"));
    for (int pos = 0; pos < catalogue::kPositions; ++pos) {
        QVERIFY2(recordNames.contains(catalogue::recordField(pos)),
                 qPrintable(QString::number(pos)));
        QVERIFY2(labelNames.contains(catalogue::labelsField(pos)),
                 qPrintable(QString::number(pos)));
    }
}

void TestCatalogue::fillRowBuffer()
{
    tav::test::TestEnvironment env;
    // A result set lacking LastName and every extra field but Res7.
    TableSchema partial;
    for (const FieldDef &f : schemas::records()) {
        if (f.name != "LastName" &&
            (catalogue::positionOfRecordField(f.name) >= 78 || f.name == "Res7"))
            partial << f;
    }
    createTable(env.path("partial.db"), partial);
    Table table;
    table.setTableName("partial.db");
    table.open();
    table.append();
    table.setValue("Date", QDate(2024, 3, 9));
    table.setValue("FirstName", "Ann");
    table.setValue("Comments", "a note");
    table.setValue("Res7", "extra one");
    table.post();

    RowBuffer buffer;
    buffer.cells[2][1] = "kept";
    buffer.cells[2][5] = "kept";
    FillRowBuffer(buffer, 2, table, 2);
    QCOMPARE(buffer.cells[2][78], QString("09/03/2024"));
    QCOMPARE(buffer.cells[2][79], QString("1"));
    QCOMPARE(buffer.cells[2][81], QString("Ann"));
    QCOMPARE(buffer.cells[2][82], QString(" ")); // LastName missing
    QCOMPARE(buffer.cells[2][83], QString(""));  // Phone present, empty
    QCOMPARE(buffer.cells[2][95], QString("a note"));
    QCOMPARE(buffer.cells[2][0], QString("extra one"));
    QCOMPARE(buffer.cells[2][1], QString(" "));    // Res8 missing, below Nradd
    QCOMPARE(buffer.cells[2][5], QString("kept")); // beyond Nradd: untouched
    QCOMPARE(buffer.cells[1][81], QString());      // other rows untouched
}

void TestCatalogue::fileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("files"); // records, memo, labels, attachments
    QTest::newRow("master") << "MASTER"
                            << QStringList{"table1.db", "table1.mb", "label1.db",
                                           "atach_table1.db"};
    QTest::newRow("underscore") << "A_B"
                                << QStringList{"tA_B.db", "tA_B.mb", "lA_B.db", "atach_tA_B.db"};
}

void TestCatalogue::fileNames()
{
    QFETCH(QString, name);
    QFETCH(QStringList, files);
    const QStringList actual{files::recordsTable(name), files::memoFile(name),
                             files::labelsTable(name), files::attachmentsTable(name)};
    QCOMPARE(actual, files);
    QCOMPARE(files::memoFileFor("tempp.db"), QString("tempp.mb"));
    QCOMPARE(files::attachmentsTableFor("tX.db"), QString("atach_tX.db"));
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
