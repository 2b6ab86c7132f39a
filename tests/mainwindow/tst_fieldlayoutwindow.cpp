// The field layout on the real window: Insert Field and Delete Field from the record boxes'
// shortcuts with their questions, Add Fields and Remove Fields through their dialogs, a
// failing move that changes nothing, and caption editing with "Save Labels". Each test checks
// what the user sees (values and captions shown, rows shown or hidden) and what is stored in
// every record of a small database.

#include "DBControls.h"
#include "DialogDriver.h"
#include "FieldCatalogue.h"
#include "FieldCountDialogs.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "Schemas.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TableFiles.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>

using namespace tav;
using namespace tav::test;
namespace cat = tav::store::catalogue;
namespace files = tav::store::files;

namespace
{
const QString kName = QStringLiteral("FIELDS");
constexpr int kRecords = 3;
constexpr int kEmpty = -1; // a spot expected empty (data) or "..." (caption)

QString valueOf(int pos, int record)
{
    return QStringLiteral("r%1 %2").arg(record).arg(cat::recordField(pos));
}

QString captionOf(int pos)
{
    return QStringLiteral("cap ") + cat::labelsField(pos);
}

// A database whose every text field holds "r<record> <field>" and whose every caption is
// "cap <labels field>", with `nradd` extra fields shown.
void writeFieldsDatabase(const QString &dataDir, int nradd)
{
    store::ensureSuppliedFiles(dataDir);
    const QDir dir(dataDir);
    store::createTable(dir.filePath(files::recordsTable(kName)), store::schemas::records());
    store::Table records;
    records.setTableName(dir.filePath(files::recordsTable(kName)));
    records.open();
    records.transaction([&] {
        for (int r = 1; r <= kRecords; ++r) {
            records.append();
            records.setAsDate(QStringLiteral("Date"), QDate(2020, 1, r));
            for (int pos = 0; pos <= cat::kLastFixed; ++pos)
                if (pos != cat::kPosDate && pos != cat::kPosCount)
                    records.setValue(cat::recordField(pos), valueOf(pos, r));
            records.post();
        }
    });

    store::createTable(dir.filePath(files::labelsTable(kName)), store::schemas::labels());
    store::Table labels;
    labels.setTableName(dir.filePath(files::labelsTable(kName)));
    labels.open();
    labels.append();
    for (int pos = 0; pos <= cat::kPosComments; ++pos)
        labels.setValue(cat::labelsField(pos), QStringLiteral("cap ") + cat::labelsField(pos));
    labels.setAsInteger(QStringLiteral("Nradd"), nradd);
    labels.post();

    store::Table catalogue;
    catalogue.setTableName(dir.filePath(files::kCatalogue));
    catalogue.open();
    catalogue.append();
    catalogue.setValue(QStringLiteral("Name"), kName);
    catalogue.post();
}

using Spots = QVector<QPair<int, int>>; // (position, position whose old value it shows)
} // namespace

class TestFieldLayoutWindow : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        m_window.reset();
        MainWindowTestCase::cleanup();
    }

    void fieldMoves_data();
    void fieldMoves();
    void failedMoveChangesNothing_data();
    void failedMoveChangesNothing();
    void removeFieldsEmptiesAndHides();
    void addFieldsShowsMore();
    void fieldItemsNeedAFieldOfTheChain();
    void hiddenFieldIsNoLongerCurrent();
    void editingCaptions();

private:
    // Writes the database, runs `beforeStart`, starts the window on the database and brings
    // it to the front.
    void open(int nradd, const std::function<void()> &beforeStart = {});
    // Every value of every row of a table file, as text.
    QStringList allStored(const QString &table) const;
    DBEdit *edit(int pos) const { return m_window->controls().recordEdits[pos]; }
    DBEdit *caption(int pos) const { return m_window->controls().captionBoxes[pos]; }
    QString stored(int record, int pos) const
    {
        return storedValue(m_env->dataDir(), files::recordsTable(kName), record,
                           cat::recordField(pos));
    }
    QString storedCaption(int pos) const
    {
        return storedValue(m_env->dataDir(), files::labelsTable(kName), 1, cat::labelsField(pos));
    }
    void verifyExtraRowsShown(int nradd) const;
    QWidget *progressBar() const
    {
        return m_window->findChild<QProgressBar *>(QStringLiteral("ProgressBar2"));
    }

    std::unique_ptr<TFDFin> m_window;
};

