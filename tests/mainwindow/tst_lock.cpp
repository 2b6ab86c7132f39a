// The comments lock in the window: Secure and UnSecure, what each page hides, the lock
// following the database, and locked comments staying out of Copy and Paste Record.

#include "BackupSets.h"
#include "DBControls.h"
#include "DatabaseOps.h"
#include "DialogDriver.h"
#include "FileNames.h"
#include "LockDialogs.h"
#include "MainWindowFixture.h"
#include "PasswordHash.h"
#include "Table.h"

#include <QAction>
#include <QTemporaryDir>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace tav;
using namespace tav::test;
namespace files = tav::store::files;

namespace
{
const QString kShop = QStringLiteral("SHOP");

QString labelsValue(const QString &dataDir, const QString &database, const QString &field)
{
    store::Table labels;
    labels.setDirectory(dataDir);
    labels.setTableName(store::files::labelsTable(database));
    labels.open();
    return labels.asString(field);
}

template <typename Dialog>
void answerPassword(TFDFin *w, const char *button, const QString &password)
{
    onModal<Dialog>([password](Dialog *dialog) {
        dialog->template findChild<QLineEdit *>(QStringLiteral("Password"))->setText(password);
        dialog->template findChild<QPushButton *>(QStringLiteral("OKBtn"))->click();
    });
    w->findChild<QPushButton *>(QString::fromLatin1(button))->click();
}

void lockWith(TFDFin *w, const QString &password)
{
    answerPassword<TFPassProtect>(w, "BProtect", password);
}

void unlockWith(TFDFin *w, const QString &password)
{
    answerPassword<TFPassUnProtect>(w, "BUnProtect", password);
}

bool shown(TFDFin *w, const char *name)
{
    return !w->findChild<QWidget *>(QString::fromLatin1(name))->isHidden();
}

// Everything the two pages show or hide, as one text: locked or not, both agree.
QString presentation(TFDFin *w)
{
    QStringList on;
    for (const char *name : {"MemoComments", "BProtect", "BUnProtect", "CheckBoxO18", "DBTextO18", "LLocked"})
        if (shown(w, name))
            on << QString::fromLatin1(name);
    return on.join(QLatin1Char(' '));
}

const QString kUnlocked = QStringLiteral("MemoComments BProtect CheckBoxO18 DBTextO18");
const QString kLocked = QStringLiteral("BUnProtect LLocked");
} // namespace

