// Printing records from the real main window: FPrintDialog's choices, one PDF page per
// record read back as text, the record number being the record's position, pictures and
// notes only when asked for (and never locked notes), and the window's own record and
// pending edit left alone by a whole-database print.

#include "DialogDriver.h"
#include "FDFin.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "PrintDialog.h"
#include "RecordsFixture.h"
#include "Table.h"
#include "TestEnvironment.h"

#include <QBuffer>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tav;
using namespace tav::test;

namespace
{
QByteArray pngPicture()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Three records with a picture and notes; Count 10, 20, 30 so that numbers differ from
// positions.
void fillThree(const QString &dataDir)
{
    fillMaster(dataDir, 3, [](store::Table &t, int n) {
        t.setValue("Email", QStringLiteral("p%1@example.com").arg(n));
        t.setValue("Comments", QStringLiteral("Note of record %1").arg(n));
        t.setValue("Image", pngPicture());
    });
    store::Table records;
    records.setDirectory(dataDir);
    records.setTableName(store::files::recordsTable(store::files::kMaster));
    records.open();
    records.execute(QStringLiteral("UPDATE data SET Count = Count * 10"));
}

// Answers FPrintDialog: the whole database or the current record, the check boxes, OK.
void choose(TFPrintDialog *d, bool wholeDatabase, bool notes = true, bool image = true)
{
    d->findChild<QRadioButton *>(wholeDatabase ? "RBDatabase" : "RBCurrentRecord")
        ->setChecked(true);
    auto *notesBox = d->findChild<QCheckBox *>("CBComments");
    if (notesBox->isEnabled())
        notesBox->setChecked(notes);
    d->findChild<QCheckBox *>("CBImage")->setChecked(image);
    d->findChild<QPushButton *>("Button1")->click();
}

// The same for the modal dialog of the menu item, armed before it opens.
void answerPrint(bool wholeDatabase, bool notes = true, bool image = true)
{
    onModal<TFPrintDialog>([=](TFPrintDialog *d) { choose(d, wholeDatabase, notes, image); });
}

QStringList pages(const QString &pdf)
{
    QStringList list = TestEnvironment::pdfText(pdf).split(QLatin1Char('\f'));
    if (!list.isEmpty() && list.last().trimmed().isEmpty())
        list.removeLast();
    return list;
}

int imageCount(const QString &pdf)
{
    QProcess list;
    list.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    list.waitForFinished(30000);
    // Two header lines, then one line per image.
    return QString::fromUtf8(list.readAllStandardOutput()).trimmed().split('\n').size() - 2;
}

QString simplified(const QString &text)
{
    return text.simplified();
}
} // namespace

