#pragma once
// What both programs tell the desktop about themselves, and the command line they share.

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace tav
{

// Organisation "Tavrionex", the version, and the desktop entry the windows belong to
// (desktopId without ".desktop"), so task bars group the windows under the menu entry.
// The application name and display name stay each program's own.
void setProgramIdentity(const QString &desktopId);

// True when the command line asks only for printed answers (--help, --version or one of
// the extra options), so the program can answer without connecting to a display.
bool commandLinePrintsOnly(int argc, char **argv, const QStringList &extraOptions = {});

// --help, --version and --data-dir DIR on the parser, with the description shown by
// --help. Returns the --data-dir option to read after process().
QCommandLineOption addCommonOptions(QCommandLineParser &parser, const QString &description);

} // namespace tav
