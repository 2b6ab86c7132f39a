// The order in which both programs choose their data folder, and how it is prepared.

#include "DataDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tav;

class TestDataDirectory : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;

    QString at(const QString &relative) const { return QDir(m_root.path()).filePath(relative); }

    // A working folder "work" (with or without the catalogue) and a home folder "home".
    DataDirectoryInputs inputs(const QString &option, const QString &variable, bool catalogue)
    {
        QDir(m_root.path()).mkpath(QStringLiteral("work"));
        QDir(m_root.path()).mkpath(QStringLiteral("home"));
        QFile::remove(at(QStringLiteral("work/databases.db")));
        if (catalogue) {
            QFile file(at(QStringLiteral("work/databases.db")));
            file.open(QIODevice::WriteOnly);
        }
        return {option, variable, at(QStringLiteral("work")), at(QStringLiteral("home"))};
    }

private slots:
    void order_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<bool>("catalogue");
        QTest::addColumn<QString>("expected"); // relative to the temporary root

        const QString abs = QStringLiteral("@/");
        QTest::newRow("option beats everything") << abs + "opt" << abs + "var" << true << "opt";
        QTest::newRow("option alone") << abs + "opt"
                                      << "" << false << "opt";
        QTest::newRow("relative option from the working folder") << "mine"
                                                                 << "" << false << "work/mine";
        QTest::newRow("variable beats the working folder") << "" << abs + "var" << true << "var";
        QTest::newRow("variable alone") << "" << abs + "var" << false << "var";
        QTest::newRow("relative variable from the working folder") << ""
                                                                   << "../var" << false << "var";
        QTest::newRow("working folder holding the catalogue") << ""
                                                              << "" << true << "work";
        QTest::newRow("working folder without the catalogue") << ""
                                                              << "" << false << "home/Tavrionex";
    }

    void order()
    {
        QFETCH(QString, option);
        QFETCH(QString, variable);
        QFETCH(bool, catalogue);
        QFETCH(QString, expected);
        QVERIFY(m_root.isValid());
        option.replace(QStringLiteral("@"), m_root.path());
        variable.replace(QStringLiteral("@"), m_root.path());

        QCOMPARE(chooseDataDirectory(inputs(option, variable, catalogue)), at(expected));
    }

    void folderNamedLikeTheCatalogueDoesNotCount()
    {
        DataDirectoryInputs in = inputs({}, {}, false);
        QVERIFY(QDir(in.workingDirectory).mkdir(QStringLiteral("databases.db")));
        QCOMPARE(chooseDataDirectory(in), at(QStringLiteral("home/Tavrionex")));
        QDir(in.workingDirectory).rmdir(QStringLiteral("databases.db"));
    }

    void homeFolderIsCreated()
    {
        DataDirectoryInputs in = inputs({}, {}, false);
        in.home = at(QStringLiteral("new/home"));
        const DataDirectory data = prepareDataDirectory(in);
        QCOMPARE(data.error, QString());
        QCOMPARE(data.path, at(QStringLiteral("new/home/Tavrionex")));
        QVERIFY(QFileInfo(data.path).isDir());
        // Preparing an existing folder again is fine.
        QCOMPARE(prepareDataDirectory(in).path, data.path);
    }

    void fileInTheWayIsRefusedByName()
    {
        const QString blocker = at(QStringLiteral("blocker"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        for (const QString &option : {blocker, blocker + QStringLiteral("/inside")}) {
            const DataDirectory data = prepareDataDirectory(inputs(option, {}, false));
            QVERIFY(data.path.isEmpty());
            QVERIFY2(data.error.contains(option), qPrintable(data.error));
        }
    }
};

QTEST_GUILESS_MAIN(TestDataDirectory)
#include "tst_datadirectory.moc"
