#pragma once
// The program entry of Tavrionex4, kept in the library so main.cpp stays thin.

namespace tav
{

// Reads the command line (--help, --version, --data-dir, --paths), makes the data folder
// the working directory, takes the instance lock "tavrionex" (a second copy says
// "Application Already Running" and ends with 0), shows the splash window, creates the
// main window and runs the event loop. A failure that escapes an
// event handler is shown as a message instead of ending the program.
int runTavrionex4(int &argc, char **argv);

} // namespace tav
