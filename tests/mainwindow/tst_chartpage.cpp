// The Chart page: the points drawn for the records as stored, the type list, the
// animation, 3D, marks and legend, printing, and that building leaves the user's record
// and edit alone.

#include "ChartPage.h"
#include "ChartView.h"
#include "DBControls.h"
#include "FieldCatalogue.h"
#include "FileNames.h"
#include "MainWindowFixture.h"
#include "RecordsFixture.h"
#include "Table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace tav;
using namespace tav::test;
namespace cat = store::catalogue;

namespace
{
ChartPage *chartPage(TFDFin *w)
{
    return w->findChild<ChartPage *>(QStringLiteral("ScrollBox6"));
}

QComboBox *chartType(TFDFin *w)
{
    return w->findChild<QComboBox *>(QStringLiteral("cbbChartType"));
}

QCheckBox *checkBox(TFDFin *w, const char *name)
{
    return w->findChild<QCheckBox *>(QString::fromLatin1(name));
}

// The user picks an item of the type list, even the one it already shows.
void chooseType(TFDFin *w, int item)
{
    chartType(w)->setCurrentIndex(item);
    emit chartType(w)->activated(item);
}

QString caption(TFDFin *w, int pos)
{
    return w->controls().captionBoxes[pos]->text();
}

QStringList drawnPoints(const ChartPage *page)
{
    QStringList points;
    for (const ChartPoint &p : page->points())
        points << p.label + QLatin1Char('=') + QString::number(p.value);
    return points;
}

QPieSeries *pie(const ChartPage *page)
{
    return static_cast<QPieSeries *>(page->chartView(ChartPage::Pie)->series());
}

void setCaption(const QString &dataDir, int pos, const QString &text)
{
    store::Table labels;
    labels.setDirectory(dataDir);
    labels.setTableName(store::files::labelsTable(store::files::kMaster));
    labels.open();
    labels.edit();
    labels.setValue(cat::labelsField(pos), text);
    labels.post();
}
} // namespace

