#pragma once
// Hands documents, links and tools to the desktop. Program names the program uses
// ("notepad", "iexplore", "Calc.exe", ...) are mapped to Linux equivalents found on
// PATH; documents and URLs go to the desktop's default handler. Tests replace the
// process starter and the document opener so nothing really opens.

#include <QString>
#include <QStringList>
#include <functional>

namespace tav {

struct ProcessStart {
    QString program;      // resolved executable (absolute path or name on PATH)
    QStringList arguments;
    QString workingDirectory;
};

// Starts a detached process; false when it could not be started.
using ProcessStarter = std::function<bool(const ProcessStart &)>;
// Opens a URL or local file with the desktop's default handler; false on failure.
using UrlOpener = std::function<bool(const QString &urlOrPath)>;

// Result codes of "open a document", in the numbering the message table uses:
// above 32 is success.
enum OpenResult : int {
    OpenOutOfResources = 0,
    OpenFileNotFound = 2,
    OpenPathNotFound = 3,
    OpenAccessDenied = 5,
    OpenNoAssociation = 31,
    OpenOk = 33,
};

class Launcher
{
public:
    static void setProcessStarter(ProcessStarter starter); // empty: real QProcess::startDetached
    static void setUrlOpener(UrlOpener opener);            // empty: real QDesktopServices
    // Extra folders searched before PATH. The folder of the running binary is always
    // searched after them, PATH last.
    static void setSearchPath(const QStringList &folders);

    // Linux candidates for a program name the program uses ("Calc.exe", "notepad", ...);
    // unknown names map to themselves without ".exe".
    static QStringList candidatesFor(const QString &programName);
    // The executable of the first candidate installed (absolute path, without the
    // candidate's fixed arguments), or empty when none is.
    static QString resolve(const QString &programName);

    // Starts the program (a name above or a path) with the arguments, detached; tries
    // every installed candidate in turn; false when none started. Arguments are passed
    // as they are: callers map "c:\..." names with mapDrivePath first.
    static bool startProgram(const QString &programName, const QStringList &arguments,
                             const QString &workingDirectory = {});
    // Starts a command line "program arg1 arg2" (split like a shell, quotes allowed)
    // with its window shown; false on failure.
    static bool startCommandLine(const QString &commandLine, const QString &workingDirectory = {});
    // Shell "open" of program with a parameter. "iexplore" falls back to "netscape";
    // shows "Could not start any browser!" or "Could not start " + program on failure.
    // A parameter containing "mailto:" goes to the URL opener instead of the program.
    static bool launchProgram(const QString &program, const QString &argument);
    // Opens a local file with the desktop's default handler; returns an OpenResult.
    // Failures are mapped from the real cause: missing file 2, missing folder 3,
    // unreadable 5, no handler (the opener refused) 31.
    static int openDocument(const QString &path);
    // The message for a result code of openDocument (the table of shell results).
    static QString openResultMessage(int result);
    // openDocument plus the message box on failure; true when it opened.
    static bool openDocumentReporting(const QString &path);
};

} // namespace tav
