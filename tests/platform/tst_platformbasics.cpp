// Settings store, drive-root mapping, instance lock and the message-box seam.

#include "DriveRoot.h"
#include "InstanceLock.h"
#include "MessageBoxes.h"
#include "PasswordHash.h"
#include "Settings.h"
#include "TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUuid>

#include <cstdio>
#include <memory>

using namespace tav;

namespace
{
// The test binary started with this variable set only takes the named lock and waits,
// so a test can hold a lock in another process and kill it.
const char kHoldLockVariable[] = "TAV_HOLD_LOCK";

QString uniqueLockName()
{
    return QStringLiteral("tavtest-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}
} // namespace

class TestPlatformBasics : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_env = std::make_unique<test::TestEnvironment>(); }
    void cleanup()
    {
        m_env->verify();
        m_env.reset();
    }

    void settingsMissingValuesAreAbsent()
    {
        QVERIFY(!Settings::readInt(QStringLiteral("Maximized")).has_value());
        QVERIFY(!Settings::readString(QStringLiteral("LastData")).has_value());
    }

    void settingsRoundTrip()
    {
        Settings::writeInt(QStringLiteral("Maximized"), 1);
        Settings::writeInt(QStringLiteral("Left"), -40);
        Settings::writeString(QStringLiteral("LastData"), QStringLiteral("CLIENTS"));
        QVERIFY(Settings::sync());

        QCOMPARE(Settings::readInt(QStringLiteral("Maximized")), std::optional<int>(1));
        QCOMPARE(Settings::readInt(QStringLiteral("Left")), std::optional<int>(-40));
        QCOMPARE(Settings::readString(QStringLiteral("LastData")),
                 std::optional<QString>(QStringLiteral("CLIENTS")));
        // A text where a number is expected is an unreadable value, not 0.
        QCOMPARE(Settings::readInt(QStringLiteral("LastData")), std::optional<int>());

        // The values are on disk, under the settings key's group.
        QSettings onDisk(m_env->settingsFile(), QSettings::IniFormat);
        QCOMPARE(onDisk.value(QStringLiteral("Win4/LastData")).toString(),
                 QStringLiteral("CLIENTS"));
        QCOMPARE(onDisk.value(QStringLiteral("Win4/Maximized")).toInt(), 1);
    }

    void settingsSyncReportsUnwritableStore()
    {
        // A regular file where the settings folder should be: nothing can be written.
        QFile blocker(m_env->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Settings::setFilePath(m_env->path(QStringLiteral("blocker/Tavrionex.ini")));
        Settings::writeInt(QStringLiteral("displayw"), 1);
        QVERIFY(!Settings::sync());
        QVERIFY(!Settings::readInt(QStringLiteral("displayw")).has_value());
        Settings::setFilePath(m_env->settingsFile());
    }

    void shortDatePatternFromLocaleUnlessStored()
    {
        QCOMPARE(Settings::shortDatePattern(), QLocale::system().dateFormat(QLocale::ShortFormat));
        {
            QSettings onDisk(m_env->settingsFile(), QSettings::IniFormat);
            onDisk.setValue(QStringLiteral("International/sShortDate"),
                            QStringLiteral("dd.MM.yyyy"));
        }
        QCOMPARE(Settings::shortDatePattern(), QStringLiteral("dd.MM.yyyy"));
    }

    void driveRoot_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        const QString home = QDir::homePath();
        QTest::newRow("drive alone") << "c:" << home;
        QTest::newRow("drive root") << "c:\\" << home;
        QTest::newRow("upper-case drive root") << "C:\\" << home;
        QTest::newRow("report file") << "c:\\report.html" << home + "/report.html";
        QTest::newRow("nested, upper case") << "C:\\a\\b.txt" << home + "/a/b.txt";
        QTest::newRow("forward slashes") << "c:/aaa.bmp" << home + "/aaa.bmp";
        QTest::newRow("relative file") << "memo.txt"
                                       << "memo.txt";
        QTest::newRow("relative with backslash") << "sub\\memo.txt"
                                                 << "sub/memo.txt";
        QTest::newRow("absolute Linux path") << "/tmp/x.txt"
                                             << "/tmp/x.txt";
    }

