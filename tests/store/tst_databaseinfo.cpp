// The facts and texts of the "Database Information" window, read from real files.

#include "DatabaseInfo.h"
#include "FileNames.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tav::store;

class TestDatabaseInfo : public QObject
{
    Q_OBJECT

private slots:
    void sizeGetsCommasForFourToNineDigits_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("999") << qint64(999) << "999";
        QTest::newRow("1000") << qint64(1000) << "1,000";
        QTest::newRow("123456") << qint64(123456) << "123,456";
        QTest::newRow("1234567") << qint64(1234567) << "1,234,567";
        QTest::newRow("nine digits") << qint64(123456789) << "123,456,789";
        QTest::newRow("ten digits") << qint64(1234567890) << "1234567890";
        QTest::newRow("zero") << qint64(0) << "0";
    }
    void sizeGetsCommasForFourToNineDigits()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(info::formatSize(bytes), text);
    }

    void timesUseTheCLayoutInEnglish()
    {
        const QDateTime time(QDate(2000, 1, 3), QTime(14, 5, 9));
        QCOMPARE(info::cTimeText(time), QStringLiteral("Mon Jan 03 14:05:09 2000"));
    }

    void masterShowsItsFilesSizeAndTimes()
    {
        QTemporaryDir dir;
        ensureSuppliedFiles(dir.path());
        const info::DatabaseInfo facts = info::readDatabaseInfo(dir.path(), files::kMaster, 7);
        qint64 expected = 0;
        for (const QString &f : {QStringLiteral("table1.db"), QStringLiteral("label1.db"),
                                 QStringLiteral("table1.mb")})
            expected += QFile(dir.filePath(f)).size();
        QVERIFY(expected > 0);
        QCOMPARE(facts.size, expected);
        QVERIFY(facts.allFilesFound);
        QVERIFY(facts.modified.isValid());
        QVERIFY(facts.created.isValid());

        const QStringList lines = info::infoValueLines(facts);
        QCOMPARE(lines.size(), info::infoLabelLines().size());
        QVERIFY(lines[0].startsWith(QStringLiteral("MASTER  ")));
        QCOMPARE(lines[1], QStringLiteral("7"));
        QCOMPARE(lines[2], info::formatSize(expected) + QStringLiteral(" bytes"));
        QCOMPARE(lines[4], info::cTimeText(facts.modified));
        // The file system may keep no creation time: then the line says what it shows.
        QCOMPARE(lines[3].contains(QStringLiteral("no creation time")), facts.createdIsChangeTime);
        QCOMPARE(lines[5], QStringLiteral("table1.db, label1.db, table1.mb"));
    }

    void aMissingFileIsSaidAndTheOthersCount()
    {
        QTemporaryDir dir;
        ensureSuppliedFiles(dir.path());
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("table1.mb"))));
        const info::DatabaseInfo facts = info::readDatabaseInfo(dir.path(), files::kMaster, 0);
        QVERIFY(!facts.allFilesFound);
        QCOMPARE(facts.size, QFile(dir.filePath(QStringLiteral("table1.db"))).size() +
                                 QFile(dir.filePath(QStringLiteral("label1.db"))).size());
        QVERIFY(info::infoValueLines(facts)[2].contains(QStringLiteral("could not be read")));
    }

    void otherDatabasesNameTheirFilesInLowerCase()
    {
        const info::DatabaseInfo facts = info::readDatabaseInfo(QDir::tempPath(), "SHOP", 0);
        QCOMPARE(facts.files, (QStringList{"tshop.db", "lshop.db", "tshop.mb"}));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseInfo)
#include "tst_databaseinfo.moc"
