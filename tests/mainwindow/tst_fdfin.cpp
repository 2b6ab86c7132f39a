// The main window's own state: control tables, extra fields from Nradd, enabling of the
// database controls, the busy indicator and the data-aware controls.

#include "DBControls.h"
#include "FDFin.h"
#include "FieldCatalogue.h"
#include "MainWindowFixture.h"
#include "PendingFeatures.h"
#include "Settings.h"
#include "TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <memory>

using namespace tav;
using namespace tav::test;
namespace cat = tav::store::catalogue;
using tav::store::DataSetState;

class TestFDFin : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void controlTablesFollowTheCatalogue()
    {
        auto w = startMainWindow(WizardAnswer::Cancel);
        const ControlTables &t = w->controls();
        auto nameOf = [](QObject *o) { return o ? o->objectName() : QString(); };
        for (int p = 0; p < cat::kControlTableSize; ++p) {
            const QString at = QStringLiteral(" at %1").arg(p);
            const bool record = p <= cat::kLastFixed;
            QCOMPARE(nameOf(t.recordEdits[p]) + at,
                     (record ? cat::editBoxName(p) : QString()) + at);
            const bool caption = record && p != cat::kPosDate && p != cat::kPosCount;
            QCOMPARE(nameOf(t.captionBoxes[p]) + at,
                     (caption ? cat::captionBoxName(p) : QString()) + at);
            QCOMPARE(nameOf(t.criteriaChecks[p]) + at,
                     (record ? cat::criteriaCheckName(p) : QString()) + at);
            QCOMPARE(nameOf(t.criteriaEdits[p]) + at,
                     (record ? cat::criteriaEditName(p) : QString()) + at);
            const bool output = p <= cat::kPosComments;
            QCOMPARE(nameOf(t.outputChecks[p]) + at,
                     (output ? cat::outputCheckName(p) : QString()) + at);
            if (record) {
                QCOMPARE(t.recordEdits[p]->field(), cat::recordField(p));
                QCOMPARE(t.recordEdits[p]->source(), w->dataSource1());
            }
            if (caption) {
                QCOMPARE(t.captionBoxes[p]->field(), cat::labelsField(p));
                QCOMPARE(t.captionBoxes[p]->source(), w->dataSource2());
                QCOMPARE(t.captionBoxes[p]->maxCharacters(), p < cat::kExtraFields ? 100 : 40);
            }
        }
        // The number in a control's name follows its place on the screen.
        QCOMPARE(t.recordEdits[10]->objectName(), QStringLiteral("EditReserved16"));
        QCOMPARE(t.recordEdits[10]->field(), QStringLiteral("Res19"));
        QCOMPARE(t.captionBoxes[10]->field(), QStringLiteral("Res16"));
    }

    void extraFieldsFollowNradd_data()
    {
        QTest::addColumn<int>("nradd");
        QTest::newRow("none") << 0;
        QTest::newRow("five") << 5;
        QTest::newRow("all") << 78;
    }

    void extraFieldsFollowNradd()
    {
        QFETCH(int, nradd);
        createDatabase(m_env->dataDir(), QStringLiteral("STOCK"), nradd);
        Settings::writeString(QStringLiteral("LastData"), QStringLiteral("STOCK"));
        auto w = startMainWindow(WizardAnswer::Ok);

        QCOMPARE(w->extraFieldCount(), nradd);
        const ControlTables &t = w->controls();
        for (int p = 0; p <= cat::kLastFixed; ++p) {
            const bool shown = p >= cat::kExtraFields || p < nradd;
            QVERIFY2(t.recordEdits[p]->isVisibleTo(w.get()) == shown,
                     qPrintable(cat::editBoxName(p)));
            if (t.captionBoxes[p])
                QVERIFY2(t.captionBoxes[p]->isVisibleTo(w.get()) == shown,
                         qPrintable(cat::captionBoxName(p)));
        }
        // With every extra field shown, the last row edits Res86.
        if (nradd == 78)
            QCOMPARE(w->findChild<DBEdit *>(QStringLiteral("EditReserved83"))->field(),
                     QStringLiteral("Res86"));
    }

    void onlyBuiltFeaturesAreEnabled()
    {
        auto w = startMainWindow(WizardAnswer::Cancel);
        auto *menus = w->menuBar();
        auto action = [&](const char *name) {
            return w->findChild<QAction *>(QString::fromLatin1(name));
        };
        QVERIFY(!action("MMEditAction")->isEnabled());
        QVERIFY(!action("MReportAction")->isEnabled());
        QVERIFY(action("MMExit")->isEnabled());

        w->EnableDatabaseControls(true);
        QVERIFY(action("MMEditAction")->isEnabled());
        QVERIFY(action("MMRecordsAction")->isEnabled());
        QVERIFY(w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->isVisibleTo(w.get()));
        QCOMPARE(w->findChild<QWidget *>(QStringLiteral("ClientArea"))
                     ->palette()
                     .color(QPalette::Window),
                 QApplication::palette().color(QPalette::Button));

        // Every menu item is enabled exactly when its feature is built.
        int items = 0;
        for (QAction *a : menus->findChildren<QAction *>()) {
            if (a->objectName().isEmpty() || a->isSeparator() || a->menu())
                continue;
            ++items;
            // Paste Record waits for a copied record, the field items for a field of the
            // field chain to be entered.
            const bool built = !isPendingFeature(a->objectName());
            const bool waiting = QStringList{"SMPaste", "InsertField1", "DeleteField1"}.contains(
                a->objectName());
            QVERIFY2(a->isEnabled() == (built && !waiting), qPrintable(a->objectName()));
        }
        QVERIFY(items >= 60);
        for (const char *built : {"MMExit", "MMShowWiz", "MMCalculator", "MMPhoneDialer", "MMPaint",
                                  "MMUpload", "MPublish", "MMHelp", "MMAbout"})
            QVERIFY2(action(built)->isEnabled(), built);
        for (const char *built : {"SBPrint", "SBExport", "SBImport", "SBBackup", "SBRestore"})
            QVERIFY2(w->findChild<QWidget *>(QString::fromLatin1(built))->isEnabled(), built);

        w->EnableDatabaseControls(false);
        QVERIFY(!action("MMEditAction")->isEnabled());
        QVERIFY(!w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->isVisibleTo(w.get()));
    }

    void busyIndicator()
    {
        auto w = startMainWindow(WizardAnswer::Cancel);
        auto *ok = w->findChild<QPushButton *>(QStringLiteral("BScreenPreview"));
        w->ShowBusy();
        w->ShowBusy(); // a second call must not stack a second cursor
        QCOMPARE(w->windowTitle(), QStringLiteral("Tavrionex 4  -  PLEASE WAIT ..."));
        QCOMPARE(ok->text(), QStringLiteral("Please wait"));
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        w->ShowReady();
        QCOMPARE(w->windowTitle(), QStringLiteral("Tavrionex 4"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(!QApplication::overrideCursor());
    }

    void editBoxesFollowAndWriteTheRecord()
    {
        setShortDatePattern(QStringLiteral("dd.MM.yyyy"));
        auto w = startMainWindow(WizardAnswer::Ok);
        store::Table *records = w->table1();
        auto *first = w->findChild<DBEdit *>(QStringLiteral("EditFirstName"));
        auto *date = w->findChild<DBEdit *>(QStringLiteral("EditDate"));
        QCOMPARE(date->text(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        QVERIFY(w->findChild<DBEdit *>(QStringLiteral("EditCount"))->isReadOnly());

        // A value set by the program shows, and goes again with cancel.
        records->edit();
        records->setValue(QStringLiteral("FirstName"), QStringLiteral("Ann"));
        QCOMPARE(first->text(), QStringLiteral("Ann"));
        records->cancel();
        QCOMPARE(first->text(), QString());
        QCOMPARE(w->dataSource1()->state(), DataSetState::Browse);

        // Typing starts editing and writes the buffer; a date waits for the post.
        QTest::keyClicks(first, QStringLiteral("Joanne"));
        QCOMPARE(w->dataSource1()->state(), DataSetState::Edit);
        QCOMPARE(records->asString(QStringLiteral("FirstName")), QStringLiteral("Joanne"));
        date->selectAll();
        QTest::keyClicks(date, QStringLiteral("01.02.2003"));
        QCOMPARE(records->asDate(QStringLiteral("Date")), QDate::currentDate());
        records->post();
        QCOMPARE(records->asDate(QStringLiteral("Date")), QDate(2003, 2, 1));
        QCOMPARE(date->text(), QStringLiteral("01.02.2003"));

        // Text that is no date leaves the stored date alone.
        date->selectAll();
        QTest::keyClicks(date, QStringLiteral("soon"));
        records->post();
        QCOMPARE(records->asDate(QStringLiteral("Date")), QDate(2003, 2, 1));
        QCOMPARE(date->text(), QStringLiteral("01.02.2003"));

        auto *memo = w->findChild<DBMemo *>(QStringLiteral("MemoComments"));
        QTest::keyClicks(memo, QStringLiteral("Met at the fair"));
        QCOMPARE(records->asString(QStringLiteral("Comments")), QStringLiteral("Met at the fair"));
        records->post();

        w->ShowExtraFields(1); // the user edits the captions of extra fields in use
        auto *caption = w->findChild<DBEdit *>(QStringLiteral("LabelR6"));
        caption->selectAll();
        QTest::keyClicks(caption, QStringLiteral("Birthday"));
        QCOMPARE(w->dataSource2()->state(), DataSetState::Edit);
        QCOMPARE(w->table2()->asString(QStringLiteral("Res6")), QStringLiteral("Birthday"));
        w->table2()->cancel();
        QVERIFY(caption->text() != QStringLiteral("Birthday"));
    }

    void pictureBoxShowsTheImageField()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        auto *image = w->findChild<DBImage *>(QStringLiteral("EditImage"));
        QVERIFY(!image->isVisibleTo(w.get()));

        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        w->table1()->edit();
        w->table1()->setValue(QStringLiteral("Image"), png);
        w->table1()->post();
        w->ShowImageIfAny();
        QVERIFY(image->isVisibleTo(w.get()));
        QCOMPARE(image->picture().size(), QSize(40, 30));
    }
};

QTEST_MAIN(TestFDFin)
#include "tst_fdfin.moc"