void TestFieldLayoutWindow::open(int nradd, const std::function<void()> &beforeStart)
{
    writeFieldsDatabase(m_env->dataDir(), nradd);
    if (beforeStart)
        beforeStart();
    m_window = startMainWindow(WizardAnswer::Cancel);
    QVERIFY(activate(m_window.get()));
    m_window->OpenDatabase(kName);
    QCOMPARE(m_window->extraFieldCount(), nradd);
}

QStringList TestFieldLayoutWindow::allStored(const QString &table) const
{
    store::Table t;
    t.setTableName(m_env->path(table));
    t.open();
    QStringList values;
    for (t.first(); !t.eof(); t.next())
        for (const QString &field : t.fieldNames())
            values << field + QLatin1Char('=') + t.asString(field);
    return values;
}

void TestFieldLayoutWindow::verifyExtraRowsShown(int nradd) const
{
    QCOMPARE(m_window->extraFieldCount(), nradd);
    for (int pos = 0; pos < cat::kExtraFields; ++pos) {
        const QString at = QStringLiteral(" at %1").arg(pos);
        QCOMPARE(edit(pos)->isVisibleTo(m_window.get()) ? "shown" + at : "hidden" + at,
                 pos < nradd ? "shown" + at : "hidden" + at);
        QCOMPARE(caption(pos)->isVisibleTo(m_window.get()), pos < nradd);
    }
}

void TestFieldLayoutWindow::fieldMoves_data()
{
    QTest::addColumn<bool>("inserting");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("nradd");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<int>("newNradd");
    QTest::addColumn<Spots>("data");
    QTest::addColumn<Spots>("captions");

    const QString insertQuestion =
        QStringLiteral("Are you sure you want to insert a new field in all records ?");
    const QString lastFieldQuestion =
        QStringLiteral("Data in the last field will be lost. Continue ?");
    const int phone = 83, fax = 84, lastName = 82, reserved4 = 93, reserved5 = 94, id = 80;

    QTest::newRow("insert on Phone, 2 shown")
        << true << phone << 2 << QList<int>{MsgYes} << QStringList{insertQuestion} << 3
        << Spots{{phone, kEmpty}, {fax, phone}, {reserved5, reserved4}, {0, reserved5},
                 {1, 0},          {2, 1},       {lastName, lastName}}
        << Spots{{phone, kEmpty}, {fax, phone}, {2, 1}, {lastName, lastName}};
    QTest::newRow("insert on the second extra field, 4 shown")
        << true << 1 << 4 << QList<int>{MsgYes} << QStringList{insertQuestion} << 5
        << Spots{{1, kEmpty}, {2, 1}, {4, 3}, {0, 0}, {reserved5, reserved5}}
        << Spots{{1, kEmpty}, {4, 3}, {0, 0}};
    QTest::newRow("insert with all 78 shown loses the last field")
        << true << id << 78 << QList<int>{MsgYes, MsgYes}
        << QStringList{insertQuestion, lastFieldQuestion} << 78
        << Spots{{id, kEmpty}, {81, id}, {0, reserved5}, {77, 76}} << Spots{{id, kEmpty}, {77, 76}};
    QTest::newRow("insert with all 78 shown, No to the loss")
        << true << id << 78 << QList<int>{MsgYes, MsgNo}
        << QStringList{insertQuestion, lastFieldQuestion} << 78 << Spots{{id, id}, {77, 77}}
        << Spots{{id, id}};
    QTest::newRow("insert answered Cancel")
        << true << phone << 2 << QList<int>{MsgCancel} << QStringList{insertQuestion} << 2
        << Spots{{phone, phone}, {2, 2}} << Spots{{phone, phone}};
    QTest::newRow("delete ID, 1 shown")
        << false << id << 1 << QList<int>{MsgYes}
        << QStringList{QStringLiteral(
               "Are you sure you want to delete completely \"cap ID\" field from all records ?")}
        << 0 << Spots{{id, 81}, {reserved4, reserved5}, {reserved5, 0}, {0, kEmpty}}
        << Spots{{id, 81}, {reserved5, 0}, {0, kEmpty}};
    // For an extra field the captions of the hidden extra fields move down as well.
    QTest::newRow("delete the first extra field, 2 shown")
        << false << 0 << 2 << QList<int>{MsgYes}
        << QStringList{QStringLiteral(
               "Are you sure you want to delete completely \"cap Res6\" field from all records ?")}
        << 1 << Spots{{0, 1}, {1, kEmpty}, {reserved5, reserved5}}
        << Spots{{0, 1}, {1, 2}, {76, 77}, {77, kEmpty}};
}

