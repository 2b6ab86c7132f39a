#include "Launcher.h"

#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace tav
{

namespace
{

ProcessStarter &starterOverride()
{
    static ProcessStarter s;
    return s;
}

UrlOpener &openerOverride()
{
    static UrlOpener o;
    return o;
}

QStringList &extraFolders()
{
    static QStringList folders;
    return folders;
}

bool startProcess(const ProcessStart &start)
{
    if (starterOverride())
        return starterOverride()(start);
    return QProcess::startDetached(start.program, start.arguments, start.workingDirectory);
}

bool openUrl(const QString &urlOrPath)
{
    if (openerOverride())
        return openerOverride()(urlOrPath);
    const QUrl url = QDir::isAbsolutePath(urlOrPath) ? QUrl::fromLocalFile(urlOrPath)
                                                     : QUrl(urlOrPath, QUrl::TolerantMode);
    return QDesktopServices::openUrl(url);
}

// "Calc.exe", "calc" and "CALC.EXE" name the same program.
QString normalizedName(const QString &programName)
{
    QString name = programName.trimmed().toLower();
    if (name.endsWith(QLatin1String(".exe")))
        name.chop(4);
    return name;
}

// Linux programs that do the job of each program name the program uses, best first.
// A candidate may carry fixed arguments ("libreoffice --writer").
const QHash<QString, QStringList> &programTable()
{
    static const QHash<QString, QStringList> table = [] {
        const QStringList textEditors = {
            "gedit", "gnome-text-editor", "kate",    "mousepad", "pluma",
            "xed",   "featherpad",        "leafpad", "xdg-open"};
        const QStringList wordProcessors = {"libreoffice --writer", "soffice --writer", "abiword",
                                            "xdg-open"};
        const QStringList webBrowsers = {"x-www-browser", "firefox", "firefox-esr", "chromium"};
        return QHash<QString, QStringList>{
            {"notepad", textEditors},
            {"wordpad", wordProcessors},
            {"winword", wordProcessors},
            {"excel", {"libreoffice --calc", "soffice --calc", "gnumeric", "xdg-open"}},
            {"iexplore", webBrowsers},
            {"netscape", {"xdg-open", "sensible-browser"}},
            {"calc",
             {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}},
            {"dialer", {"gnome-calls", "plasma-dialer"}},
            {"mspaint", {"kolourpaint", "pinta", "mtpaint", "drawing"}},
            {"pbrush", {"gimp", "krita"}},
        };
    }();
    return table;
}

bool isBrowser(const QString &programName)
{
    const QString name = normalizedName(programName);
    return name == QLatin1String("iexplore") || name == QLatin1String("netscape");
}

QString findExecutable(const QString &name)
{
    if (name.contains('/')) {
        const QFileInfo info(name);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    QStringList folders = extraFolders();
    if (QCoreApplication::instance())
        folders << QCoreApplication::applicationDirPath();
    const QString found = QStandardPaths::findExecutable(name, folders);
    return found.isEmpty() ? QStandardPaths::findExecutable(name) : found;
}

// Every candidate for the program that is installed, as a ready start (program and its
// fixed arguments), best first.
QList<ProcessStart> installedStarts(const QString &programName)
{
    QList<ProcessStart> starts;
    for (const QString &candidate : Launcher::candidatesFor(programName)) {
        QStringList parts = QProcess::splitCommand(candidate);
        if (parts.isEmpty())
            continue;
        const QString executable = findExecutable(parts.takeFirst());
        if (!executable.isEmpty())
            starts.append({executable, parts, {}});
    }
    return starts;
}

// One shell "open" of a program with a parameter; mailto: links go to the desktop's
// mail handler whatever the program.
bool launchOnce(const QString &program, const QString &argument)
{
    if (argument.contains(QLatin1String("mailto:")))
        return openUrl(argument);
    QString parameter = argument;
    // "www.host" alone is not a URL to every opener; browsers all take http://.
    if (isBrowser(program) && parameter.startsWith(QLatin1String("www.")))
        parameter.prepend(QLatin1String("http://"));
    return Launcher::startProgram(program,
                                  parameter.isEmpty() ? QStringList() : QStringList{parameter});
}

} // namespace

void Launcher::setProcessStarter(ProcessStarter starter)
{
    starterOverride() = std::move(starter);
}

void Launcher::setUrlOpener(UrlOpener opener)
{
    openerOverride() = std::move(opener);
}

void Launcher::setSearchPath(const QStringList &folders)
{
    extraFolders() = folders;
}

QStringList Launcher::candidatesFor(const QString &programName)
{
    const QString name = normalizedName(programName);
    const auto it = programTable().constFind(name);
    if (it != programTable().constEnd())
        return it.value();
    // Unknown names keep their spelling (TavrionexFtp), only ".exe" goes.
    QString own = programName.trimmed();
    if (own.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        own.chop(4);
    return own.isEmpty() ? QStringList() : QStringList{own};
}

QString Launcher::resolve(const QString &programName)
{
    const QList<ProcessStart> starts = installedStarts(programName);
    return starts.isEmpty() ? QString() : starts.first().program;
}

bool Launcher::startProgram(const QString &programName, const QStringList &arguments,
                            const QString &workingDirectory)
{
    // An installed candidate that refuses to start gives way to the next one.
    for (ProcessStart start : installedStarts(programName)) {
        start.arguments += arguments;
        start.workingDirectory = workingDirectory;
        if (startProcess(start))
            return true;
    }
    return false;
}

bool Launcher::startCommandLine(const QString &commandLine, const QString &workingDirectory)
{
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty())
        return false;
    const QString program = parts.takeFirst();
    return startProgram(program, parts, workingDirectory);
}

bool Launcher::launchProgram(const QString &program, const QString &argument)
{
    if (launchOnce(program, argument))
        return true;
    if (normalizedName(program) == QLatin1String("iexplore")) {
        if (launchOnce(QStringLiteral("netscape"), argument))
            return true;
        MessageBoxes::showMessage(QStringLiteral("Could not start any browser!"));
        return false;
    }
    MessageBoxes::showMessage(QStringLiteral("Could not start ") + program);
    return false;
}

int Launcher::openDocument(const QString &path)
{
    if (path.trimmed().isEmpty())
        return OpenFileNotFound;
    const QFileInfo info(path);
    if (!info.exists())
        return info.absoluteDir().exists() ? OpenFileNotFound : OpenPathNotFound;
    if (!info.isReadable())
        return OpenAccessDenied;
    return openUrl(info.absoluteFilePath()) ? OpenOk : OpenNoAssociation;
}

QString Launcher::openResultMessage(int result)
{
    switch (result) {
    case 0:
        return QStringLiteral("The operating system is out of memory or resources.");
    case 2:
        return QStringLiteral("The specified file was not found.");
    case 3:
        return QStringLiteral("The specified path was not found.");
    case 5:
        return QStringLiteral("The operating system denied access to the specified file.");
    case 8:
        return QStringLiteral("There was not enough memory to complete the operation.");
    case 11:
        return QStringLiteral("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).");
    case 26:
        return QStringLiteral("A sharing violation occurred.");
    case 27:
        return QStringLiteral("The filename association is incomplete or invalid.");
    case 28:
        return QStringLiteral(
            "The DDE transaction could not be completed because the request timed out.");
    case 29:
        return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral("The DDE transaction could not be completed because other DDE "
                              "transactions were being processed.");
    case 31:
        return QStringLiteral(
            "There is no application associated with the given filename extension.");
    case 32:
        return QStringLiteral("The specified dynamic-link library was not found.");
    default:
        return QStringLiteral("Unknown error occurred.");
    }
}

bool Launcher::openDocumentReporting(const QString &path)
{
    const int result = openDocument(path);
    if (result > 32)
        return true;
    MessageBoxes::showMessage(openResultMessage(result));
    return false;
}

} // namespace tav
