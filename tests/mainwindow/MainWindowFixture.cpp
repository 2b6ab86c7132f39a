#include "MainWindowFixture.h"

#include "DialogDriver.h"
#include "FileNames.h"
#include "Settings.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TableFiles.h"
#include "Wizard.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace tav::test
{

void MainWindowTestCase::init()
{
    m_env = std::make_unique<TestEnvironment>();
}

void MainWindowTestCase::cleanup()
{
    m_env->verify();
    m_env.reset();
}

std::unique_ptr<TFDFin> startMainWindow(WizardAnswer answer)
{
    auto window = std::make_unique<TFDFin>();
    if (answer == WizardAnswer::NotExpected) {
        // Lives only while FormCreate runs, so it cannot touch a later test's dialogs.
        bool wizardSeen = false;
        QTimer guard;
        guard.setInterval(20);
        QObject::connect(&guard, &QTimer::timeout, [&wizardSeen] {
            if (auto *wizard = qobject_cast<TFWizard *>(QApplication::activeModalWidget())) {
                wizardSeen = true;
                wizard->reject();
            }
        });
        guard.start();
        window->FormCreate();
        if (wizardSeen)
            QTest::qFail("The start-up wizard appeared although it should not", __FILE__, __LINE__);
        return window;
    }
    const char *button = answer == WizardAnswer::Ok ? "BOk" : "BCancel";
    onModal<TFWizard>([button](TFWizard *wizard) {
        wizard->findChild<QPushButton *>(QString::fromLatin1(button))->click();
    });
    window->FormCreate();
    return window;
}

void createDatabase(const QString &dataDir, const QString &name, int nradd)
{
    namespace files = store::files;
    const QDir dir(dataDir);
    store::ensureSuppliedFiles(dataDir);
    store::copyTable(dir.filePath(files::kRecordsTemplate),
                     dir.filePath(files::recordsTable(name)));
    store::copyTable(dir.filePath(files::kLabelsTemplate), dir.filePath(files::labelsTable(name)));
    setNradd(dataDir, name, nradd);

    store::Table catalogue;
    catalogue.setDirectory(dataDir);
    catalogue.setTableName(files::kCatalogue);
    catalogue.open();
    catalogue.append();
    catalogue.setValue(QStringLiteral("Name"), name);
    catalogue.post();
}

void setNradd(const QString &dataDir, const QString &name, int nradd)
{
    store::Table labels;
    labels.setDirectory(dataDir);
    labels.setTableName(store::files::labelsTable(name));
    labels.open();
    labels.edit();
    labels.setAsInteger(QStringLiteral("Nradd"), nradd);
    labels.post();
}

void setShortDatePattern(const QString &pattern)
{
    QSettings store(Settings::filePath(), QSettings::IniFormat);
    store.setValue(QStringLiteral("International/sShortDate"), pattern);
}

void addRecords(const QString &dataDir, const QString &name, const QStringList &lastNames)
{
    store::Table records;
    records.setDirectory(dataDir);
    records.setTableName(store::files::recordsTable(name));
    records.open();
    records.transaction([&] {
        for (const QString &lastName : lastNames) {
            records.append();
            records.setAsDate(QStringLiteral("Date"), QDate::currentDate());
            records.setValue(QStringLiteral("LastName"), lastName);
            records.post();
        }
    });
}

QString storedValue(const QString &dataDir, const QString &table, int recNo, const QString &field)
{
    store::Table t;
    t.setDirectory(dataDir);
    t.setTableName(table);
    t.open();
    t.setRecNo(recNo);
    return t.asString(field);
}

bool activate(QWidget *window)
{
    window->show();
    window->activateWindow();
    window->raise();
    return QTest::qWaitForWindowActive(window);
}

bool isEnabled(TFDFin *w, const char *name)
{
    QObject *object = w->findChild<QObject *>(QString::fromLatin1(name));
    if (auto *action = qobject_cast<QAction *>(object))
        return action->isEnabled();
    return qobject_cast<QWidget *>(object)->isEnabled();
}

void chooseDatabase(TFDFin *window, const QString &name)
{
    auto *list = window->findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    const int index = list->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    list->showPopup();
    QAbstractItemView *view = list->view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

} // namespace tav::test
