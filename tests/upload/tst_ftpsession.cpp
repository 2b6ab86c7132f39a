// TMyFtp against a real FTP server (pyftpdlib on 127.0.0.1): login, listing, directory
// changes and the parent rule, uploads, downloads, failures and their messages.

#include "FtpTestServer.h"
#include "MyFtp.h"

#include <QDir>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

using namespace tav::upload;
using tav::test::FtpTestServer;

namespace
{
const QString kThirtyChars = QStringLiteral("a_name_of_exactly_thirty_chars");

// The line of CurFiles whose recovered name is `name`.
QString lineFor(TMyFtp &ftp, const QString &name)
{
    for (const QString &line : ftp.CurFiles()) {
        QString copy = line;
        if (ftp.CustomToFileName(copy) == name)
            return line;
    }
    return {};
}
} // namespace

class TestFtpSession : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void connectReadsAndListsTheLoginDirectory();
    void backOneDir_data();
    void backOneDir();
    void changeDirRelativeAndRefresh();
    void changeDirFailureKeepsDirectory();
    void changeDirNeedsAConnection();
    void uploadTwoFilesShowsThemInTheListing();
    void downloadReplacesAnExistingLocalFile();
    void failedDownloadKeepsTheLocalFile();
    void uploadIntoWriteProtectedFolderReportsErrors();
    void wrongPasswordFailsAtConnectWithoutShowingIt();
    void failedReconnectKeepsTheEarlierConnection();
    void unusualNamesRoundTrip();
    void createRemoveAndDelete();
    void silentServerDoesNotHangConnect();

private:
    void connectTo(TMyFtp &ftp,
                   const QString &password = QString::fromLatin1(FtpTestServer::Password));

    FtpTestServer m_server;
    std::unique_ptr<QTemporaryDir> m_local;
    std::unique_ptr<TMyFtp> m_ftp;
    std::unique_ptr<QSignalSpy> m_reports;
};

void TestFtpSession::initTestCase()
{
    const QString root = m_server.root();
    QVERIFY(QDir(root).mkpath("pub/site/images"));
    QVERIFY(QDir(root).mkpath("my folder/inner"));
    QVERIFY(QDir(root).mkpath("trail/deeper"));
    QVERIFY(QDir(root).mkpath("locked"));
    QVERIFY(FtpTestServer::writeFile(root + "/pub/index.html", "<html></html>"));
    QVERIFY(FtpTestServer::writeFile(root + "/my file.txt", "blank in the name"));
    QVERIFY(FtpTestServer::writeFile(root + "/" + kThirtyChars, QByteArray(1000, 'z')));
    QVERIFY(FtpTestServer::writeFile(root + "/locked/readme.txt", "read only"));
    QVERIFY(QFile::setPermissions(root + "/locked", QFile::ReadOwner | QFile::ExeOwner |
                                                        QFile::ReadOther | QFile::ExeOther));
    QVERIFY(m_server.start());
}

void TestFtpSession::init()
{
    m_local = std::make_unique<QTemporaryDir>();
    m_ftp = std::make_unique<TMyFtp>();
    m_reports = std::make_unique<QSignalSpy>(m_ftp.get(), &TMyFtp::report);
}

void TestFtpSession::cleanup()
{
    m_reports.reset();
    m_ftp.reset();
    m_local.reset();
}

void TestFtpSession::connectTo(TMyFtp &ftp, const QString &password)
{
    ftp.setServer(m_server.host());
    ftp.setUserID(QString::fromLatin1(FtpTestServer::User));
    ftp.setPassword(password);
    ftp.Connect();
}