class TestRecordPrinting : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void wholeDatabasePrintsEveryRecordByPosition()
    {
        fillThree(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        showRecord(w.get(), 2);
        answerPrint(true);
        trigger(w.get(), "MMPrint");
        QCOMPARE(m_env->printedFiles().size(), 1);
        const QStringList printed = pages(m_env->printedFiles().first());
        QCOMPARE(printed.size(), 3);
        for (int n = 1; n <= 3; ++n) {
            const QString page = simplified(printed[n - 1]);
            QVERIFY2(page.contains(QStringLiteral("DATABASE: MASTER")), qPrintable(page));
            QVERIFY2(page.contains(QStringLiteral("Record Number : %1 ").arg(n)), qPrintable(page));
            QVERIFY(page.contains(QStringLiteral("L%1 ").arg(n)));
            QVERIFY(page.contains(QStringLiteral("Note of record %1").arg(n)));
            QVERIFY(page.contains(QStringLiteral("Last"))); // the caption column
            QVERIFY(!page.contains(QStringLiteral("No.")));
        }
        QCOMPARE(imageCount(m_env->printedFiles().first()), 3);
        QCOMPARE(w->table1()->recNo(), 2);
    }

    void currentRecordPrintsThePageOfTheRecordShown()
    {
        fillThree(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        showRecord(w.get(), 3);
        click(w.get(), "SBPrint");
        auto *dialog = w->findChild<TFPrintDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        choose(dialog, false);
        QCOMPARE(m_env->printedFiles().size(), 1);
        const QStringList printed = pages(m_env->printedFiles().first());
        QCOMPARE(printed.size(), 1);
        const QString page = simplified(printed.first());
        QVERIFY2(page.contains(QStringLiteral("Record Number : 3 ")), qPrintable(page));
        QVERIFY(page.contains(QStringLiteral("p3@example.com")));
        QVERIFY(page.contains(QStringLiteral("Note of record 3")));
        QCOMPARE(imageCount(m_env->printedFiles().first()), 1);
    }

    void uncheckedImageAndNotesStayOffThePage()
    {
        fillThree(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        answerPrint(true, false, false);
        trigger(w.get(), "MMPrint");
        QCOMPARE(m_env->printedFiles().size(), 1);
        const QString pdf = m_env->printedFiles().first();
        QCOMPARE(imageCount(pdf), 0);
        QVERIFY(!TestEnvironment::pdfText(pdf).contains(QStringLiteral("Note of record")));
        QCOMPARE(pages(pdf).size(), 3);
    }

    void lockedNotesNeverPrint()
    {
        fillThree(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        w->pageHooks().commentsLocked = [] { return true; };
        onModal<TFPrintDialog>([](TFPrintDialog *d) {
            auto *notes = d->findChild<QCheckBox *>("CBComments");
            QVERIFY(!notes->isEnabled());
            QVERIFY(!notes->isChecked());
            d->findChild<QRadioButton *>("RBDatabase")->setChecked(true);
            d->findChild<QPushButton *>("Button1")->click();
        });
        trigger(w.get(), "MMPrint");
        QCOMPARE(m_env->printedFiles().size(), 1);
        QVERIFY(!TestEnvironment::pdfText(m_env->printedFiles().first())
                     .contains(QStringLiteral("Note of record")));
    }

    void wholeDatabaseLeavesThePendingEditAlone()
    {
        fillThree(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), 2);
        auto *first = w->findChild<QLineEdit *>("EditFirstName");
        first->setFocus();
        first->selectAll();
        QTest::keyClicks(first, "Typed");
        QCOMPARE(w->table1()->state(), store::DataSetState::Edit);
        answerPrint(true);
        trigger(w.get(), "MMPrint");
        QCOMPARE(m_env->printedFiles().size(), 1);
        // The file's records are printed; the edit is still the user's to save or drop.
        const QString text = TestEnvironment::pdfText(m_env->printedFiles().first());
        QVERIFY(text.contains(QStringLiteral("F2")));
        QVERIFY(!text.contains(QStringLiteral("Typed")));
        QCOMPARE(w->table1()->state(), store::DataSetState::Edit);
        QCOMPARE(w->table1()->recNo(), 2);
        QCOMPARE(first->text(), QStringLiteral("Typed"));
        QCOMPARE(storedValue(m_env->dataDir(), "table1.db", 2, "FirstName"), QStringLiteral("F2"));
    }

    void emptyDatabasePrintsNothing()
    {
        fillMaster(m_env->dataDir(), 0);
        auto w = startMainWindow(WizardAnswer::Ok);
        answerPrint(true);
        trigger(w.get(), "MMPrint");
        QVERIFY(m_env->printedFiles().isEmpty());
    }

    void everyToolbarClickOpensADialogOfItsOwn()
    {
        fillThree(m_env->dataDir());
        auto w = startMainWindow(WizardAnswer::Ok);
        click(w.get(), "SBPrint");
        click(w.get(), "SBPrint");
        const auto dialogs = w->findChildren<TFPrintDialog *>();
        QCOMPARE(dialogs.size(), 2);
        for (TFPrintDialog *d : dialogs) {
            QVERIFY(d->isVisible());
            QVERIFY(!d->isModal());
            d->findChild<QPushButton *>("Button2")->click();
        }
        QVERIFY(m_env->printedFiles().isEmpty());
    }
};

QTEST_MAIN(TestRecordPrinting)
#include "tst_recordprinting.moc"