void TestFieldLayoutWindow::fieldMoves()
{
    QFETCH(bool, inserting);
    QFETCH(int, position);
    QFETCH(int, nradd);
    QFETCH(QList<int>, answers);
    QFETCH(QStringList, questions);
    QFETCH(int, newNradd);
    QFETCH(Spots, data);
    QFETCH(Spots, captions);
    open(nradd);

    // The user clicks into the field and presses the item's shortcut.
    QTest::mouseClick(edit(position), Qt::LeftButton);
    QCOMPARE(m_window->currentFieldPosition(), position);
    for (int answer : answers)
        m_env->messages().answer(answer);
    QTest::keyClick(edit(position), inserting ? Qt::Key_Insert : Qt::Key_Delete,
                    Qt::ControlModifier);

    QCOMPARE(m_env->messages().texts(), questions);
    const QList<MessageRequest> &asked = m_env->messages().shown();
    for (int i = 0; i < asked.size(); ++i) {
        QCOMPARE(asked[i].owner, m_window.get());
        QCOMPARE(asked[i].caption, QStringLiteral("Warning"));
        QCOMPARE(asked[i].buttons, int(MsgYes | MsgNo | MsgCancel));
        QCOMPARE(asked[i].icon, i == 0 ? MsgIcon::Warning : MsgIcon::None);
    }

    verifyExtraRowsShown(newNradd);
    QCOMPARE(storedValue(m_env->dataDir(), files::labelsTable(kName), 1, QStringLiteral("Nradd")),
             QString::number(newNradd));
    auto shown = [&](int pos) { return pos >= cat::kFirstFixed || pos < newNradd; };
    for (const auto &[pos, source] : data) {
        for (int r = 1; r <= kRecords; ++r)
            QCOMPARE(stored(r, pos), source == kEmpty ? QString() : valueOf(source, r));
        if (shown(pos)) // the first record is the one shown
            QCOMPARE(edit(pos)->text(), source == kEmpty ? QString() : valueOf(source, 1));
    }
    for (const auto &[pos, source] : captions) {
        const QString expected = source == kEmpty ? QStringLiteral("...") : captionOf(source);
        QCOMPARE(storedCaption(pos), expected);
        if (shown(pos))
            QCOMPARE(caption(pos)->text(), expected);
    }

    QVERIFY(!progressBar()->isVisible());
    QCOMPARE(edit(position)->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Base));
    QCOMPARE(m_window->statusPanelText(1), QStringLiteral("3 records"));
}

void TestFieldLayoutWindow::failedMoveChangesNothing_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("message");
    QTest::newRow("insert field") << "insert"
                                  << "the disk refuses";
    QTest::newRow("delete field") << "delete"
                                  << "the disk refuses";
    QTest::newRow("remove fields") << "remove"
                                   << " deleting error!";
}

