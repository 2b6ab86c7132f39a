// Saved report configurations on the Report page: the configuration step of a report run,
// loading into a database with fewer extra fields, the date range's "_" and deleting the
// last configuration.

#include "FileNames.h"
#include "MainWindowFixture.h"
#include "RadioGroup.h"
#include "ReportConfigurations.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace tav;
using namespace tav::test;
using store::ops::ReportConfiguration;
using store::ops::ReportConfigurations;
namespace files = tav::store::files;

namespace
{
const QString kShop = QStringLiteral("SHOP");
const QString kFew = QStringLiteral("FEW");

template <typename T> T *child(TFDFin *w, const char *name)
{
    return w->findChild<T *>(QString::fromLatin1(name));
}

QComboBox *list(TFDFin *w)
{
    return child<QComboBox>(w, "cbbConfiguration");
}

// Enabled as far as the list itself decides, whatever the page around it.
bool listEnabled(TFDFin *w)
{
    return !list(w)->testAttribute(Qt::WA_ForceDisabled);
}

void choose(TFDFin *w, const QString &name)
{
    QComboBox *box = list(w);
    box->setCurrentIndex(box->findText(name));
    emit box->activated(box->currentIndex());
}
} // namespace

class TestConfigurations : public MainWindowTestCase
{
    Q_OBJECT

private slots:
    void namelessSaveStopsTheRun()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        child<QLineEdit>(w.get(), "edtConfig")->clear();
        m_env->messages().answer(MsgOk);
        QVERIFY(!w->saveConfigurationBeforeReport());
        QVERIFY(m_env->messages().lastText().startsWith(
            QStringLiteral("You have not enter a report configuration name.")));

        child<RadioGroup>(w.get(), "rgConfig")->setItemIndex(0); // "Do not save"
        QVERIFY(w->saveConfigurationBeforeReport());
    }

    // A name saved for another database counts as existing: No keeps it, Yes takes it over.
    void existingNameIsOverwrittenOnlyAfterYes()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        ReportConfigurations(m_env->dataDir()).save(
            ReportConfiguration{kShop, QStringLiteral("Mine"), {}, QStringLiteral(",0,"), 0, -1, 0, 0, {}}, false);
        child<QLineEdit>(w.get(), "edtConfig")->setText(QStringLiteral("Mine"));

        m_env->messages().answer(MsgNo);
        QVERIFY(!w->saveConfigurationBeforeReport());
        QCOMPARE(m_env->messages().shown().last().caption, QStringLiteral("Warning"));
        QCOMPARE(ReportConfigurations(m_env->dataDir()).names(kShop), QStringList{QStringLiteral("Mine")});

        m_env->messages().answer(MsgYes);
        QVERIFY(w->saveConfigurationBeforeReport());
        QVERIFY(ReportConfigurations(m_env->dataDir()).names(kShop).isEmpty());
        QCOMPARE(ReportConfigurations(m_env->dataDir()).names(files::kMaster), QStringList{QStringLiteral("Mine")});
    }

    // Saved where 10 extra fields show, loaded where 5 do: the other five keep their boxes.
    void loadingIntoFewerExtraFields()
    {
        createDatabase(m_env->dataDir(), kShop, 10);
        createDatabase(m_env->dataDir(), kFew, 5);
        auto w = startMainWindow(WizardAnswer::Ok);
        chooseDatabase(w.get(), kShop);
        const ControlTables &c = w->controls();
        for (int pos = 0; pos < 10; ++pos) {
            c.outputChecks[pos]->setChecked(pos % 2 == 0);
            c.criteriaChecks[pos]->setChecked(true);
            c.criteriaEdits[pos]->setText(QStringLiteral("x%1").arg(pos));
        }
        c.criteriaChecks[store::catalogue::kPosDate]->setChecked(true);
        c.criteriaEdits[store::catalogue::kPosDate]->setText(QStringLiteral("1-1-1999"));
        child<QLineEdit>(w.get(), "Edit1a")->setText(QStringLiteral("2_2_2000"));
        child<QRadioButton>(w.get(), "RBDes")->setChecked(true);
        child<QLineEdit>(w.get(), "edtConfig")->setText(QStringLiteral("Ten"));
        QVERIFY(w->saveConfigurationBeforeReport());

        chooseDatabase(w.get(), kFew);
        QVERIFY(!listEnabled(w.get())); // FEW has none of its own
        // The configuration belongs to SHOP; stored again under FEW it loads there.
        ReportConfiguration ten = *ReportConfigurations(m_env->dataDir()).load(kShop, QStringLiteral("Ten"));
        ten.dataName = kFew;
        ten.configName = QStringLiteral("Ten here");
        ReportConfigurations(m_env->dataDir()).save(ten, false);
        w->RefreshConfigurationList();
        QVERIFY(listEnabled(w.get()));
        for (int pos = 5; pos < 10; ++pos) {
            c.criteriaChecks[pos]->setChecked(false);
            c.criteriaEdits[pos]->setText(QStringLiteral("mine"));
        }
        child<QRadioButton>(w.get(), "RBAsc")->setChecked(true);
        choose(w.get(), QStringLiteral("Ten here"));

        QVERIFY(child<QRadioButton>(w.get(), "RBDes")->isChecked());
        for (int pos = 0; pos < 5; ++pos) {
            QCOMPARE(c.outputChecks[pos]->isChecked(), pos % 2 == 0);
            QVERIFY(c.criteriaChecks[pos]->isChecked());
            QCOMPARE(c.criteriaEdits[pos]->text(), QStringLiteral("x%1").arg(pos));
        }
        for (int pos = 5; pos < 10; ++pos) {
            QVERIFY(!c.criteriaChecks[pos]->isChecked());
            QCOMPARE(c.criteriaEdits[pos]->text(), QStringLiteral("mine"));
        }
        // The date range is split at its first "_".
        QCOMPARE(c.criteriaEdits[store::catalogue::kPosDate]->text(), QStringLiteral("1-1-1999"));
        QCOMPARE(child<QLineEdit>(w.get(), "Edit1a")->text(), QStringLiteral("2_2_2000"));
        QCOMPARE(child<QLineEdit>(w.get(), "edtConfig")->text(), QStringLiteral("Ten here"));
    }

    void deletingTheLastConfigurationHidesTheList()
    {
        auto w = startMainWindow(WizardAnswer::Ok);
        child<QLineEdit>(w.get(), "edtConfig")->setText(QStringLiteral("Only"));
        QVERIFY(w->saveConfigurationBeforeReport());
        w->RefreshConfigurationList();
        QCOMPARE(list(w.get())->count(), 1);
        QVERIFY(listEnabled(w.get()));

        child<QAction>(w.get(), "DeleteProject1")->trigger(); // nothing chosen: nothing happens
        QCOMPARE(list(w.get())->count(), 1);
        list(w.get())->setCurrentIndex(0);
        child<QAction>(w.get(), "DeleteProject1")->trigger();
        QCOMPARE(list(w.get())->count(), 0);
        QVERIFY(list(w.get())->isHidden());
        QVERIFY(ReportConfigurations(m_env->dataDir()).names(files::kMaster).isEmpty());
    }
};

QTEST_MAIN(TestConfigurations)
#include "tst_configurations.moc"
