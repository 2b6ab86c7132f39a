// The upload window and its connect dialog, driven like a user would, against a real
// FTP server (pyftpdlib on 127.0.0.1). Ends with a screenshot of the connected window.

#include "DialogDriver.h"
#include "FTPNames.h"
#include "Form1.h"
#include "FtpTestServer.h"
#include "Launcher.h"
#include "MyFtp.h"
#include "RemoteList.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace tav::upload;
using tav::test::FtpTestServer;

namespace
{
template <typename T> T *child(QWidget *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

QStringList itemTexts(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Selects exactly the named entries of the local file list.
void selectLocal(Form1 &w, const QStringList &names)
{
    auto *files = child<QListWidget>(&w, "flbFileList");
    files->clearSelection();
    for (int i = 0; i < files->count(); ++i)
        if (names.contains(files->item(i)->text()))
            files->item(i)->setSelected(true);
}

// The remote list item whose entry has this exact name.
QListWidgetItem *remoteItem(Form1 &w, const QString &name)
{
    auto *list = child<QListWidget>(&w, "ListBox1");
    for (int i = 0; i < list->count(); ++i) {
        QString line = list->item(i)->text();
        if (w.ftp()->CustomToFileName(line) == name)
            return list->item(i);
    }
    return nullptr;
}

void fillConnectDialog(TFTPNames *d, const QString &host, const QString &user,
                       const QString &password)
{
    child<QComboBox>(d, "edtHostName")->setEditText(host);
    child<QComboBox>(d, "edtUserName")->setEditText(user);
    child<QLineEdit>(d, "edtPass")->setText(password);
}
} // namespace

class TestUploadWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsInTheGivenFolder_data();
    void startsInTheGivenFolder();
    void connectFillsTheRemoteList();
    void remoteNavigation();
    void uploadAndDownloadSelectedFiles();
    void failedUploadShowsErrorMessages();
    void wrongPasswordShowsConnectionFailed();
    void disconnectClearsTheListButUploadStillWorks();
    void previewAndView();
    void historyWritesEachPairOnce();
    void connectDialogOffersTheUsersOfAHost();
    void connectDialogKeys();
    void helpOpensTheShippedHelp();
    void screenshotOfTheConnectedWindow();

private:
    void connectWindow(Form1 &w,
                       const QString &password = QString::fromLatin1(FtpTestServer::Password),
                       const QString &user = QString::fromLatin1(FtpTestServer::User));
    QString history() const;

    FtpTestServer m_server;
    std::unique_ptr<tav::test::TestEnvironment> m_env;
    QString m_local;
    QStringList m_opened;
};

void TestUploadWindow::initTestCase()
{
    const QString root = m_server.root();
    QVERIFY(QDir(root).mkpath("pub/site/images"));
    QVERIFY(QDir(root).mkpath("locked"));
    QVERIFY(FtpTestServer::writeFile(root + "/pub/index.html", "<html>site</html>"));
    QVERIFY(FtpTestServer::writeFile(root + "/pub/site/index.html", "<html>home</html>"));
    QVERIFY(FtpTestServer::writeFile(root + "/pub/site/people.txt", QByteArray(2048, 'p')));
    QVERIFY(FtpTestServer::writeFile(root + "/pub/site/a photo of the team.jpg",
                                     QByteArray(5120, 'j')));
    QVERIFY(QFile::setPermissions(root + "/locked", QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(m_server.start());
}

void TestUploadWindow::init()
{
    m_env = std::make_unique<tav::test::TestEnvironment>();
    m_local = m_env->path("local");
    QVERIFY(QDir().mkpath(m_local));
    for (const char *name : {"a.txt", "b.html", "c.dat", "notes.md"})
        QVERIFY(FtpTestServer::writeFile(m_local + '/' + name, QByteArray("content of ") + name));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(m_local + "/pic.jpg", "JPG"));
    m_opened.clear();
    tav::Launcher::setUrlOpener([this](const QString &path) {
        m_opened << path;
        return true;
    });
}

void TestUploadWindow::cleanup()
{
    tav::Launcher::setUrlOpener({});
    m_env->verify();
    m_env.reset();
}

void TestUploadWindow::connectWindow(Form1 &w, const QString &password, const QString &user)
{
    const QString host = m_server.host();
    tav::test::onModal<TFTPNames>([=](TFTPNames *d) {
        fillConnectDialog(d, host, user, password);
        child<QPushButton>(d, "btnConnect")->click();
    });
    w.bbConnectClick();
}

QString TestUploadWindow::history() const
{
    return QString::fromUtf8(FtpTestServer::readFile(m_env->path("hist.tvx")));
}

void TestUploadWindow::startsInTheGivenFolder_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected"); // "home", "cwd" or "local"
    QTest::newRow("c: is the home folder") << "c:"
                                           << "home";
    QTest::newRow("no argument") << ""
                                 << "cwd";
    QTest::newRow("missing folder") << "/no/such/folder"
                                    << "cwd";
    QTest::newRow("a folder") << "local"
                              << "local";
}

void TestUploadWindow::startsInTheGivenFolder()
{
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    Form1 w(argument == QLatin1String("local") ? m_local : argument);
    const QString want = expected == QLatin1String("home")  ? QDir::homePath()
                         : expected == QLatin1String("cwd") ? m_env->dataDir()
                                                            : m_local;
    QCOMPARE(
        child<QTreeWidget>(&w, "dlbDirectory")->currentItem()->data(0, Qt::UserRole).toString(),
        QFileInfo(want).canonicalFilePath());
    QVERIFY(QFile::exists(m_env->path("hist.tvx")));
    if (expected != QLatin1String("local"))
        return;
    // The default mask, everything selected, nothing previewed yet.
    auto *files = child<QListWidget>(&w, "flbFileList");
    QCOMPARE(itemTexts(files), QStringList({"a.txt", "b.html", "c.dat", "pic.jpg"}));
    QCOMPARE(files->selectedItems().size(), 4);
    QVERIFY(!child<QPushButton>(&w, "bShow")->isEnabled());
    QVERIFY(!child<QPushButton>(&w, "BToSite")->isEnabled());
    child<QComboBox>(&w, "FilterComboBox1")->setCurrentIndex(1); // "All files"
    QCOMPARE(files->count(), 5);
}

void TestUploadWindow::connectFillsTheRemoteList()
{
    Form1 w(m_local);
    connectWindow(w);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrionex FTP ->> /"));
    // Sorted by line text: the read-only folder's "17" first, then folders, then files.
    const QStringList lines = itemTexts(child<QListWidget>(&w, "ListBox1"));
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines.at(0).startsWith("17   locked "));
    QVERIFY(lines.at(1).startsWith("D    pub "));
    for (const char *name : {"BToSite", "BFromSite"})
        QVERIFY(child<QPushButton>(&w, name)->isEnabled());
    QVERIFY(child<QToolButton>(&w, "spbBackOneDir")->isEnabled());
    QCOMPARE(history(), m_server.host() + "\ttester\n");
}

