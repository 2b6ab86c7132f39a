// Handing programs, documents and links to the desktop; the Tools and Help launches.

#include "FakeDesktop.h"
#include "HelpFile.h"
#include "Launcher.h"
#include "TestEnvironment.h"
#include "ToolLaunches.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <memory>
#include <unistd.h>

using namespace tav;
using test::FakeDesktop;

class TestLauncher : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TestEnvironment> m_env;
    std::unique_ptr<FakeDesktop> m_desk;

    // Queues an OK for every message a step is expected to show.
    void expectMessages(const QStringList &texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            m_env->messages().answer(MsgOk);
    }

private slots:
    void init()
    {
        m_env = std::make_unique<test::TestEnvironment>();
        m_desk = std::make_unique<FakeDesktop>();
    }
    void cleanup()
    {
        m_desk.reset();
        m_env->verify();
        m_env.reset();
    }

    void programNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("firstCandidate");
        QTest::newRow("Calc.exe") << "Calc.exe"
                                  << "gnome-calculator";
        QTest::newRow("CALC, no .exe") << "CALC"
                                       << "gnome-calculator";
        QTest::newRow("notepad.exe") << "notepad.exe"
                                     << "gedit";
        QTest::newRow("wordpad carries --writer") << "wordpad.exe"
                                                  << "libreoffice --writer";
        QTest::newRow("excel carries --calc") << "excel"
                                              << "libreoffice --calc";
        QTest::newRow("iexplore.exe") << "iexplore.exe"
                                      << "x-www-browser";
        QTest::newRow("mspaint.exe") << "mspaint.exe"
                                     << "kolourpaint";
        QTest::newRow("unknown keeps its spelling") << "TavrionexFtp.exe"
                                                    << "TavrionexFtp";
        QTest::newRow("unknown without .exe") << "TavrionexWebWizard"
                                              << "TavrionexWebWizard";
    }

    void programNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, firstCandidate);
        const QStringList candidates = Launcher::candidatesFor(name);
        QVERIFY(!candidates.isEmpty());
        QCOMPARE(candidates.first(), firstCandidate);
    }

    void startsFirstInstalledCandidate()
    {
        m_desk->install({"abiword", "libreoffice"});
        QVERIFY(Launcher::startCommandLine(QStringLiteral("wordpad.exe \"my report.doc\""),
                                           m_env->dataDir()));
        QCOMPARE(m_desk->starts().size(), 1);
        const ProcessStart &start = m_desk->starts().first();
        QCOMPARE(start.program, QDir(m_desk->binDir()).filePath("libreoffice"));
        QCOMPARE(start.arguments, QStringList({"--writer", "my report.doc"}));
        QCOMPARE(start.workingDirectory, m_env->dataDir());
        QCOMPARE(Launcher::resolve(QStringLiteral("winword")), start.program);
    }

    void refusingCandidateGivesWayToTheNext()
    {
        m_desk->install({"gedit", "kate"});
        m_desk->refuseToStart({"gedit"});
        QVERIFY(Launcher::startCommandLine(QStringLiteral("notepad.exe memo.txt")));
        QCOMPARE(m_desk->startedNames(), QStringList({"gedit", "kate"}));
        QCOMPARE(m_desk->starts().last().arguments, QStringList{"memo.txt"});
    }

    void nothingInstalledStartsNothing()
    {
        QVERIFY(!Launcher::startCommandLine(QStringLiteral("Calc.exe")));
        QVERIFY(Launcher::resolve(QStringLiteral("Calc.exe")).isEmpty());
        QVERIFY(!Launcher::startCommandLine(QStringLiteral("   ")));
        QVERIFY(m_desk->starts().isEmpty());
    }

    void searchPathComesBeforePath()
    {
        m_desk->install({"gimp"});
        QTemporaryDir own;
        QFile copy(own.filePath("gimp"));
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write("#!/bin/sh\n");
        copy.close();
        QVERIFY(copy.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        Launcher::setSearchPath({own.path()});
        QCOMPARE(Launcher::resolve(QStringLiteral("pbrush.exe")), own.filePath("gimp"));
        Launcher::setSearchPath({});
        QCOMPARE(Launcher::resolve(QStringLiteral("pbrush.exe")),
                 QDir(m_desk->binDir()).filePath("gimp"));
    }

    void launchProgramFallbacks_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("refusing");
        QTest::addColumn<bool>("started");
        QTest::addColumn<QStringList>("attempts");
        QTest::addColumn<QStringList>("messages");

        QTest::newRow("browser starts")
            << "iexplore" << QStringList{"firefox", "xdg-open"} << QStringList{} << true
            << QStringList{"firefox"} << QStringList{};
        QTest::newRow("iexplore fails, netscape starts")
            << "iexplore" << QStringList{"firefox", "xdg-open"} << QStringList{"firefox"} << true
            << QStringList{"firefox", "xdg-open"} << QStringList{};
        QTest::newRow("no browser starts")
            << "iexplore.exe" << QStringList{"firefox", "xdg-open"}
            << QStringList{"firefox", "xdg-open"} << false << QStringList{"firefox", "xdg-open"}
            << QStringList{"Could not start any browser!"};
        QTest::newRow("no browser installed")
            << "iexplore" << QStringList{} << QStringList{} << false << QStringList{}
            << QStringList{"Could not start any browser!"};
        QTest::newRow("netscape has no fallback")
            << "netscape" << QStringList{"firefox"} << QStringList{} << false << QStringList{}
            << QStringList{"Could not start netscape"};
        QTest::newRow("notepad fails")
            << "notepad" << QStringList{"gedit"} << QStringList{"gedit"} << false
            << QStringList{"gedit"} << QStringList{"Could not start notepad"};
        QTest::newRow("winword missing") << "winword" << QStringList{} << QStringList{} << false
                                         << QStringList{} << QStringList{"Could not start winword"};
    }

    void launchProgramFallbacks()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, installed);
        QFETCH(QStringList, refusing);
        QFETCH(bool, started);
        QFETCH(QStringList, attempts);
        QFETCH(QStringList, messages);
        m_desk->install(installed);
        m_desk->refuseToStart(refusing);
        expectMessages(messages);
        QCOMPARE(Launcher::launchProgram(program, QStringLiteral("c.html")), started);
        QCOMPARE(m_desk->startedNames(), attempts);
        for (const ProcessStart &s : m_desk->starts())
            QCOMPARE(s.arguments, QStringList{"c.html"});
        QCOMPARE(m_env->messages().texts(), messages);
    }

    void webAddressWithoutSchemeGetsHttp()
    {
        m_desk->install({"xdg-open"});
        QVERIFY(
            Launcher::launchProgram(QStringLiteral("netscape"), QStringLiteral("www.example.org")));
        QCOMPARE(m_desk->starts().first().arguments, QStringList{"http://www.example.org"});
    }

    void mailLinksGoToTheUrlOpener()
    {
        m_desk->install({"firefox", "xdg-open"});
        QVERIFY(Launcher::launchProgram(QStringLiteral("iexplore"),
                                        QStringLiteral("mailto:ann@example.org")));
        QCOMPARE(m_desk->opened(), QStringList{"mailto:ann@example.org"});
        QVERIFY(m_desk->starts().isEmpty());

        // No mail handler: the browser fallback is tried the same way, then reported.
        m_desk->setOpenerSucceeds(false);
        expectMessages({"Could not start any browser!"});
        QVERIFY(!Launcher::launchProgram(QStringLiteral("iexplore"),
                                         QStringLiteral("mailto:ann@example.org")));
        QCOMPARE(m_desk->opened().size(), 3);
        QVERIFY(m_desk->starts().isEmpty());
        QCOMPARE(m_env->messages().lastText(), QStringLiteral("Could not start any browser!"));
    }

    void openDocumentMapsFailures()
    {
        QDir(m_env->dataDir()).mkdir("docs");
        QFile doc(m_env->path("docs/letter.odt"));
        QVERIFY(doc.open(QIODevice::WriteOnly));
        doc.close();

        QCOMPARE(Launcher::openDocument(m_env->path("docs/gone.odt")), int(OpenFileNotFound));
        QCOMPARE(Launcher::openDocument(m_env->path("nofolder/letter.odt")), int(OpenPathNotFound));
        QCOMPARE(Launcher::openDocument(QString()), int(OpenFileNotFound));
        QVERIFY(m_desk->opened().isEmpty()); // nothing handed on for a missing file

        // Relative names are found from the working directory and handed on in full.
        QVERIFY(Launcher::openDocument(QStringLiteral("docs/letter.odt")) > 32);
        QCOMPARE(m_desk->opened(), QStringList{m_env->path("docs/letter.odt")});

        m_desk->setOpenerSucceeds(false);
        QCOMPARE(Launcher::openDocument(m_env->path("docs/letter.odt")), int(OpenNoAssociation));
    }

    void openDocumentReportsWithTheTableMessages()
    {
        QFile doc(m_env->path("letter.odt"));
        QVERIFY(doc.open(QIODevice::WriteOnly));
        doc.close();
        expectMessages({"", "", ""});
        QVERIFY(!Launcher::openDocumentReporting(m_env->path("gone.odt")));
        QVERIFY(!Launcher::openDocumentReporting(m_env->path("no/such/folder.odt")));
        QVERIFY(Launcher::openDocumentReporting(m_env->path("letter.odt")));
        m_desk->setOpenerSucceeds(false);
        QVERIFY(!Launcher::openDocumentReporting(m_env->path("letter.odt")));
        QCOMPARE(
            m_env->messages().texts(),
            QStringList({"The specified file was not found.", "The specified path was not found.",
                         "There is no application associated with the given filename extension."}));
    }

    void openDocumentDeniedAccess()
    {
        if (::geteuid() == 0)
            QSKIP("root reads every file; access denial cannot be shown");
        QFile doc(m_env->path("secret.txt"));
        QVERIFY(doc.open(QIODevice::WriteOnly));
        doc.close();
        QVERIFY(doc.setPermissions(QFile::WriteOwner));
        QCOMPARE(Launcher::openDocument(doc.fileName()), int(OpenAccessDenied));
        QVERIFY(m_desk->opened().isEmpty());
    }

    void openResultMessages_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("0") << 0 << "The operating system is out of memory or resources.";
        QTest::newRow("2") << 2 << "The specified file was not found.";
        QTest::newRow("3") << 3 << "The specified path was not found.";
        QTest::newRow("5") << 5 << "The operating system denied access to the specified file.";
        QTest::newRow("8") << 8 << "There was not enough memory to complete the operation.";
        QTest::newRow("11") << 11
                            << "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
        QTest::newRow("26") << 26 << "A sharing violation occurred.";
        QTest::newRow("27") << 27 << "The filename association is incomplete or invalid.";
        QTest::newRow("28")
            << 28 << "The DDE transaction could not be completed because the request timed out.";
        QTest::newRow("29") << 29 << "The DDE transaction failed.";
        QTest::newRow("30")
            << 30
            << "The DDE transaction could not be completed because other DDE transactions were "
               "being processed.";
        QTest::newRow("31")
            << 31 << "There is no application associated with the given filename extension.";
        QTest::newRow("32") << 32 << "The specified dynamic-link library was not found.";
        QTest::newRow("other: 1") << 1 << "Unknown error occurred.";
        QTest::newRow("other: 4") << 4 << "Unknown error occurred.";
        QTest::newRow("other: -1") << -1 << "Unknown error occurred.";
    }

    void openResultMessages()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        QCOMPARE(Launcher::openResultMessage(code), message);
    }

    void paintFallsBackToPbrush()
    {
        m_desk->install({"kolourpaint", "gimp"});
        m_desk->refuseToStart({"kolourpaint"});
        QVERIFY(tools::startPaint());
        QCOMPARE(m_desk->startedNames(), QStringList({"kolourpaint", "gimp"}));
    }

    void paintMissingIsReported()
    {
        m_desk->install({"gimp"});
        m_desk->refuseToStart({"gimp"});
        expectMessages({"x"});
        QVERIFY(!tools::startPaint());
        QCOMPARE(m_env->messages().texts(),
                 QStringList{"You don't have - c:\\windows - in PATH !"});
    }

    void dialerAndCalculator()
    {
        expectMessages({"x"});
        QVERIFY(!tools::startPhoneDialer());
        QCOMPARE(m_env->messages().texts(),
                 QStringList{"615\nDialer not available. \nPlease look at help file for TIPS !"});
        QVERIFY(!tools::startCalculator()); // says nothing

        m_desk->install({"gnome-calls", "galculator"});
        QVERIFY(tools::startPhoneDialer());
        QVERIFY(tools::startCalculator());
        QCOMPARE(m_desk->startedNames(), QStringList({"gnome-calls", "galculator"}));
        QCOMPARE(m_env->messages().texts().size(), 1);
    }

    void uploadUtilityStartsBesideTheProgram()
    {
        const QString program =
            QDir(QCoreApplication::applicationDirPath()).filePath("TavrionexFtp");
        // A build of this test alone has no upload utility beside it: put a stand-in there.
        const bool madeStandIn = !QFile::exists(program);
        if (madeStandIn) {
            QFile standIn(program);
            if (!standIn.open(QIODevice::WriteOnly))
                QSKIP("no upload utility beside the test and its folder is read-only");
            standIn.write("#!/bin/sh\n");
            standIn.close();
            QVERIFY(standIn.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        const bool started = tools::startUploadUtility();
        m_desk->refuseToStart({"TavrionexFtp"});
        const bool startedWhenRefused = tools::startUploadUtility(); // and says nothing
        if (madeStandIn)
            QFile::remove(program);

        QVERIFY(started);
        QVERIFY(!startedWhenRefused);
        QCOMPARE(m_desk->starts().first().program, program);
        QCOMPARE(m_desk->starts().first().arguments, QStringList{"c:"});
    }

    void publishToWebRunsInTheDataDirectory()
    {
        QVERIFY(!tools::publishToWeb(m_env->dataDir())); // not installed: nothing said
        QVERIFY(m_desk->starts().isEmpty());

        m_desk->install({"TavrionexWebWizard"});
        QDir::setCurrent(QDir::tempPath());
        QVERIFY(tools::publishToWeb(m_env->dataDir()));
        const ProcessStart &start = m_desk->starts().first();
        QCOMPARE(start.program, QDir(m_desk->binDir()).filePath("TavrionexWebWizard"));
        QCOMPARE(start.arguments, QStringList{"-s"});
        QCOMPARE(start.workingDirectory, m_env->dataDir());
        QCOMPARE(QDir::currentPath(), QDir(m_env->dataDir()).canonicalPath());
    }

    void helpOpensTheShippedPage()
    {
        const QString help = tav::helpFilePath();
        QVERIFY(QFile::exists(help));
        QCOMPARE(QFileInfo(help).fileName(), QStringLiteral("index.html"));
        QVERIFY(tools::openHelp());
        QCOMPARE(m_desk->opened(), QStringList{help});

        m_desk->setOpenerSucceeds(false);
        expectMessages({"x"});
        QVERIFY(!tools::openHelp());
        QCOMPARE(m_env->messages().lastText(),
                 QStringLiteral(
                     "There is no application associated with the given filename extension."));
    }

    void helpPageLinksResolve()
    {
        const QString help = tav::helpFilePath();
        QFile file(help);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        // Every in-page link has its target, and every file it uses lies beside it.
        QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            if (target.startsWith('#'))
                QVERIFY2(html.contains(QStringLiteral("id=\"%1\"").arg(target.mid(1))),
                         qPrintable(target));
            else
                QVERIFY2(QFile::exists(QFileInfo(help).dir().filePath(target)), qPrintable(target));
        }
        // The dialer message sends the user to the tips.
        QVERIFY(html.contains(QStringLiteral("id=\"dialer\"")));
    }
};

QTEST_MAIN(TestLauncher)

#include "tst_launcher.moc"
