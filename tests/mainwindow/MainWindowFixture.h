#pragma once
// Starting the main window in a test's data directory, with the start-up wizard answered.

#include "FDFin.h"
#include "TestEnvironment.h"

#include <QObject>
#include <QString>
#include <memory>

namespace tav::test
{

enum class WizardAnswer { Ok, Cancel, NotExpected };

// Base of a main-window test case: every test function runs in a fresh TestEnvironment,
// verified afterwards. A case that prepares more calls these from its own init()/cleanup().
class MainWindowTestCase : public QObject
{
    Q_OBJECT

protected slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<TestEnvironment> m_env;
};

// Creates TFDFin and runs FormCreate; the wizard, when it appears, is answered as asked.
// With NotExpected a wizard that appears anyway is cancelled and the test fails.
std::unique_ptr<TFDFin> startMainWindow(WizardAnswer answer);

// A database besides MASTER: its files from the templates and its row in the catalogue.
// The labels row gets `nradd` extra fields.
void createDatabase(const QString &dataDir, const QString &name, int nradd = 0);
// Sets how many extra fields a database shows (Nradd of its labels row).
void setNradd(const QString &dataDir, const QString &name, int nradd);

// Writes the user's short date format into the settings store.
void setShortDatePattern(const QString &pattern);

// Appends one record per last name to a database's records table, each created today.
void addRecords(const QString &dataDir, const QString &name, const QStringList &lastNames);
// The stored value of `field` in record `recNo` (1-based) of a table file.
QString storedValue(const QString &dataDir, const QString &table, int recNo,
                    const QString &field);
// Makes the window the active one, so that menu shortcuts reach it.
bool activate(QWidget *window);
// Whether a widget or a menu item of the window is enabled.
bool isEnabled(TFDFin *w, const char *name);
// Chooses a database in the list ComboBox1 as the user does, from its drop-down.
void chooseDatabase(TFDFin *window, const QString &name);

} // namespace tav::test
