// The attachment rows of one record: read in the order attached, a path attached once per
// record, several removed in one go without touching other records' rows, a missing table
// made on first need, and a reader that follows the file replaced at its path.

#include "Attachments.h"
#include "OpsFixture.h"
#include "StoreError.h"
#include "SuppliedFiles.h"

#include <QFile>
#include <QTest>

#include <cstdio>

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

    // The window's reader keeps its file open between moves, yet sees every change: rows
    // written through another connection, and a file deleted, restored or moved in its place.
    void readerFollowsTheFileAtItsPath()
    {
        OpsFixture f;
        QVERIFY(f.isValid());
        f.writeAttachments(kFile, {{1, "/d/old.doc"}});
        f.writeAttachments(QStringLiteral("restored.db"), {{1, "/d/restored.doc"}});
        const QString path = f.path(kFile);
        ops::AttachmentReader reader;
        QCOMPARE(reader.files(path, 1), QStringList{"/d/old.doc"});
        QVERIFY(ops::attachFile(path, 1, QStringLiteral("/d/new.txt")));
        QCOMPARE(reader.files(path, 1), QStringList({"/d/old.doc", "/d/new.txt"}));

        QVERIFY(QFile::remove(path));
        QVERIFY(reader.files(path, 1).isEmpty());
        QVERIFY(QFile::rename(f.path(QStringLiteral("restored.db")), path));
        QCOMPARE(reader.files(path, 1), QStringList{"/d/restored.doc"});

        // Renamed over while the reader still holds the replaced file.
        f.writeAttachments(QStringLiteral("imported.db"), {{1, "/d/imported.xls"}});
        QVERIFY(::rename(QFile::encodeName(f.path(QStringLiteral("imported.db"))).constData(),
                         QFile::encodeName(path).constData()) == 0);
        QCOMPARE(reader.files(path, 1), QStringList{"/d/imported.xls"});
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