void TestFtpSession::connectReadsAndListsTheLoginDirectory()
{
    QSignalSpy newDir(m_ftp.get(), &TMyFtp::OnNewDir);
    QVERIFY(!m_ftp->isConnected());
    connectTo(*m_ftp);
    QVERIFY(m_ftp->isConnected());
    QCOMPARE(m_ftp->CurDir(), QStringLiteral("/"));
    QCOMPARE(newDir.count(), 1);
    QVERIFY(lineFor(*m_ftp, "pub").startsWith("D    pub "));
    QVERIFY(lineFor(*m_ftp, "locked").startsWith("17   locked ")); // read-only folder
    const QString file = lineFor(*m_ftp, "my file.txt");
    QVERIFY(file.startsWith("N    my file.txt"));
    QCOMPARE(file.mid(24).section(' ', 0, 0), QStringLiteral("17"));
    QCOMPARE(m_reports->count(), 0);
}

void TestFtpSession::backOneDir_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("result");
    QTest::newRow("deep") << "/pub/site/images"
                          << "/pub/site" << true;
    QTest::newRow("one level") << "/pub"
                               << "/" << true;
    QTest::newRow("root stays root") << "/"
                                     << "/" << true;
    QTest::newRow("blank in name") << "/my folder/inner"
                                   << "/my folder" << true;
    // This server reports the folder as "/trail/": its parent is "/", which stops the rule.
    QTest::newRow("trailing slash") << "/trail"
                                    << "/trail/" << false;
}

void TestFtpSession::backOneDir()
{
    QFETCH(QString, start);
    QFETCH(QString, after);
    QFETCH(bool, result);
    connectTo(*m_ftp);
    QVERIFY(m_ftp->ChangeDir(start));
    QSignalSpy newDir(m_ftp.get(), &TMyFtp::OnNewDir);
    QCOMPARE(m_ftp->BackOneDir(), result);
    QCOMPARE(m_ftp->CurDir(), after);
    QCOMPARE(newDir.count(), result ? 1 : 0);
    QCOMPARE(m_reports->count(), 0);
}

void TestFtpSession::changeDirRelativeAndRefresh()
{
    connectTo(*m_ftp);
    QVERIFY(m_ftp->ChangeDir("pub"));
    QCOMPARE(m_ftp->CurDir(), QStringLiteral("/pub"));
    QVERIFY(m_ftp->ChangeDirCustom(lineFor(*m_ftp, "site")));
    QCOMPARE(m_ftp->CurDir(), QStringLiteral("/pub/site"));
    QVERIFY(lineFor(*m_ftp, "fresh.txt").isEmpty());

    // An empty name reads the same directory again and announces it.
    QVERIFY(FtpTestServer::writeFile(m_server.rootPath("pub/site/fresh.txt"), "new"));
    QSignalSpy newDir(m_ftp.get(), &TMyFtp::OnNewDir);
    QVERIFY(m_ftp->ChangeDir(QString()));
    QCOMPARE(newDir.count(), 1);
    QCOMPARE(m_ftp->CurDir(), QStringLiteral("/pub/site"));
    QVERIFY(!lineFor(*m_ftp, "fresh.txt").isEmpty());
}

void TestFtpSession::changeDirFailureKeepsDirectory()
{
    connectTo(*m_ftp);
    QVERIFY(m_ftp->ChangeDir("/pub"));
    const QStringList listing = m_ftp->CurFiles();
    QVERIFY(!m_ftp->ChangeDir("nope"));
    QVERIFY(!m_ftp->ChangeDirCustom(lineFor(*m_ftp, "index.html"))); // a file, not a folder
    QCOMPARE(m_reports->count(), 2);
    QCOMPARE(m_reports->at(0).at(0).toString(), QStringLiteral("Could not change to: nope"));
    QCOMPARE(m_reports->at(1).at(0).toString(), QStringLiteral("Could not change to: index.html"));
    QCOMPARE(m_ftp->CurDir(), QStringLiteral("/pub"));
    QCOMPARE(m_ftp->CurFiles(), listing);
}

void TestFtpSession::changeDirNeedsAConnection()
{
    try {
        m_ftp->ChangeDir("pub");
        QFAIL("ChangeDir worked without a connection");
    } catch (const FtpError &error) {
        QCOMPARE(error.message(), QStringLiteral("You must connect first!"));
    }
}

