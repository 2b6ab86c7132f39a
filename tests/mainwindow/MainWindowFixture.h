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

} // namespace tav::test
