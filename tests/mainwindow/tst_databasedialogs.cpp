// The dialogs that ask for a database name or a number of fields, on their own: typing
// filters and length, OK enabling and Enter, refusals of taken names (also files of a
// database missing from the catalogue), the limits of Add Fields and Remove Fields and
// Remove Fields' question.

#include "DatabaseNameDialogs.h"
#include "FieldCountDialogs.h"
#include "MainWindowFixture.h"
#include "SuppliedFiles.h"
#include "TableFiles.h"
#include "TestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace tav;
using namespace tav::test;

namespace
{
// Every character one of the dialogs replaces, in the order of the new-database dialog.
const QString kForbidden = QStringLiteral(" \"'*,-./:;<>?\\`|~");
} // namespace

class TestDatabaseDialogs : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void init()
    {
        MainWindowTestCase::init();
        store::ensureSuppliedFiles(m_env->dataDir());
        createDatabase(m_env->dataDir(), QStringLiteral("A"));
    }

    void typingReplacesForbiddenCharacters_data();
    void typingReplacesForbiddenCharacters();
    void okFollowsTheName_data();
    void okFollowsTheName();
    void takenNamesAreRefused_data();
    void takenNamesAreRefused();
    void fieldCountLimits_data();
    void fieldCountLimits();
    void removeFieldsAsksBeforeClosing();

private:
    std::unique_ptr<DatabaseNameDialog> makeDialog(const QString &kind)
    {
        const QStringList list{QStringLiteral("MASTER"), QStringLiteral("A")};
        if (kind == "new")
            return std::make_unique<TFNewDatabase1>(nullptr, m_env->dataDir());
        if (kind == "rename")
            return std::make_unique<TFRenameDatabase1>(nullptr, m_env->dataDir(),
                                                       QStringLiteral("A"), list);
        return std::make_unique<TFSaveAs>(nullptr, m_env->dataDir(), list);
    }
    static QLineEdit *edit(QWidget *d)
    {
        return d->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    }
    static QPushButton *ok(QWidget *d)
    {
        return d->findChild<QPushButton *>(QStringLiteral("BOk"));
    }
};

void TestDatabaseDialogs::typingReplacesForbiddenCharacters_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("new: my db.1") << "new"
                                  << "my db.1"
                                  << "my_db_1";
    QTest::newRow("new: all 17") << "new" << kForbidden << QString(17, QLatin1Char('_'));
    // Rename and Save As keep hyphen, semicolon and tilde.
    const QString kept = QStringLiteral("_____-___;______~");
    QTest::newRow("rename: 14 of them") << "rename" << kForbidden << kept;
    QTest::newRow("save as: 14 of them") << "saveas" << kForbidden << kept;
    QTest::newRow("rename: hyphen") << "rename"
                                    << "old-books"
                                    << "old-books";
    QTest::newRow("new: hyphen") << "new"
                                 << "old-books"
                                 << "old_books";
    const QString longName = QStringLiteral("abcdefghijklmnopqrstuvwxy");
    for (const char *kind : {"new", "rename", "saveas"})
        QTest::newRow(qPrintable(QStringLiteral("%1: 20 characters").arg(kind)))
            << kind << longName << longName.left(20);
}

void TestDatabaseDialogs::typingReplacesForbiddenCharacters()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    auto dialog = makeDialog(kind);
    dialog->show();
    QTest::keyClicks(edit(dialog.get()), typed);
    QCOMPARE(edit(dialog.get())->text(), shown);
    // Pasted text goes through the same filter.
    edit(dialog.get())->clear();
    edit(dialog.get())->insert(typed);
    QCOMPARE(edit(dialog.get())->text(), shown);
}

void TestDatabaseDialogs::okFollowsTheName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("new") << "new";
    QTest::newRow("rename") << "rename";
    QTest::newRow("save as") << "saveas";
}

void TestDatabaseDialogs::okFollowsTheName()
{
    QFETCH(QString, kind);
    auto dialog = makeDialog(kind);
    dialog->show();
    QLineEdit *name = edit(dialog.get());
    QVERIFY(!ok(dialog.get())->isEnabled());
    QTest::keyClicks(name, QStringLiteral("x"));
    QVERIFY(ok(dialog.get())->isEnabled());
    QTest::keyClick(name, Qt::Key_Backspace);
    QVERIFY(!ok(dialog.get())->isEnabled());

    // Enter does nothing without a name and acts as OK with one.
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(dialog->isVisible());
    QTest::keyClicks(name, QStringLiteral("books"));
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->name(), QStringLiteral("BOOKS"));
}

void TestDatabaseDialogs::takenNamesAreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("ownBox"); // the dialog's "Warning" box, which empties the name

    QTest::newRow("new: master") << "new"
                                 << "master" << kNameInUse << false;
    QTest::newRow("new: in the catalogue") << "new"
                                           << "a" << kNameInUse << true;
    QTest::newRow("new: files without a row") << "new"
                                              << "ghost" << kNameInUse << true;
    QTest::newRow("rename: A to a") << "rename"
                                    << "a" << kRenameNameTaken << true;
    QTest::newRow("rename: master") << "rename"
                                    << "Master" << kRenameNameTaken << true;
    QTest::newRow("rename: files without a row") << "rename"
                                                 << "ghost" << kRenameNameTaken << true;
    QTest::newRow("save as: in the list") << "saveas"
                                          << "a" << kSaveAsNameTaken << true;
    QTest::newRow("save as: files without a row") << "saveas"
                                                  << "ghost" << kSaveAsNameTaken << true;
}