void TestFtpSession::uploadTwoFilesShowsThemInTheListing()
{
    // Binary content: line ends and zero bytes must arrive untouched.
    const QByteArray first("line one\r\nline two\n\0\x01\xff", 23);
    const QByteArray second(70000, '\x7f');
    QVERIFY(FtpTestServer::writeFile(m_local->filePath("first.dat"), first));
    QVERIFY(FtpTestServer::writeFile(m_local->filePath("second.bin"), second));
    connectTo(*m_ftp);
    QVERIFY(m_ftp->ChangeDir("/pub/site"));
    QVERIFY(m_ftp->SendFile1(m_local->filePath("first.dat"), "first.dat"));
    QVERIFY(m_ftp->SendFile1(m_local->filePath("second.bin"), "second.bin"));
    m_ftp->FindFiles();
    QVERIFY(lineFor(*m_ftp, "first.dat").startsWith("N    first.dat"));
    QCOMPARE(lineFor(*m_ftp, "second.bin").mid(24).section(' ', 0, 0), QStringLiteral("70000"));
    QCOMPARE(FtpTestServer::readFile(m_server.rootPath("pub/site/first.dat")), first);
    QCOMPARE(FtpTestServer::readFile(m_server.rootPath("pub/site/second.bin")), second);
    QCOMPARE(m_reports->count(), 0);
}

void TestFtpSession::downloadReplacesAnExistingLocalFile()
{
    QVERIFY(
        FtpTestServer::writeFile(m_local->filePath("index.html"), "an older, longer local copy"));
    connectTo(*m_ftp);
    QVERIFY(m_ftp->ChangeDir("/pub"));
    QVERIFY(m_ftp->GetFile("index.html", m_local->filePath("index.html")));
    QCOMPARE(FtpTestServer::readFile(m_local->filePath("index.html")), QByteArray("<html></html>"));
}

void TestFtpSession::failedDownloadKeepsTheLocalFile()
{
    QVERIFY(FtpTestServer::writeFile(m_local->filePath("missing.txt"), "keep me"));
    connectTo(*m_ftp);
    QVERIFY(!m_ftp->GetFile("missing.txt", m_local->filePath("missing.txt")));
    QVERIFY(!m_ftp->GetFile("pub", m_local->filePath("pub"))); // a folder is no file
    QCOMPARE(FtpTestServer::readFile(m_local->filePath("missing.txt")), QByteArray("keep me"));
    QVERIFY(!QFile::exists(m_local->filePath("pub")));
}

void TestFtpSession::uploadIntoWriteProtectedFolderReportsErrors()
{
    QVERIFY(FtpTestServer::writeFile(m_local->filePath("page.html"), "<p>x</p>"));
    connectTo(*m_ftp);
    QVERIFY(m_ftp->ChangeDir("/locked"));
    QVERIFY(!m_ftp->SendFile1(m_local->filePath("page.html"), "page.html"));
    QCOMPARE(m_reports->count(), 2);
    // libcurl's error (25, upload failed), then the server's reply code and text.
    QCOMPARE(m_reports->at(0).at(0).toString(), QStringLiteral("Error Number: 25. Hex: 19"));
    const QString info = m_reports->at(1).at(0).toString();
    QVERIFY2(info.startsWith("Error Number: 550. Hex: 226 Info: 550 "), qPrintable(info));
    QVERIFY(!QFile::exists(m_server.rootPath("locked/page.html")));

    // A local file that cannot be read fails the same visible way.
    m_reports->clear();
    QVERIFY(!m_ftp->SendFile1(m_local->filePath("absent.html"), "absent.html"));
    QCOMPARE(m_reports->count(), 2);
    QVERIFY(m_reports->at(1).at(0).toString().contains("absent.html"));
}

void TestFtpSession::wrongPasswordFailsAtConnectWithoutShowingIt()
{
    const QString wrong = QStringLiteral("Wr0ng-Secret");
    try {
        connectTo(*m_ftp, wrong);
        QFAIL("a wrong password connected");
    } catch (const FtpError &error) {
        const QString text = error.message();
        QVERIFY2(
            text.startsWith("Connection failed\nServer: " + m_server.host() + "\nUserID: tester\n"),
            qPrintable(text));
        QVERIFY(!text.contains(wrong));
        QVERIFY(!text.contains("Password"));
    }
    QVERIFY(!m_ftp->isConnected());
}