    void driveRoot()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(mapDrivePath(path), expected);
    }

    void secondLockFailsWhileFirstIsHeld()
    {
        const QString name = uniqueLockName();
        auto first = std::make_unique<InstanceLock>(name);
        QVERIFY(first->tryLock());
        InstanceLock second(name);
        QVERIFY(!second.tryLock());
        first.reset(); // the first run ends
        QVERIFY(second.tryLock());
    }

    void lockOfAnotherProcessHoldsUntilItDies()
    {
        const QString name = uniqueLockName();
        QProcess holder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kHoldLockVariable), name);
        holder.setProcessEnvironment(env);
        holder.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

        InstanceLock mine(name);
        QVERIFY(!mine.tryLock()); // a live owner keeps it

        holder.kill(); // SIGKILL: the lock file stays behind, naming a dead process
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(QFile::exists(mine.path()));
        QVERIFY(mine.tryLock()); // the stale lock is taken over
    }

    void messageBoxRequestsReachTheHandler()
    {
        QApplication::setApplicationDisplayName(QStringLiteral("Tavrionex 4"));
        test::MessageQueue &queue = m_env->messages();
        queue.answer(MsgOk);
        MessageBoxes::showMessage(QStringLiteral("Application Already Running"));
        queue.answer(MsgOk);
        MessageBoxes::information(QStringLiteral("NO RECORD !!!"));
        queue.answer(MsgNo);
        const int answer =
            MessageBoxes::ask(nullptr, QStringLiteral("Save now?"), QStringLiteral("Warning"),
                              MsgIcon::Warning, MsgYes | MsgNo | MsgCancel);
        QCOMPARE(answer, int(MsgNo));

        const QList<MessageRequest> &shown = queue.shown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].caption, QStringLiteral("Tavrionex 4"));
        QCOMPARE(shown[0].icon, MsgIcon::None);
        QCOMPARE(shown[0].buttons, int(MsgOk));
        QCOMPARE(shown[1].icon, MsgIcon::Information);
        QCOMPARE(shown[2].caption, QStringLiteral("Warning"));
        QCOMPARE(shown[2].icon, MsgIcon::Warning);
        QCOMPARE(shown[2].buttons, int(MsgYes | MsgNo | MsgCancel));
        QCOMPARE(queue.texts(),
                 QStringList({"Application Already Running", "NO RECORD !!!", "Save now?"}));
    }

    void realMessageBoxMapsButtons_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press"); // a QMessageBox::StandardButton, or 0 for Escape
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("expected");
        const int ync = MsgYes | MsgNo | MsgCancel;
        QTest::newRow("yes") << ync << int(QMessageBox::Yes) << int(QMessageBox::Yes)
                             << int(MsgYes);
        QTest::newRow("no") << ync << int(QMessageBox::No) << int(QMessageBox::Yes) << int(MsgNo);
        QTest::newRow("cancel") << ync << int(QMessageBox::Cancel) << int(QMessageBox::Yes)
                                << int(MsgCancel);
        QTest::newRow("escape cancels") << ync << 0 << int(QMessageBox::Yes) << int(MsgCancel);
        QTest::newRow("ok") << int(MsgOk) << int(QMessageBox::Ok) << int(QMessageBox::Ok)
                            << int(MsgOk);
        QTest::newRow("yes/no: no")
            << int(MsgYes | MsgNo) << int(QMessageBox::No) << int(QMessageBox::Yes) << int(MsgNo);
    }

    void realMessageBoxMapsButtons()
    {
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, defaultButton);
        QFETCH(int, expected);
        MessageBoxes::setHandler({}); // the real dialog
        QString seenText, seenCaption;
        int seenDefault = -1;
        QTimer::singleShot(0, [&]() {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            seenText = box->text();
            seenCaption = box->windowTitle();
            seenDefault = box->defaultButton() ? int(box->standardButton(box->defaultButton())) : 0;
            if (press)
                box->button(QMessageBox::StandardButton(press))->click();
            else
                QTest::keyClick(box, Qt::Key_Escape);
        });
        const int answer = MessageBoxes::ask(nullptr, QStringLiteral("Question?"),
                                             QStringLiteral("Warning"), MsgIcon::Warning, buttons);
        QCOMPARE(seenText, QStringLiteral("Question?"));
        QCOMPARE(seenCaption, QStringLiteral("Warning"));
        QCOMPARE(seenDefault, defaultButton);
        QCOMPARE(answer, expected);
    }

    void passwordHashes_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");
        QTest::newRow("same") << "Tulip-42" << "Tulip-42" << true;
        QTest::newRow("other case") << "Tulip-42" << "tulip-42" << false;
        QTest::newRow("empty") << "" << "" << true;
        QTest::newRow("empty typed") << "Lily7" << "" << false;
        QTest::newRow("non-Latin") << "пароль€" << "пароль€" << true;
        QTest::newRow("looks like a hash") << "pbkdf2-sha256$1$AA==$AA==" << "pbkdf2-sha256$1$AA==$AA==" << true;
    }
    void passwordHashes()
    {
        QFETCH(QString, password);
        QFETCH(QString, typed);
        QFETCH(bool, matches);
        const QString stored = password::hash(password);
        QVERIFY(stored.size() <= 100);
        QVERIFY(password.size() < 5 || !stored.contains(password));
        QCOMPARE(password::matches(typed, stored), matches);
        QVERIFY(stored != password::hash(password)); // a new salt each time
    }

    void passwordKeptAsPlainTextByAnOlderFile()
    {
        QVERIFY(password::matches(QStringLiteral("plain"), QStringLiteral("plain")));
        QVERIFY(!password::matches(QStringLiteral("Plain"), QStringLiteral("plain")));
        QString stored = password::hash(QStringLiteral("pw"));
        stored[stored.size() - 3] = stored[stored.size() - 3] == QLatin1Char('A') ? QLatin1Char('B') : QLatin1Char('A');
        QVERIFY(!password::matches(QStringLiteral("pw"), stored)); // a damaged hash matches nothing
    }

private:
    std::unique_ptr<test::TestEnvironment> m_env;
};

int main(int argc, char *argv[])
{
    const QByteArray holdName = qgetenv(kHoldLockVariable);
    if (!holdName.isEmpty()) {
        QCoreApplication app(argc, argv);
        InstanceLock lock(QString::fromUtf8(holdName));
        if (!lock.tryLock())
            return 2;
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    QApplication app(argc, argv);
    TestPlatformBasics test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platformbasics.moc"
