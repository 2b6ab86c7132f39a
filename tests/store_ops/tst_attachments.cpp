// The attachment rows of one record: read in the order attached, a path attached once per
// record, several removed in one go without touching other records' rows, and a missing
// table made on first need.

#include "Attachments.h"
#include "OpsFixture.h"
#include "StoreError.h"
#include "SuppliedFiles.h"

#include <QFile>
#include <QTest>

using namespace tav;
using namespace tav::test;
namespace ops = tav::store::ops;

namespace
{
const QString kFile = QStringLiteral("atach_table1.db");
}

class TestAttachments : public QObject
{
    Q_OBJECT

private slots:
    void readAttachAndRefuseTwice()
    {
        OpsFixture f;
        QVERIFY(f.isValid());
        store::ensureSuppliedFiles(f.dataDir());
        const QString path = f.path(kFile);
        // A database never opened has no table yet: nothing attached, made by the first Add.
        QVERIFY(ops::attachedFiles(path, 3).isEmpty());
        QVERIFY(ops::attachFile(path, 3, QStringLiteral("/docs/b.doc")));
        QVERIFY(ops::attachFile(path, 3, QStringLiteral("/docs/a.txt")));
        QVERIFY(ops::attachFile(path, 4, QStringLiteral("/docs/b.doc"))); // other record: fine
        QVERIFY(!ops::attachFile(path, 3, QStringLiteral("/docs/b.doc")));
        QVERIFY(ops::attachFile(path, 3, QStringLiteral("/docs/B.doc"))); // case counts
        QCOMPARE(ops::attachedFiles(path, 3),
                 QStringList({"/docs/b.doc", "/docs/a.txt", "/docs/B.doc"}));
        QCOMPARE(ops::attachedFiles(path, 4), QStringList({"/docs/b.doc"}));
    }

    void detachRemovesTheSelectedRowsOfOneRecord()
    {
        OpsFixture f;
        QVERIFY(f.isValid());
        f.writeAttachments(kFile, {{2, "/d/one.doc"},
                                   {2, "/d/two.xls"},
                                   {2, "/d/three.txt"},
                                   {2, "/d/two.xls"}, // written twice by an older version
                                   {5, "/d/one.doc"}});
        const QString path = f.path(kFile);
        QCOMPARE(ops::detachFiles(path, 2, {"/d/two.xls", "/d/one.doc"}), 3);
        QCOMPARE(f.readAttachments(kFile),
                 AttachmentRows({{2, "/d/three.txt"}, {5, "/d/one.doc"}}));
        // A quote or a comma in a path is a value, not SQL.
        QVERIFY(ops::attachFile(path, 2, QStringLiteral("/d/it's, \"x\".doc")));
        QCOMPARE(ops::detachFiles(path, 2, {"/d/it's, \"x\".doc"}), 1);
    }

    void unreadableTableShowsNothingAndRefusesRemoval()
    {
        OpsFixture f;
        QVERIFY(f.isValid());
        QFile junk(f.path(kFile));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a table");
        junk.close();
        QVERIFY(ops::attachedFiles(f.path(kFile), 1).isEmpty());
        QVERIFY_THROWS_EXCEPTION(store::StoreError,
                                 ops::detachFiles(f.path(kFile), 1, {"/d/x.doc"}));
    }
};

QTEST_GUILESS_MAIN(TestAttachments)
#include "tst_attachments.moc"
