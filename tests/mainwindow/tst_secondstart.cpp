// Runs the real Tavrionex4 twice in one temporary home: the second copy says
// "Application Already Running" and ends with 0 while the first goes on undisturbed.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestSecondStart : public QObject
{
    Q_OBJECT

private slots:
    void secondStartIsRefused()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QDir root(home.path());
        QVERIFY(root.mkpath(QStringLiteral("run")) && root.mkpath(QStringLiteral("config")) &&
                root.mkpath(QStringLiteral("data")));
        QFile::setPermissions(root.filePath(QStringLiteral("run")), QFileDevice::ReadOwner |
                                                                        QFileDevice::WriteOwner |
                                                                        QFileDevice::ExeOwner);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("TAVRIONEX_MESSAGES_TO_STDERR"), QStringLiteral("1"));
        env.insert(QStringLiteral("TAVRIONEX_DATA"), root.filePath(QStringLiteral("data")));
        const QString program =
            QDir(qEnvironmentVariable("TAV_BIN_DIR")).filePath(QStringLiteral("Tavrionex4"));
        QVERIFY2(QFile::exists(program), qPrintable(program));

        auto start = [&](QProcess &process) {
            process.setProcessEnvironment(env);
            process.setWorkingDirectory(root.filePath(QStringLiteral("data")));
            process.start(program, {});
            return process.waitForStarted(10000);
        };

        QProcess first;
        QVERIFY(start(first));
        // Up and holding the lock once it has written its settings and the supplied files
        // (it then waits in its start-up wizard).
        const QString ini = root.filePath(QStringLiteral("config/Tavrionex/Tavrionex.ini"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ini), 20000);
        QVERIFY(QFile::exists(root.filePath(QStringLiteral("data/databases.db"))));
        QCOMPARE(
            QSettings(ini, QSettings::IniFormat).value(QStringLiteral("Win4/displayw")).toInt(), 0);

        QProcess second;
        QVERIFY(start(second));
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY2(second.readAllStandardError().contains("Application Already Running"),
                 "the second copy did not say why it ended");

        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }
};

QTEST_GUILESS_MAIN(TestSecondStart)
#include "tst_secondstart.moc"
