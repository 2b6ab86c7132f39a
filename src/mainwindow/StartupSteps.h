#pragma once
// Start-up and close steps of Tavrionex4 that need no window.

#include <QRect>
#include <QString>
#include <optional>

namespace tav
{

// Makes sure the data directory can hold the tables and creates the files supplied with
// the program that are missing. StoreError with a readable text when it cannot.
void prepareDataDirectory(const QString &dataDir);

// A catalogue safety copy "databases.bak" left by an interrupted import replaces
// "databases.db" and is deleted. The copy is put in place under a temporary name first,
// so a failure leaves both files as they were. True when the catalogue was restored.
bool restoreCatalogueBackup(const QString &dataDir);

// Window placement kept in the settings: "Maximized", then "Left", "Top", "Height",
// "Width". Reading stops at the first value missing, as if no further value existed.
struct WindowPlacement {
    bool maximized = false;
    std::optional<QRect> bounds; // position of the frame, size of the client area
};
WindowPlacement readWindowPlacement();
void writeWindowPlacement(const QRect &bounds, bool maximized);

// "displayw": 0 shows the start-up wizard. Missing, it is written as 0.
int readShowWizardSetting();
// "LastData": the database current at the last close. Missing, it is written as "MASTER".
QString readLastDatabaseSetting();

} // namespace tav
