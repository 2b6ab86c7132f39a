#include "MainWindowFixture.h"

#include "DialogDriver.h"
#include "FileNames.h"
#include "Settings.h"
#include "SuppliedFiles.h"
#include "Table.h"
#include "TableFiles.h"
#include "Wizard.h"

#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace tav::test
{

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

    store::Table labels;
    labels.setDirectory(dataDir);
    labels.setTableName(files::labelsTable(name));
    labels.open();
    labels.edit();
    labels.setAsInteger(QStringLiteral("Nradd"), nradd);
    labels.post();

    store::Table catalogue;
    catalogue.setDirectory(dataDir);
    catalogue.setTableName(files::kCatalogue);
    catalogue.open();
    catalogue.append();
    catalogue.setValue(QStringLiteral("Name"), name);
    catalogue.post();
}

void setShortDatePattern(const QString &pattern)
{
    QSettings store(Settings::filePath(), QSettings::IniFormat);
    store.setValue(QStringLiteral("International/sShortDate"), pattern);
}

} // namespace tav::test