void TestFieldLayoutWindow::failedMoveChangesNothing()
{
    QFETCH(QString, operation);
    QFETCH(QString, message);
    open(2, [this] {
        // The records refuse every change, as a full or failing disk would.
        store::Table records;
        records.setTableName(m_env->path(files::recordsTable(kName)));
        records.open();
        records.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON data "
                                       "BEGIN SELECT RAISE(ABORT, 'the disk refuses'); END"));
    });
    const QStringList recordsBefore = allStored(files::recordsTable(kName));
    const QStringList labelsBefore = allStored(files::labelsTable(kName));

    const int phone = 83;
    if (operation == "remove") {
        onModal<TFDeleteFields>([this](TFDeleteFields *dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Edit1")),
                             QStringLiteral("2"));
            dialog->findChild<QPushButton *>(QStringLiteral("BOk"))->click();
        });
        m_env->messages().answer(MsgYes); // the dialog's question
        m_env->messages().answer(MsgOk);  // the failure
        m_window->findChild<QPushButton *>(QStringLiteral("BDeleteFields"))->click();
    } else {
        QTest::mouseClick(edit(phone), Qt::LeftButton);
        m_env->messages().answer(MsgYes);
        m_env->messages().answer(MsgOk);
        QTest::keyClick(edit(phone), operation == "insert" ? Qt::Key_Insert : Qt::Key_Delete,
                        Qt::ControlModifier);
    }

    QVERIFY2(m_env->messages().lastText().contains(message),
             qPrintable(m_env->messages().lastText()));
    QCOMPARE(m_env->messages().shown().last().icon,
             operation == "remove" ? MsgIcon::Information : MsgIcon::None);
    QCOMPARE(allStored(files::recordsTable(kName)), recordsBefore);
    QCOMPARE(allStored(files::labelsTable(kName)), labelsBefore);
    verifyExtraRowsShown(2);
    QCOMPARE(edit(phone)->text(), valueOf(phone, 1));
    QCOMPARE(caption(phone)->text(), captionOf(phone));
    QVERIFY(!progressBar()->isVisible());
}

void TestFieldLayoutWindow::removeFieldsEmptiesAndHides()
{
    open(3);
    QString maxShown;
    onModal<TFDeleteFields>([&](TFDeleteFields *dialog) {
        maxShown = dialog->findChild<QLabel *>(QStringLiteral("Label2"))->text();
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("Edit1")),
                         QStringLiteral("3"));
        m_env->messages().answer(MsgYes);
        dialog->findChild<QPushButton *>(QStringLiteral("BOk"))->click();
    });
    m_window->findChild<QAction *>(QStringLiteral("MMRemoveFields"))->trigger();

    QCOMPARE(maxShown, QStringLiteral("Max 3"));
    verifyExtraRowsShown(0);
    QCOMPARE(storedValue(m_env->dataDir(), files::labelsTable(kName), 1, QStringLiteral("Nradd")),
             QStringLiteral("0"));
    for (int pos = 0; pos < 3; ++pos) {
        for (int r = 1; r <= kRecords; ++r)
            QCOMPARE(stored(r, pos), QString());
        QCOMPARE(storedCaption(pos), QStringLiteral("..."));
    }
    // Only the fields that were shown are emptied.
    QCOMPARE(stored(2, 3), valueOf(3, 2));
    QCOMPARE(storedCaption(3), captionOf(3));
    QCOMPARE(edit(cat::kFirstFixed)->text(), valueOf(cat::kFirstFixed, 1));
}

void TestFieldLayoutWindow::addFieldsShowsMore()
{
    open(5);
    QStringList seen;
    onModal<TFAddFields>([&seen](TFAddFields *dialog) {
        seen << dialog->findChild<QLabel *>(QStringLiteral("Label3"))->text();
        auto *count = dialog->findChild<QLineEdit *>(QStringLiteral("Edit1"));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("BOk"));
        for (const char *typed : {"74", "0", "ab", "2"}) {
            count->clear();
            QTest::keyClicks(count, QString::fromLatin1(typed));
            seen << QStringLiteral("%1:%2").arg(typed, ok->isEnabled() ? "on" : "off");
        }
        ok->click();
    });
    m_window->findChild<QPushButton *>(QStringLiteral("BAddFields"))->click();

    QCOMPARE(seen, QStringList({"Max 73", "74:off", "0:off", "ab:off", "2:on"}));
    verifyExtraRowsShown(7);
    QCOMPARE(storedValue(m_env->dataDir(), files::labelsTable(kName), 1, QStringLiteral("Nradd")),
             QStringLiteral("7"));
    // The rows shown now show what their fields hold; no record changed.
    QCOMPARE(edit(6)->text(), valueOf(6, 1));
    QCOMPARE(caption(6)->text(), captionOf(6));
}

