#pragma once
// Starting the main window in a test's data directory, with the start-up wizard answered.

#include "FDFin.h"

#include <QString>
#include <memory>

namespace tav::test
{

enum class WizardAnswer { Ok, Cancel, NotExpected };

// Creates TFDFin and runs FormCreate; the wizard, when it appears, is answered as asked.
// With NotExpected a wizard that appears anyway is cancelled and the test fails.
std::unique_ptr<TFDFin> startMainWindow(WizardAnswer answer);

// A database besides MASTER: its files from the templates and its row in the catalogue.
// The labels row gets `nradd` extra fields.
void createDatabase(const QString &dataDir, const QString &name, int nradd = 0);

// Writes the user's short date format into the settings store.
void setShortDatePattern(const QString &pattern);

// Appends one record per last name to a database's records table, each created today.
void addRecords(const QString &dataDir, const QString &name, const QStringList &lastNames);
// The stored value of `field` in record `recNo` (1-based) of a table file.
QString storedValue(const QString &dataDir, const QString &table, int recNo,
                    const QString &field);
// Makes the window the active one, so that menu shortcuts reach it.
bool activate(QWidget *window);
// Chooses a database in the list ComboBox1 as the user does, from its drop-down.
void chooseDatabase(TFDFin *window, const QString &name);

} // namespace tav::test