void TestUploadWindow::remoteNavigation()
{
    Form1 w(m_local);
    connectWindow(w);
    auto *list = child<QListWidget>(&w, "ListBox1");
    list->setCurrentItem(remoteItem(w, "pub"));
    w.ListBox1DblClick();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrionex FTP ->> /pub"));
    list->setCurrentItem(remoteItem(w, "site"));
    QTest::keyClick(list, Qt::Key_Return); // Enter opens like a double-click
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrionex FTP ->> /pub/site"));
    QVERIFY(remoteItem(w, "a photo of the team.jpg"));

    m_env->messages().answer(tav::MsgOk);
    list->setCurrentItem(remoteItem(w, "people.txt"));
    w.ListBox1DblClick();
    QCOMPARE(m_env->messages().lastText(), QStringLiteral("Could not change to: people.txt"));

    child<QToolButton>(&w, "spbBackOneDir")->click();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrionex FTP ->> /pub"));
    child<QToolButton>(&w, "spbBackOneDir")->click();
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrionex FTP ->> /"));
}

void TestUploadWindow::uploadAndDownloadSelectedFiles()
{
    Form1 w(m_local);
    connectWindow(w);
    QVERIFY(w.ftp()->ChangeDir("/pub"));
    selectLocal(w, {"a.txt", "c.dat"});
    child<QPushButton>(&w, "BToSite")->click();
    QVERIFY(remoteItem(w, "a.txt"));
    QVERIFY(remoteItem(w, "c.dat"));
    QCOMPARE(FtpTestServer::readFile(m_server.rootPath("pub/a.txt")),
             QByteArray("content of a.txt"));

    // Download over a changed local copy, and one file that is new locally.
    QVERIFY(FtpTestServer::writeFile(m_local + "/a.txt", "changed locally"));
    auto *list = child<QListWidget>(&w, "ListBox1");
    list->clearSelection();
    remoteItem(w, "a.txt")->setSelected(true);
    remoteItem(w, "index.html")->setSelected(true);
    child<QPushButton>(&w, "BFromSite")->click();
    QCOMPARE(FtpTestServer::readFile(m_local + "/a.txt"), QByteArray("content of a.txt"));
    QCOMPARE(FtpTestServer::readFile(m_local + "/index.html"), QByteArray("<html>site</html>"));
    QVERIFY(itemTexts(child<QListWidget>(&w, "flbFileList")).contains("index.html"));

    // A folder cannot be downloaded: said so, and the loop goes on.
    m_env->messages().answer(tav::MsgOk);
    list->clearSelection();
    remoteItem(w, "site")->setSelected(true);
    child<QPushButton>(&w, "BFromSite")->click();
    QCOMPARE(m_env->messages().lastText(), QStringLiteral("Could not download: site"));
}