void TestDatabaseDialogs::takenNamesAreRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(bool, ownBox);
    // A database whose files lie in the data directory though the catalogue lost its row.
    store::copyTable(m_env->path(QStringLiteral("t.db")), m_env->path(QStringLiteral("tGHOST.db")));

    auto dialog = makeDialog(kind);
    dialog->show();
    QTest::keyClicks(edit(dialog.get()), typed);
    m_env->messages().answer(MsgOk);
    ok(dialog.get())->click();

    QVERIFY(dialog->isVisible());
    QCOMPARE(m_env->messages().lastText(), message);
    const MessageRequest &shown = m_env->messages().shown().last();
    if (ownBox) {
        QCOMPARE(shown.owner, dialog.get());
        QCOMPARE(shown.caption, QStringLiteral("Warning"));
        QCOMPARE(shown.buttons, int(MsgOk));
        QVERIFY(edit(dialog.get())->text().isEmpty());
        QVERIFY(!ok(dialog.get())->isEnabled());
    } else {
        QCOMPARE(shown.owner, nullptr);
        QCOMPARE(edit(dialog.get())->text(), QStringLiteral("MASTER"));
    }

    // Another name is accepted, in upper case.
    edit(dialog.get())->clear();
    QTest::keyClicks(edit(dialog.get()), QStringLiteral("b2"));
    ok(dialog.get())->click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->name(), QStringLiteral("B2"));
}

void TestDatabaseDialogs::fieldCountLimits_data()
{
    QTest::addColumn<bool>("adding");
    QTest::addColumn<int>("nradd");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("okEnabled");

    QTest::newRow("add, 5 shown: 73") << true << 5 << "73" << true;
    QTest::newRow("add, 5 shown: 74") << true << 5 << "74" << false;
    QTest::newRow("add, 5 shown: 1") << true << 5 << "1" << true;
    QTest::newRow("add, 5 shown: 0") << true << 5 << "0" << false;
    QTest::newRow("add, 5 shown: letters") << true << 5 << "ab" << false;
    QTest::newRow("add, 5 shown: minus") << true << 5 << "-1" << false;
    QTest::newRow("add, all shown: 1") << true << 78 << "1" << false;
    QTest::newRow("remove, 3 shown: 3") << false << 3 << "3" << true;
    QTest::newRow("remove, 3 shown: 4") << false << 3 << "4" << false;
    QTest::newRow("remove, 3 shown: 0") << false << 3 << "0" << false;
    QTest::newRow("remove, none shown: 1") << false << 0 << "1" << false;
}

void TestDatabaseDialogs::fieldCountLimits()
{
    QFETCH(bool, adding);
    QFETCH(int, nradd);
    QFETCH(QString, typed);
    QFETCH(bool, okEnabled);
    std::unique_ptr<FieldCountDialog> dialog;
    if (adding)
        dialog = std::make_unique<TFAddFields>(nullptr, nradd);
    else
        dialog = std::make_unique<TFDeleteFields>(nullptr, nradd);
    dialog->show();

    const QString maxLabel = adding ? QStringLiteral("Label3") : QStringLiteral("Label2");
    const int max = adding ? 78 - nradd : nradd;
    QCOMPARE(dialog->findChild<QLabel *>(maxLabel)->text(), QStringLiteral("Max %1").arg(max));
    QVERIFY(!ok(dialog.get())->isEnabled());
    QTest::keyClicks(edit(dialog.get()), typed);
    QCOMPARE(ok(dialog.get())->isEnabled(), okEnabled);
    // Two characters at most.
    edit(dialog.get())->clear();
    QTest::keyClicks(edit(dialog.get()), QStringLiteral("123"));
    QCOMPARE(edit(dialog.get())->text(), QStringLiteral("12"));
}

void TestDatabaseDialogs::removeFieldsAsksBeforeClosing()
{
    TFDeleteFields dialog(nullptr, 3);
    dialog.show();
    QTest::keyClicks(edit(&dialog), QStringLiteral("2"));

    for (int answer : {int(MsgNo), int(MsgCancel)}) {
        m_env->messages().answer(answer);
        ok(&dialog)->click();
        QVERIFY(dialog.isVisible());
    }
    const MessageRequest &asked = m_env->messages().shown().last();
    QCOMPARE(asked.text,
             QStringLiteral("The data contained in these fields will be deleted. Continue?"));
    QCOMPARE(asked.caption, QStringLiteral("Warning"));
    QCOMPARE(asked.icon, MsgIcon::Warning);
    QCOMPARE(asked.buttons, int(MsgYes | MsgNo | MsgCancel));

    m_env->messages().answer(MsgYes);
    ok(&dialog)->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.count(), 2);
}

QTEST_MAIN(TestDatabaseDialogs)
#include "tst_databasedialogs.moc"
