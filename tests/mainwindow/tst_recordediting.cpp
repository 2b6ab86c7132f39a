// The rules of record navigation and editing that need no window: enabling after a move,
// when a move asks first, the current field position, link decoration and the date check.

#include "Dataset.h"
#include "FieldCatalogue.h"
#include "RecordEditing.h"

#include <QTest>

using namespace tav;
namespace cat = tav::store::catalogue;
using tav::store::DataSetState;

Q_DECLARE_METATYPE(tav::NavMove)
Q_DECLARE_METATYPE(tav::LinkKind)
Q_DECLARE_METATYPE(tav::LinkCursor)

class TestRecordEditing : public QObject
{
    Q_OBJECT

private slots:
    void navigationEnabling_data()
    {
        QTest::addColumn<NavMove>("move");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("enabled"); // F, P, N, L for First, Previous, Next, Last
        QTest::newRow("First") << NavMove::First << 1 << 5 << "NL";
        QTest::newRow("Last") << NavMove::Last << 5 << 5 << "FP";
        QTest::newRow("Previous onto record 1") << NavMove::Prior << 1 << 5 << "NL";
        QTest::newRow("Previous in the middle") << NavMove::Prior << 3 << 5 << "FPNL";
        QTest::newRow("Next onto the last") << NavMove::Next << 5 << 5 << "FP";
        QTest::newRow("Next in the middle") << NavMove::Next << 4 << 5 << "FPNL";
        QTest::newRow("Next on an empty table") << NavMove::Next << 0 << 0 << "FP";
        QTest::newRow("Previous on the only record") << NavMove::Prior << 1 << 1 << "NL";
    }

    void navigationEnabling()
    {
        QFETCH(NavMove, move);
        QFETCH(int, count);
        QFETCH(int, records);
        QFETCH(QString, enabled);
        const NavigationEnabling on = navigationAfterMove(move, count, records);
        QString got;
        if (on.first)
            got += 'F';
        if (on.prior)
            got += 'P';
        if (on.next)
            got += 'N';
        if (on.last)
            got += 'L';
        QCOMPARE(got, enabled);
    }

    void onlyChangedRecordsAskAndAddedRecordsStay()
    {
        QCOMPARE(moveGuard(DataSetState::Browse), MoveGuard::Move);
        QCOMPARE(moveGuard(DataSetState::Edit), MoveGuard::AskFirst);
        QCOMPARE(moveGuard(DataSetState::Insert), MoveGuard::Stay);
        QCOMPARE(moveGuard(DataSetState::Inactive), MoveGuard::Stay);
    }