void TestUploadWindow::failedUploadShowsErrorMessages()
{
    Form1 w(m_local);
    connectWindow(w);
    QVERIFY(w.ftp()->ChangeDir("/locked"));
    selectLocal(w, {"a.txt", "b.html"});
    for (int i = 0; i < 4; ++i)
        m_env->messages().answer(tav::MsgOk);
    child<QPushButton>(&w, "BToSite")->click();
    const QStringList texts = m_env->messages().texts();
    QCOMPARE(texts.size(), 4); // two per file, and the second file was tried too
    for (const QString &text : texts)
        QVERIFY2(text.startsWith("Error Number: "), qPrintable(text));
    QVERIFY(texts.at(1).contains("Info: 550"));
    QVERIFY(QDir(m_server.rootPath("locked")).entryList(QDir::Files).isEmpty());
}

void TestUploadWindow::wrongPasswordShowsConnectionFailed()
{
    Form1 w(m_local);
    m_env->messages().answer(tav::MsgOk);
    connectWindow(w, "not-the-password");
    const tav::MessageRequest shown = m_env->messages().shown().last();
    QVERIFY2(
        shown.text.startsWith("Connection failed\nServer: " + m_server.host() + "\nUserID: tester"),
        qPrintable(shown.text));
    QVERIFY(!shown.text.contains("not-the-password"));
    QCOMPARE(shown.icon, tav::MsgIcon::Critical);
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrionex FTP"));
    QVERIFY(!child<QPushButton>(&w, "BToSite")->isEnabled());
    QVERIFY(!w.ftp()->isConnected());
}

void TestUploadWindow::disconnectClearsTheListButUploadStillWorks()
{
    Form1 w(m_local);
    connectWindow(w);
    QVERIFY(w.ftp()->ChangeDir("/pub/site/images"));
    child<QPushButton>(&w, "bbDiconnect")->click();
    QCOMPARE(child<QListWidget>(&w, "ListBox1")->count(), 0);
    QVERIFY(!child<QToolButton>(&w, "spbBackOneDir")->isEnabled());
    QVERIFY(child<QPushButton>(&w, "BToSite")->isEnabled());
    selectLocal(w, {"pic.jpg"});
    child<QPushButton>(&w, "BToSite")->click();
    QVERIFY(QFile::exists(m_server.rootPath("pub/site/images/pic.jpg")));
    QVERIFY(remoteItem(w, "pic.jpg"));
}

void TestUploadWindow::previewAndView()
{
    Form1 w(m_local);
    w.show();
    auto *preview = child<PicturePreview>(&w, "Image1");
    QVERIFY(preview->isHidden());
    // A text file and a picture selected: the picture is shown.
    selectLocal(w, {"a.txt", "pic.jpg"});
    QVERIFY(child<QPushButton>(&w, "bShow")->isEnabled());
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->image().size(), QSize(40, 30));
    selectLocal(w, {"a.txt"});
    QVERIFY(preview->isHidden());

    selectLocal(w, {"a.txt", "b.html"});
    child<QPushButton>(&w, "bShow")->click();
    QCOMPARE(m_opened, QStringList({m_local + "/a.txt", m_local + "/b.html"}));
}

