#pragma once
// The Tools and Help launches of the main window. Each shows its own message on
// failure (through the message-box seam) and returns whether something started.

#include <QString>

namespace tav::tools {

bool startCalculator();            // "Calc.exe"; nothing shown on failure
bool startPhoneDialer();           // "dialer.exe"; "615\nDialer not available. ..." on failure
bool startPaint();                 // "mspaint.exe", then "pbrush.exe"; "You don't have - c:\windows - in PATH !"
bool startUploadUtility();         // "TavrionexFtp c:" from the folder of the running binary
bool publishToWeb(const QString &dataDir); // "TavrionexWebWizard -s" in the data directory
bool openHelp();                   // the HTML help shipped with the program

// The upload utility beside the running program (build folder or installed bin folder);
// empty when it is not there.
QString uploadUtilityPath();

} // namespace tav::tools