    void currentFieldFollowsTheFieldChain_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("current");
        QTest::newRow("first extra field") << 0 << 0;
        QTest::newRow("last extra field") << 77 << 77;
        QTest::newRow("creation date") << 78 << 78;
        QTest::newRow("record number") << 79 << 78;
        QTest::newRow("ID") << 80 << 80;
        QTest::newRow("Address2") << 88 << 88;
        QTest::newRow("Reserved5") << 94 << 94;
        QTest::newRow("not a record box") << -1 << 78;
    }

    void currentFieldFollowsTheFieldChain()
    {
        QFETCH(int, position);
        QFETCH(int, current);
        QCOMPARE(currentFieldPositionFor(position), current);
        QCOMPARE(fieldItemsEnabled(currentFieldPositionFor(position)), current != cat::kPosDate);
    }

    void linkDecoration_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LinkKind>("kind");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("hint");
        QTest::newRow("plain") << "0171 555 123" << LinkKind::None << QColor(0, 0, 0)
                               << "Click to enter your text";
        QTest::newRow("e-mail") << "ann@example.org" << LinkKind::Email << QColor(0, 128, 0)
                                << "Double Click to e-mail ann@example.org";
        QTest::newRow("web") << "www.example.org" << LinkKind::Web << QColor(255, 0, 0)
                             << "Double Click to browse www.example.org";
        QTest::newRow("http") << "see http://example.org/x" << LinkKind::Web << QColor(255, 0, 0)
                              << "Double Click to browse see http://example.org/x";
        QTest::newRow("e-mail wins over web")
            << "http://example.org/?to=a@b" << LinkKind::Email << QColor(0, 128, 0)
            << "Double Click to e-mail http://example.org/?to=a@b";
        QTest::newRow("markers are case-sensitive") << "WWW.EXAMPLE.ORG HTTP://X" << LinkKind::None
                                                    << QColor(0, 0, 0) << "Click to enter your text";
        QTest::newRow("empty") << "" << LinkKind::None << QColor(0, 0, 0)
                               << "Click to enter your text";
    }

    void linkDecoration()
    {
        QFETCH(QString, text);
        QFETCH(LinkKind, kind);
        QFETCH(QColor, colour);
        QFETCH(QString, hint);
        QCOMPARE(linkKind(text), kind);
        QCOMPARE(linkColour(kind), colour);
        QCOMPARE(linkHint(kind, text), hint);
    }

    void linkCursors()
    {
        QCOMPARE(linkCursor(LinkKind::None, false), LinkCursor::Normal);
        QCOMPARE(linkCursor(LinkKind::Email, false), LinkCursor::Mail);
        QCOMPARE(linkCursor(LinkKind::Web, false), LinkCursor::Web);
        QCOMPARE(linkCursor(LinkKind::None, true), LinkCursor::Normal);
        QCOMPARE(linkCursor(LinkKind::Email, true), LinkCursor::Forbidden);
        QCOMPARE(linkCursor(LinkKind::Web, true), LinkCursor::Forbidden);
    }

    void decoratedFields_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("extraFields");
        QTest::addColumn<bool>("decorated");
        QTest::newRow("ID") << 80 << 0 << true;
        QTest::newRow("Reserved5") << 94 << 0 << true;
        QTest::newRow("creation date") << 78 << 5 << false;
        QTest::newRow("record number") << 79 << 5 << false;
        QTest::newRow("extra field in use") << 4 << 5 << true;
        QTest::newRow("extra field hidden") << 5 << 5 << false;
        QTest::newRow("no extra fields") << 0 << 0 << false;
        QTest::newRow("all extra fields") << 77 << 78 << true;
    }

    void decoratedFields()
    {
        QFETCH(int, position);
        QFETCH(int, extraFields);
        QFETCH(bool, decorated);
        QCOMPARE(isLinkDecorated(position, extraFields), decorated);
    }

    void dateCheck_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("recordShown");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("date") << "dd.MM.yyyy" << "01.02.2003" << true << true;
        QTest::newRow("one-digit day and month") << "dd.MM.yyyy" << "1.2.2003" << true << true;
        QTest::newRow("no such day") << "dd.MM.yyyy" << "31.02.2003" << true << false;
        QTest::newRow("another pattern's date") << "dd.MM.yyyy" << "2003-02-01" << true << false;
        QTest::newRow("month names") << "dd-MMM-yy" << "12-Jan-99" << true << true;
        QTest::newRow("empty on a record") << "dd.MM.yyyy" << "" << true << false;
        QTest::newRow("empty without a record") << "dd.MM.yyyy" << "" << false << true;
    }

    void dateCheck()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(bool, recordShown);
        QFETCH(bool, accepted);
        store::setDisplayDatePattern(pattern);
        QCOMPARE(dateTextAccepted(text, recordShown), accepted);
        store::setDisplayDatePattern(QString());
    }

    void invalidDateMessageQuotesTheText()
    {
        QCOMPARE(invalidDateMessage(QStringLiteral("31.02.2003")),
                 QStringLiteral("Created: '31.02.2003' is not a valid date!"));
    }
};

QTEST_GUILESS_MAIN(TestRecordEditing)
#include "tst_recordediting.moc"