void TestFieldLayoutWindow::fieldItemsNeedAFieldOfTheChain()
{
    open(0);
    auto *insertField = m_window->findChild<QAction *>(QStringLiteral("InsertField1"));
    auto *deleteField = m_window->findChild<QAction *>(QStringLiteral("DeleteField1"));
    QTest::mouseClick(edit(cat::kPosDate), Qt::LeftButton);
    QVERIFY(!insertField->isEnabled());
    QVERIFY(!deleteField->isEnabled());
    // The keys stay the date box's own: no question comes.
    QTest::keyClick(edit(cat::kPosDate), Qt::Key_Insert, Qt::ControlModifier);
    QVERIFY(m_env->messages().shown().isEmpty());

    const int address2 = 88;
    QTest::mouseClick(edit(address2), Qt::LeftButton);
    QVERIFY(insertField->isEnabled());
    QVERIFY(deleteField->isEnabled());
    // The record boxes' popup acts on the same field.
    m_env->messages().answer(MsgNo);
    m_window->findChild<QAction *>(QStringLiteral("DeleteField2"))->trigger();
    QCOMPARE(m_env->messages().lastText(),
             QStringLiteral("Are you sure you want to delete completely \"cap Add2\" field from "
                            "all records ?"));
    QCOMPARE(stored(1, address2), valueOf(address2, 1));
}

// Delete Field on the last shown extra field hides the box that had the focus: Insert and
// Delete Field must not go on acting on that hidden field.
void TestFieldLayoutWindow::hiddenFieldIsNoLongerCurrent()
{
    open(3);
    QTest::mouseClick(edit(2), Qt::LeftButton);
    QCOMPARE(m_window->currentFieldPosition(), 2);
    m_env->messages().answer(MsgYes);
    QTest::keyClick(edit(2), Qt::Key_Delete, Qt::ControlModifier);
    verifyExtraRowsShown(2);

    QCOMPARE(m_window->currentFieldPosition(), int(cat::kPosDate));
    QVERIFY(!m_window->findChild<QAction *>(QStringLiteral("InsertField1"))->isEnabled());
    QVERIFY(!m_window->findChild<QAction *>(QStringLiteral("DeleteField1"))->isEnabled());
    QTest::keyClick(m_window.get(), Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(m_env->messages().shown().size(), 1);
    verifyExtraRowsShown(2);
}

void TestFieldLayoutWindow::editingCaptions()
{
    open(0);
    const int phone = 83;
    DBEdit *box = caption(phone);
    auto *saveLabels = m_window->findChild<QPushButton *>(QStringLiteral("BSaveLabels"));
    const int standard = m_window->standardCaptionWidth();
    const QColor tooltip = QApplication::palette().color(QPalette::ToolTipBase);
    const QColor buttonFace = box->palette().color(QPalette::Button);
    QVERIFY(standard > 0);
    QVERIFY(!saveLabels->isVisible());

    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(saveLabels->isVisible());
    QCOMPARE(box->palette().color(QPalette::Base), tooltip);
    QCOMPARE(box->width(), standard); // its text fits

    // The box grows with a text that does not fit, and returns when it is left.
    box->selectAll();
    const QString longCaption = QStringLiteral("Telephone at home, evenings and weekends");
    QTest::keyClicks(box, longCaption);
    QCOMPARE(box->text(), longCaption);
    QVERIFY2(box->width() > standard, qPrintable(QString::number(box->width())));
    QTest::mouseClick(edit(cat::kFirstFixed), Qt::LeftButton);
    QTRY_COMPARE(box->width(), standard);
    QCOMPARE(box->palette().color(QPalette::Base), buttonFace);

    saveLabels->click();
    QVERIFY(!saveLabels->isVisible());
    QCOMPARE(storedCaption(phone), longCaption);

    // The comments' caption only takes the colour, and keeps it.
    DBEdit *comments = m_window->findChild<DBEdit *>(QStringLiteral("LabelComments"));
    const int commentsWidth = comments->width();
    QTest::mouseClick(comments, Qt::LeftButton);
    QVERIFY(saveLabels->isVisible());
    QCOMPARE(comments->palette().color(QPalette::Base), tooltip);
    QTest::mouseClick(edit(cat::kFirstFixed), Qt::LeftButton);
    QCOMPARE(comments->palette().color(QPalette::Base), tooltip);
    QCOMPARE(comments->width(), commentsWidth);
}

QTEST_MAIN(TestFieldLayoutWindow)
#include "tst_fieldlayoutwindow.moc"