class TestLock : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void emptyPasswordLocksAndUnlocks()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        QCOMPARE(presentation(w.get()), kUnlocked);
        auto *commentsOutput = w->findChild<QCheckBox *>(QStringLiteral("CheckBoxO18"));
        commentsOutput->setChecked(true);

        lockWith(w.get(), QString());
        QCOMPARE(presentation(w.get()), kLocked);
        QVERIFY(!commentsOutput->isChecked());
        QVERIFY(w->commentsLocked());
        QCOMPARE(labelsValue(m_env->dataDir(), files::kMaster, QStringLiteral("Res85")), QStringLiteral("1"));

        unlockWith(w.get(), QString());
        QCOMPARE(presentation(w.get()), kUnlocked);
        QVERIFY(!w->commentsLocked());
        QCOMPARE(labelsValue(m_env->dataDir(), files::kMaster, QStringLiteral("Res85")), QStringLiteral("0"));
    }

    void passwordIsStoredOnlyAsAHash()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        lockWith(w.get(), QStringLiteral("Tulip-42"));
        const QString stored = labelsValue(m_env->dataDir(), files::kMaster, QStringLiteral("Res86"));
        QVERIFY(!stored.contains(QStringLiteral("Tulip")));
        QVERIFY(stored.size() <= 100);
        QVERIFY(password::matches(QStringLiteral("Tulip-42"), stored));
    }

    void wrongPasswordIsRefusedAndSaysSo_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("other case") << "secret";
        QTest::newRow("longer") << "Secret ";
        QTest::newRow("empty") << "";
    }
    void wrongPasswordIsRefusedAndSaysSo()
    {
        QFETCH(QString, typed);
        auto w = startMainWindow(WizardAnswer::Ok);
        lockWith(w.get(), QStringLiteral("Secret"));
        m_env->messages().answer(MsgOk);
        unlockWith(w.get(), typed);
        QCOMPARE(m_env->messages().lastText(),
                 QStringLiteral("The password is not correct. The comments stay locked."));
        QCOMPARE(presentation(w.get()), kLocked);
        QCOMPARE(labelsValue(m_env->dataDir(), files::kMaster, QStringLiteral("Res85")), QStringLiteral("1"));
    }

    void cancelChangesNothing()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        onModal<TFPassProtect>([](TFPassProtect *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("Password"))->setText(QStringLiteral("x"));
            dialog->findChild<QPushButton *>(QStringLiteral("CancelBtn"))->click();
        });
        w->findChild<QPushButton *>(QStringLiteral("BProtect"))->click();
        QCOMPARE(presentation(w.get()), kUnlocked);
        QVERIFY(labelsValue(m_env->dataDir(), files::kMaster, QStringLiteral("Res85")) != QStringLiteral("1"));
    }

    // The lock belongs to the database: it is read again whenever a database becomes
    // current, and a password an older file keeps as plain text still unlocks.
    void lockFollowsTheDatabase()
    {
        createDatabase(m_env->dataDir(), kShop);
        {
            store::Table labels;
            labels.setDirectory(m_env->dataDir());
            labels.setTableName(store::files::labelsTable(kShop));
            labels.open();
            labels.edit();
            labels.setAsString(QStringLiteral("Res85"), QStringLiteral("1"));
            labels.setAsString(QStringLiteral("Res86"), QStringLiteral("plain"));
            labels.post();
        }
        auto w = startMainWindow(WizardAnswer::Ok);
        QCOMPARE(presentation(w.get()), kUnlocked);
        chooseDatabase(w.get(), kShop);
        QCOMPARE(presentation(w.get()), kLocked);
        chooseDatabase(w.get(), files::kMaster);
        QCOMPARE(presentation(w.get()), kUnlocked);
        w->OpenDatabase(kShop);
        QCOMPARE(presentation(w.get()), kLocked);
        unlockWith(w.get(), QStringLiteral("plain"));
        QCOMPARE(presentation(w.get()), kUnlocked);
    }

    void lockedCommentsStayOutOfCopyAndPaste()
    {
        createDatabase(m_env->dataDir(), kShop);
        addRecords(m_env->dataDir(), kShop, {QStringLiteral("Ames"), QStringLiteral("Byrd")});
        auto w = startMainWindow(WizardAnswer::Ok);
        chooseDatabase(w.get(), kShop);
        store::Table *records = w->table1();
        auto setComments = [records](const QString &text) {
            records->edit();
            records->setAsString(QStringLiteral("Comments"), text);
            records->post();
        };
        records->last();
        setComments(QStringLiteral("kept"));
        records->prior();
        setComments(QStringLiteral("private note"));
        lockWith(w.get(), QStringLiteral("pw"));

        w->SMCopyClick(); // on Ames
        records->last();
        w->SMPasteClick();
        records->post();
        QCOMPARE(records->asString(QStringLiteral("LastName")), QStringLiteral("Ames"));
        QCOMPARE(records->asString(QStringLiteral("Comments")), QStringLiteral("kept"));

        // Copied while unlocked, pasted while locked: the hidden comments stay as they are.
        unlockWith(w.get(), QStringLiteral("pw"));
        records->prior();
        w->SMCopyClick();
        lockWith(w.get(), QStringLiteral("pw"));
        records->last();
        w->SMPasteClick();
        records->post();
        QCOMPARE(records->asString(QStringLiteral("Comments")), QStringLiteral("kept"));
    }

    // The lock lives in the labels file: a copy made by Save As and a backup restored over
    // an unlocked database are locked with the same password.
    void lockTravelsWithCopiesAndBackups()
    {
        createDatabase(m_env->dataDir(), kShop);
        auto w = startMainWindow(WizardAnswer::Ok);
        chooseDatabase(w.get(), kShop);
        lockWith(w.get(), QStringLiteral("pw"));
        QTemporaryDir backups;
        exchange::backup::backupDatabase(m_env->dataDir(), kShop, backups.path());
        QCOMPARE(store::ops::saveAsDatabase(m_env->dataDir(), kShop, QStringLiteral("COPY")),
                 store::ops::NameResult::Done);
        unlockWith(w.get(), QStringLiteral("pw"));

        w->CloseDatabase1Click();
        QVERIFY(exchange::backup::restoreDatabase(backups.path(), kShop, m_env->dataDir()) == false);
        chooseDatabase(w.get(), kShop);
        QCOMPARE(presentation(w.get()), kLocked);
        unlockWith(w.get(), QStringLiteral("pw"));
        QCOMPARE(presentation(w.get()), kUnlocked);

        const QString copy = QStringLiteral("COPY");
        QCOMPARE(labelsValue(m_env->dataDir(), copy, QStringLiteral("Res85")), QStringLiteral("1"));
        QVERIFY(password::matches(QStringLiteral("pw"), labelsValue(m_env->dataDir(), copy, QStringLiteral("Res86"))));
    }
};

QTEST_MAIN(TestLock)
#include "tst_lock.moc"
