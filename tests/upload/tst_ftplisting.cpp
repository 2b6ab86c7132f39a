// The text rules of the remote side without a server: listing lines, name recovery, the
// parent rule, LIST parsing, server addresses and the site history file.

#include "CurlConnection.h"
#include "FtpListing.h"
#include "SiteHistory.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tav::upload;

class TestFtpListing : public QObject
{
    Q_OBJECT
private slots:
    void listingLine_data();
    void listingLine();
    void longNamesKeepTheirText();
    void customToFileName();
    void parentDirectory_data();
    void parentDirectory();
    void parseListLine_data();
    void parseListLine();
    void listingSkipsNonEntries();
    void parseServer_data();
    void parseServer();
    void historyReadsPairs();
    void historyAppendsOneLinePerPair();
};

void TestFtpListing::listingLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("attributes");
    QTest::addColumn<QString>("line");
    // Code, name from column 6, size from column 25; the 75 blanks stay behind.
    QTest::newRow("directory") << "images" << qint64(0) << int(AttrDirectory)
                               << "D    images             0" + QString(58, ' ');
    QTest::newRow("read-only directory")
        << "locked" << qint64(4096) << int(AttrDirectory | AttrReadOnly)
        << "17   locked             4096" + QString(59, ' ');
    QTest::newRow("file") << "index.html" << qint64(1234) << int(AttrNormal)
                          << "N    index.html         1234" + QString(62, ' ');
    QTest::newRow("read-only file") << "a.txt" << qint64(5) << int(AttrReadOnly)
                                    << "R    a.txt              5" + QString(57, ' ');
    QTest::newRow("other attribute")
        << "x" << qint64(1) << 48 << "48   x                  1" + QString(54, ' ');
}

void TestFtpListing::listingLine()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(int, attributes);
    QFETCH(QString, line);
    QCOMPARE(tav::upload::listingLine({name, size, attributes}), line);
}

void TestFtpListing::longNamesKeepTheirText()
{
    // From 19 characters on, the size would touch or split the name: it moves behind it.
    const QString name19 = QStringLiteral("abcdefghijklmnopqrs");
    QVERIFY(
        tav::upload::listingLine({name19, 77, AttrNormal}).startsWith("N    " + name19 + " 77 "));
    const QString name30 = QStringLiteral("a_name_of_exactly_thirty_chars");
    QCOMPARE(name30.size(), 30);
    QVERIFY(tav::upload::listingLine({name30, 123456, AttrNormal})
                .startsWith("N    " + name30 + " 123456 "));
    // An 18-character name still gets the size at column 25.
    QCOMPARE(tav::upload::listingLine({QStringLiteral("abcdefghijklmnopqr"), 9, AttrNormal})
                 .indexOf("9"),
             24);
}

void TestFtpListing::customToFileName()
{
    QCOMPARE(
        tav::upload::customToFileName(tav::upload::listingLine({"index.html", 10, AttrNormal})),
        QStringLiteral("index.html"));
    QCOMPARE(tav::upload::customToFileName(QStringLiteral("D    images")), QString());
    QCOMPARE(tav::upload::customToFileName(QStringLiteral("N    my file.txt   3")),
             QStringLiteral("my"));
}

void TestFtpListing::parentDirectory_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("parent");
    QTest::newRow("deep") << "/pub/site/images"
                          << "/pub/site";
    QTest::newRow("one level") << "/pub"
                               << "";
    QTest::newRow("root") << "/"
                          << "";
    QTest::newRow("trailing slash") << "/pub/"
                                    << "/";
    QTest::newRow("blank in name") << "/my folder/sub dir"
                                   << "/my folder";
}

void TestFtpListing::parentDirectory()
{
    QFETCH(QString, dir);
    QFETCH(QString, parent);
    QCOMPARE(tav::upload::parentDirectory(dir), parent);
}

void TestFtpListing::parseListLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("code");
    QTest::newRow("unix directory")
        << "drwxr-xr-x   2 owner    group        4096 Jan 01 12:00 images"
        << "images" << qint64(4096) << "D";
    QTest::newRow("unix read-only directory") << "dr-xr-xr-x   2 root root 4096 Dec 09 22:56 locked"
                                              << "locked" << qint64(4096) << "17";
    QTest::newRow("unix file, year")
        << "-rw-r--r--   1 owner    group     5000000000 Mar  3  2019 big.dat"
        << "big.dat" << qint64(5000000000) << "N";
    QTest::newRow("unix blanks in name") << "-rw-r--r-- 1 1000 1000 12 Jun 10 09:30 my  file.txt"
                                         << "my  file.txt" << qint64(12) << "N";
    QTest::newRow("unix without group") << "-rw-r--r-- 1 ftp 7 Jun 10 09:30 a.txt"
                                        << "a.txt" << qint64(7) << "N";
    QTest::newRow("unix symlink") << "lrwxrwxrwx 1 u g 11 Jun 10 09:30 www -> public_html"
                                  << "www" << qint64(11) << "N";
    QTest::newRow("dos directory") << "01-16-02  11:14AM       <DIR>          epsgroup"
                                   << "epsgroup" << qint64(0) << "D";
    QTest::newRow("dos file with blank") << "06-05-2003  03:19PM              1973 read me.txt"
                                         << "read me.txt" << qint64(1973) << "N";
}