class TestChartPage : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void controlsStartAsDesigned()
    {
        fillMaster(m_env->dataDir(), 2);
        auto w = startMainWindow(WizardAnswer::Ok);
        ChartPage *page = chartPage(w.get());
        QVERIFY(page);
        QCOMPARE(page->title(), QStringLiteral("My Chart"));
        QCOMPARE(checkBox(w.get(), "ckbAnimate")->text(), QStringLiteral("Animate !!!"));
        QVERIFY(!checkBox(w.get(), "ckbAnimate")->isChecked());
        QCOMPARE(w->findChild<QGroupBox *>(QStringLiteral("rgEfects"))->title(),
                 QStringLiteral("Efects"));
        QVERIFY(checkBox(w.get(), "ckb3D")->isChecked());
        QVERIFY(checkBox(w.get(), "ckbMarks")->isChecked());
        QVERIFY(w->findChild<QRadioButton *>(QStringLiteral("rgLegendItem1"))->isChecked());
        QCOMPARE(chartType(w.get())->currentText(), QStringLiteral("Pie chart"));
        QCOMPARE(chartType(w.get())->count(), 4);
        QCOMPARE(w->findChild<QPushButton *>(QStringLiteral("bbPrintChart"))->text(),
                 QStringLiteral("Print"));
        QCOMPARE(page->shownType(), int(ChartPage::Pie));
    }

    void anEmptyDatabaseGivesEmptyChartsWithItsName()
    {
        fillMaster(m_env->dataDir(), 0);
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "MMChart");
        ChartPage *page = chartPage(w.get());
        QCOMPARE(w->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->currentIndex(), 2);
        for (int type = 0; type < ChartPage::ChartTypes; ++type)
            QCOMPARE(page->chartView(type)->chart()->title(),
                     QStringLiteral("Data Distribution for MASTER"));
        QVERIFY(page->points().isEmpty());
        QCOMPARE(pie(page)->count(), 0);
    }

    void pointsCountTheFilledRecordsOfEachField()
    {
        // FirstName and LastName are filled in all five records.
        fillMaster(m_env->dataDir(), 5, [](store::Table &t, int n) {
            t.setValue(QStringLiteral("ID"), QStringLiteral("id"));
            if (n <= 2)
                t.setValue(QStringLiteral("Phone"), QStringLiteral("555"));
            if (n == 5)
                t.setValue(QStringLiteral("Fax"), QStringLiteral("556"));
            if (n == 2)
                t.setValue(QStringLiteral("Email"), QStringLiteral(" "));
            if (n % 2)
                t.setValue(cat::recordField(0), QStringLiteral("x"));
            t.setValue(cat::recordField(1), QStringLiteral("hidden")); // beyond Nradd
        }, 1);
        const int phone = cat::positionOfRecordField(QStringLiteral("Phone"));
        const int fax = cat::positionOfRecordField(QStringLiteral("Fax"));
        setCaption(m_env->dataDir(), phone, QStringLiteral("Same"));
        setCaption(m_env->dataDir(), fax, QStringLiteral("Same"));
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "MMChart");

        const auto point = [&](const char *field, int value) {
            return caption(w.get(), cat::positionOfRecordField(QString::fromLatin1(field))) +
                   QLatin1Char('=') + QString::number(value);
        };
        const QStringList expected{point("ID", 5),    point("FirstName", 5), point("LastName", 5),
                                   "Same=2",          "Same=1",              point("Email", 1),
                                   caption(w.get(), 0) + "=3"};
        ChartPage *page = chartPage(w.get());
        QCOMPARE(drawnPoints(page), expected);
        // Every chart holds the same points; the pie's marks give label and value.
        QCOMPARE(pie(page)->count(), expected.size());
        QCOMPARE(pie(page)->slices().at(3)->label(), QStringLiteral("Same 2"));
        QCOMPARE(pie(page)->slices().at(4)->value(), 1.0);
    }

    void theTypeListShowsTheChosenChartAndResetsOnRebuild()
    {
        fillMaster(m_env->dataDir(), 3);
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "MMChart");
        ChartPage *page = chartPage(w.get());

        chooseType(w.get(), 1);
        QCOMPARE(page->shownType(), int(ChartPage::Bars));
        QVERIFY(!page->chartView(ChartPage::Bars)->isHidden());
        QVERIFY(page->chartView(ChartPage::Pie)->isHidden());
        QVERIFY(!checkBox(w.get(), "ckbAnimate")->isEnabled());

        trigger(w.get(), "MMChart");
        QCOMPARE(chartType(w.get())->currentText(), QStringLiteral("Pie chart"));
        QCOMPARE(page->shownType(), int(ChartPage::Bars));
        QVERIFY(!page->chartView(ChartPage::Bars)->isHidden());

        chooseType(w.get(), 0); // the item the list already shows
        QCOMPARE(page->shownType(), int(ChartPage::Pie));
        QVERIFY(!page->chartView(ChartPage::Pie)->isHidden());
        QVERIFY(checkBox(w.get(), "ckbAnimate")->isEnabled());
    }

    void animationTurnsThePieUntilAnotherTypeIsChosen()
    {
        fillMaster(m_env->dataDir(), 3);
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "MMChart");
        ChartPage *page = chartPage(w.get());
        auto *timer = page->findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(!timer->isActive());

        checkBox(w.get(), "ckbAnimate")->click();
        QVERIFY(timer->isActive());
        QVERIFY(timer->interval() >= 10); // a rate a screen can show
        QTRY_VERIFY(page->pieRotation() >= 10);
        QCOMPARE(page->pieRotation() % 5, 0);
        QCOMPARE(pie(page)->pieStartAngle(), qreal(page->pieRotation()));

        checkBox(w.get(), "ckbAnimate")->click();
        QVERIFY(!timer->isActive());
        QCOMPARE(pie(page)->pieSize(), 0.7);

        checkBox(w.get(), "ckbAnimate")->click();
        chooseType(w.get(), 3);
        QVERIFY(!timer->isActive());
        QVERIFY(!checkBox(w.get(), "ckbAnimate")->isChecked());
    }

    void effectsMarksAndLegendReachAllFourCharts()
    {
        fillMaster(m_env->dataDir(), 3);
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "MMChart");
        ChartPage *page = chartPage(w.get());

        checkBox(w.get(), "ckb3D")->click();
        checkBox(w.get(), "ckbMarks")->click();
        w->findChild<QRadioButton *>(QStringLiteral("rgLegendItem2"))->click();
        for (int type = 0; type < ChartPage::ChartTypes; ++type) {
            ChartView *view = page->chartView(type);
            QVERIFY(!view->depth());
            QVERIFY(!view->marksVisible());
            QCOMPARE(view->chart()->legend()->alignment(), Qt::AlignTop);
        }
        QVERIFY(!pie(page)->slices().first()->isLabelVisible());
        checkBox(w.get(), "ckbMarks")->click();
        QVERIFY(pie(page)->slices().first()->isLabelVisible());
        QVERIFY(page->chartView(ChartPage::Area)->marksVisible());
    }

    // 3D is a depth drawn under every type, not a flag nobody sees. With
    // TAV_SCREENSHOT_DIR=<folder> each type is saved with 3D on and off.
    void threeDChangesTheDrawingOfEveryType()
    {
        fillMaster(m_env->dataDir(), 6, [](store::Table &t, int n) {
            t.setValue(QStringLiteral("ID"), QStringLiteral("id"));
            if (n <= 4)
                t.setValue(QStringLiteral("Phone"), QStringLiteral("555"));
            if (n <= 2)
                t.setValue(QStringLiteral("Email"), QStringLiteral("a@b.c"));
            if (n % 2)
                t.setValue(cat::recordField(0), QStringLiteral("x"));
        }, 2);
        auto w = startMainWindow(WizardAnswer::Ok);
        w->resize(1000, 700);
        trigger(w.get(), "MMChart");
        QTest::qWait(50);
        ChartPage *page = chartPage(w.get());
        const QString folder = qEnvironmentVariable("TAV_SCREENSHOT_DIR");
        const char *names[] = {"pie", "bars", "horizontal-bars", "area"};
        for (int type = 0; type < ChartPage::ChartTypes; ++type) {
            chooseType(w.get(), type);
            QImage drawn[2];
            for (bool depth : {true, false}) {
                if (checkBox(w.get(), "ckb3D")->isChecked() != depth)
                    checkBox(w.get(), "ckb3D")->click();
                drawn[depth] = page->chartView(type)->grab().toImage();
                if (!folder.isEmpty())
                    QVERIFY(page->grab().save(QDir(folder).filePath(
                        QStringLiteral("chart-%1-3d-%2.png")
                            .arg(QLatin1String(names[type]), depth ? "on" : "off"))));
            }
            QVERIFY2(drawn[0] != drawn[1], names[type]);
        }
    }

    void buildingLeavesTheUsersEditAlone()
    {
        fillMaster(m_env->dataDir(), 3);
        auto w = startMainWindow(WizardAnswer::Ok);
        QVERIFY(activate(w.get()));
        showRecord(w.get(), 2);
        auto *first = w->findChild<DBEdit *>(QStringLiteral("EditFirstName"));
        first->setFocus();
        first->selectAll();
        QTest::keyClicks(first, QStringLiteral("Typed"));
        QCOMPARE(w->table1()->state(), store::DataSetState::Edit);

        w->BuildChart();
        QCOMPARE(w->table1()->state(), store::DataSetState::Edit);
        QCOMPARE(w->table1()->recNo(), 2);
        QCOMPARE(w->table1()->asString(QStringLiteral("FirstName")), QStringLiteral("Typed"));
        QCOMPARE(storedColumn(m_env->dataDir(), "FirstName"), QStringLiteral("F1,F2,F3"));
    }

    void switchingDatabaseOnTheChartPageRebuildsIt()
    {
        createDatabase(m_env->dataDir(), QStringLiteral("SHOP"));
        addRecords(m_env->dataDir(), QStringLiteral("SHOP"), {"Ames", "Bell"});
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "MMChart");
        chooseDatabase(w.get(), QStringLiteral("SHOP"));
        ChartPage *page = chartPage(w.get());
        QCOMPARE(page->title(), QStringLiteral("Data Distribution for SHOP"));
        QVERIFY(drawnPoints(page).contains(
            caption(w.get(), cat::positionOfRecordField(QStringLiteral("LastName"))) + "=2"));
    }

    void printMakesAPageOfTheChosenChart()
    {
        fillMaster(m_env->dataDir(), 3);
        auto w = startMainWindow(WizardAnswer::Ok);
        trigger(w.get(), "MMChart");
        chooseType(w.get(), 2);
        click(w.get(), "bbPrintChart");
        QCOMPARE(m_env->printedFiles().size(), 1);
        QCOMPARE(m_env->printRequests().first().title,
                 QStringLiteral("Data Distribution for MASTER"));
        const QString text = TestEnvironment::pdfText(m_env->printedFiles().first());
        QVERIFY2(text.contains(QStringLiteral("Data Distribution for MASTER")), qPrintable(text));
        QVERIFY2(text.contains(caption(w.get(), cat::positionOfRecordField("LastName")) + " 3"),
                 qPrintable(text));
    }
};

QTEST_MAIN(TestChartPage)
#include "tst_chartpage.moc"