void TestUploadWindow::historyWritesEachPairOnce()
{
    Form1 w(m_local);
    connectWindow(w);
    connectWindow(w);
    QCOMPARE(history(), m_server.host() + "\ttester\n");
    // A new user for a known host is remembered even when its login fails.
    m_env->messages().answer(tav::MsgOk);
    connectWindow(w, "whatever", "webmaster");
    QCOMPARE(history(), m_server.host() + "\ttester\n" + m_server.host() + "\twebmaster\n");
    QCOMPARE(w.connectDialog()->lsite(), QStringList({m_server.host(), m_server.host()}));
    QCOMPARE(w.connectDialog()->luser(), QStringList({"tester", "webmaster"}));
    QVERIFY(!history().contains("whatever"));
    QVERIFY(!history().contains(QString::fromLatin1(FtpTestServer::Password)));
}

void TestUploadWindow::connectDialogOffersTheUsersOfAHost()
{
    QVERIFY(FtpTestServer::writeFile(m_env->path("hist.tvx"),
                                     "ftp.a.org\tanna\r\nno-tab-host.org\nftp.a.org\tbert\n"));
    Form1 w(m_local);
    QStringList hosts, users;
    QString password, user;
    bool sawDialog = false;
    tav::test::onModal<TFTPNames>([&](TFTPNames *d) {
        sawDialog = true;
        auto *host = child<QComboBox>(d, "edtHostName");
        for (int i = 0; i < host->count(); ++i)
            hosts << host->itemText(i);
        child<QLineEdit>(d, "edtPass")->setText("typed before");
        host->setCurrentIndex(host->findText("ftp.a.org"));
        auto *userBox = child<QComboBox>(d, "edtUserName");
        for (int i = 0; i < userBox->count(); ++i)
            users << userBox->itemText(i);
        user = userBox->currentText();
        password = child<QLineEdit>(d, "edtPass")->text();
        QCOMPARE(d->lsite(), QStringList({"ftp.a.org", "no-tab-host.org", "ftp.a.org"}));
        QCOMPARE(d->luser(), QStringList({"anna", "", "bert"}));
        d->reject();
    });
    w.bbConnectClick();
    QVERIFY(sawDialog);
    QCOMPARE(hosts, QStringList({"ftp.a.org", "no-tab-host.org"}));
    QCOMPARE(users, QStringList({"anna", "bert"}));
    QCOMPARE(user, QStringLiteral("anna"));
    QCOMPARE(password, QString());
    QVERIFY(!w.ftp()->isConnected());
}

void TestUploadWindow::connectDialogKeys()
{
    Form1 w(m_local);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Escape cancels: nothing is connected or remembered.
    tav::test::onModal<TFTPNames>([this](TFTPNames *d) {
        fillConnectDialog(d, m_server.host(), "tester", "x");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    w.bbConnectClick();
    QVERIFY(!w.ftp()->isConnected());
    QCOMPARE(history(), QString());

    // Enter in the host box accepts the dialog.
    const QString password = QString::fromLatin1(FtpTestServer::Password);
    tav::test::onModal<TFTPNames>([this, password](TFTPNames *d) {
        fillConnectDialog(d, m_server.host(), "tester", password);
        auto *host = child<QComboBox>(d, "edtHostName");
        host->setFocus();
        QTest::keyClick(host->lineEdit(), Qt::Key_Return);
    });
    w.bbConnectClick();
    QVERIFY(w.ftp()->isConnected());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tavrionex FTP ->> /"));
}

void TestUploadWindow::helpOpensTheShippedHelp()
{
    Form1 w(m_local);
    w.findChild<QAction *>("Help1")->trigger();
    QCOMPARE(m_opened.size(), 1);
    QVERIFY(m_opened.first().endsWith("/help/index.html"));
    QVERIFY(QFile::exists(m_opened.first()));
}

void TestUploadWindow::screenshotOfTheConnectedWindow()
{
    Form1 w(m_local);
    w.resize(900, 560);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    connectWindow(w);
    QVERIFY(w.ftp()->ChangeDir("/pub/site"));
    selectLocal(w, {"a.txt", "pic.jpg"});
    auto *list = child<QListWidget>(&w, "ListBox1");
    list->setCurrentItem(remoteItem(w, "index.html"));
    QTest::qWait(200);
    const QString path =
        QDir(QCoreApplication::applicationDirPath()).filePath("../upload-window.png");
    QVERIFY(w.grab().save(path));
    qInfo("screenshot: %s", qPrintable(QFileInfo(path).canonicalFilePath()));
}

QTEST_MAIN(TestUploadWindow)
#include "tst_uploadwindow.moc"