void TestFtpListing::parseListLine()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(QString, code);
    RemoteEntry entry;
    QVERIFY(tav::upload::parseListLine(line, &entry));
    QCOMPARE(entry.name, name);
    QCOMPARE(entry.size, size);
    QCOMPARE(attributeCode(entry.attributes), code);
    QCOMPARE(isDirectoryLine(tav::upload::listingLine(entry)), code != QLatin1String("N"));
}

void TestFtpListing::listingSkipsNonEntries()
{
    // A hostile or odd server must not hand over names that leave the local folder.
    const QByteArray listing = "total 12\r\n"
                               "drwxr-xr-x 2 u g 4096 Jan 01 12:00 .\r\n"
                               "drwxr-xr-x 2 u g 4096 Jan 01 12:00 ..\r\n"
                               "-rw-r--r-- 1 u g 10 Jan 01 12:00 ../../escape\r\n"
                               "garbage line\r\n"
                               "-rw-r--r-- 1 u g 10 Jan 01 12:00 caf\xc3\xa9.txt\r\n"
                               "\r\n";
    const QList<RemoteEntry> entries = parseListing(listing);
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().name, QString::fromUtf8("caf\xc3\xa9.txt"));
    // Latin-1 listings still give their names.
    QCOMPARE(parseListing("-rw-r--r-- 1 u g 10 Jan 01 12:00 caf\xe9.txt\n").first().name,
             QString::fromUtf8("caf\xc3\xa9.txt"));
}

void TestFtpListing::parseServer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("name") << "ftp.example.org" << true << "ftp.example.org" << 21;
    QTest::newRow("name and port") << "ftp.example.org:2121" << true << "ftp.example.org" << 2121;
    QTest::newRow("url") << " ftp://10.0.0.5:990/pub/ " << true << "10.0.0.5" << 990;
    QTest::newRow("v6 with port") << "[::1]:2121" << true << "::1" << 2121;
    QTest::newRow("bad port") << "host:99999" << false << "" << 0;
    QTest::newRow("letters as port") << "host:ftp" << false << "" << 0;
    QTest::newRow("empty") << "  " << false << "" << 0;
}

void TestFtpListing::parseServer()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const auto address = tav::upload::parseServer(text);
    QCOMPARE(address.has_value(), valid);
    if (valid) {
        QFETCH(QString, host);
        QFETCH(int, port);
        QCOMPARE(address->host, host);
        QCOMPARE(address->port, port);
    }
}

void TestFtpListing::historyReadsPairs()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("hist.tvx");
    QVERIFY(readSiteHistory(path).isEmpty()); // missing file: nothing, no error
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("ftp.a.org\tanna\r\n"
               "justahost.org\n"
               "\n"
               "ftp.a.org\tbert\n"
               "ftp.b.org\t\n");
    file.close();
    const QList<SitePair> pairs = readSiteHistory(path);
    QCOMPARE(pairs.size(), 4);
    QCOMPARE(pairs.at(0).host, QStringLiteral("ftp.a.org"));
    QCOMPARE(pairs.at(0).user, QStringLiteral("anna"));
    QCOMPARE(pairs.at(1).host, QStringLiteral("justahost.org")); // no tab: the whole line
    QCOMPARE(pairs.at(1).user, QString());
    QCOMPARE(usersForHost(pairs, "ftp.a.org"), QStringList({"anna", "bert"}));
    QCOMPARE(usersForHost(pairs, "FTP.A.ORG"), QStringList()); // exact comparison
}

void TestFtpListing::historyAppendsOneLinePerPair()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("hist.tvx");
    QVERIFY(ensureSiteHistory(path));
    QVERIFY(QFile::exists(path));
    QVERIFY(appendSitePair(path, {"ftp.a.org", "anna"}));
    QVERIFY(appendSitePair(path, {QString::fromUtf8("ftp.\xc3\xa9.org"), "bert"}));
    QVERIFY(!appendSitePair(path, {"bad\thost", "x"}));
    QVERIFY(!appendSitePair(path, {"host", "two\nlines"}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("ftp.a.org\tanna\nftp.\xc3\xa9.org\tbert\n"));
    QCOMPARE(readSiteHistory(path).at(1).host, QString::fromUtf8("ftp.\xc3\xa9.org"));
}

QTEST_GUILESS_MAIN(TestFtpListing)
#include "tst_ftplisting.moc"