void TestFtpSession::failedReconnectKeepsTheEarlierConnection()
{
    connectTo(*m_ftp);
    QVERIFY(m_ftp->ChangeDir("/pub"));
    QVERIFY_THROWS_EXCEPTION(FtpError, connectTo(*m_ftp, "wrong"));
    QVERIFY(m_ftp->isConnected());
    QVERIFY(m_ftp->ChangeDir("site"));
    QCOMPARE(m_ftp->CurDir(), QStringLiteral("/pub/site"));
}

void TestFtpSession::unusualNamesRoundTrip()
{
    connectTo(*m_ftp);
    // The listing line alone cannot give these names back; the session keeps them.
    for (const QString &name : {QStringLiteral("my file.txt"), kThirtyChars}) {
        QString line = lineFor(*m_ftp, name);
        QVERIFY2(!line.isEmpty(), qPrintable(name));
        QCOMPARE(m_ftp->CustomToFileName(line), name);
        QCOMPARE(line, name); // the line itself is replaced by the name
        QVERIFY(m_ftp->GetFile(name, m_local->filePath(name)));
        QCOMPARE(FtpTestServer::readFile(m_local->filePath(name)),
                 FtpTestServer::readFile(m_server.rootPath(name)));
    }
    QVERIFY(m_ftp->ChangeDirCustom(lineFor(*m_ftp, "my folder")));
    QCOMPARE(m_ftp->CurDir(), QStringLiteral("/my folder"));
    QVERIFY(!lineFor(*m_ftp, "inner").isEmpty());
}

void TestFtpSession::createRemoveAndDelete()
{
    connectTo(*m_ftp);
    QVERIFY(m_ftp->ChangeDir("/pub"));
    QVERIFY(m_ftp->CreateDirectory("made here"));
    QVERIFY(QFileInfo(m_server.rootPath("pub/made here")).isDir());
    m_ftp->FindFiles();
    QVERIFY(m_ftp->RemoveDirCustom(lineFor(*m_ftp, "made here")));
    QVERIFY(!QFileInfo::exists(m_server.rootPath("pub/made here")));

    QVERIFY(FtpTestServer::writeFile(m_server.rootPath("pub/old page.html"), "old"));
    m_ftp->FindFiles();
    QVERIFY(m_ftp->DeleteFileCustom(lineFor(*m_ftp, "old page.html")));
    QVERIFY(!QFileInfo::exists(m_server.rootPath("pub/old page.html")));

    QVERIFY(!m_ftp->DeleteFile("never there.txt"));
    QVERIFY(!m_ftp->RemoveDir("never there"));
    QVERIFY(!m_ftp->CreateDirectory("two\r\nDELE index.html")); // one command only
    QVERIFY(QFile::exists(m_server.rootPath("pub/index.html")));
    QVERIFY(m_ftp->ChangeDir("/locked"));
    QVERIFY(!m_ftp->CreateDirectory("sub"));
    QVERIFY(!m_ftp->DeleteFile("readme.txt"));
    QCOMPARE(m_reports->count(), 0);
}

void TestFtpSession::silentServerDoesNotHangConnect()
{
    // Accepts the connection and never greets: the timeouts must end the wait (a hang
    // here runs into the test's own timeout).
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    m_ftp->setTimeouts(2, 2);
    m_ftp->setServer(QStringLiteral("127.0.0.1:%1").arg(silent.serverPort()));
    m_ftp->setUserID("tester");
    m_ftp->setPassword("x");
    QVERIFY_THROWS_EXCEPTION(FtpError, m_ftp->Connect());
    QVERIFY(!m_ftp->isConnected());
}

QTEST_GUILESS_MAIN(TestFtpSession)
#include "tst_ftpsession.moc"
