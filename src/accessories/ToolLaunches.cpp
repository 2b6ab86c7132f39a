#include "ToolLaunches.h"

#include "HelpFile.h"
#include "Launcher.h"
#include "MessageBoxes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tav::tools
{

bool startCalculator()
{
    return Launcher::startCommandLine(QStringLiteral("Calc.exe"));
}

bool startPhoneDialer()
{
    if (Launcher::startCommandLine(QStringLiteral("dialer.exe")))
        return true;
    MessageBoxes::showMessage(
        QStringLiteral("615\nDialer not available. \nPlease look at help file for TIPS !"));
    return false;
}

bool startPaint()
{
    if (Launcher::startCommandLine(QStringLiteral("mspaint.exe")) ||
        Launcher::startCommandLine(QStringLiteral("pbrush.exe")))
        return true;
    MessageBoxes::showMessage(QStringLiteral("You don't have - c:\\windows - in PATH !"));
    return false;
}

QString uploadUtilityPath()
{
    // The upload utility is built and installed beside Tavrionex4.
    const QFileInfo program(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("TavrionexFtp")));
    return program.isFile() && program.isExecutable() ? program.absoluteFilePath() : QString();
}

bool startUploadUtility()
{
    // "c:" is its local start folder, which it maps to the home folder itself.
    const QString program = uploadUtilityPath();
    return !program.isEmpty() && Launcher::startProgram(program, {QStringLiteral("c:")});
}

bool publishToWeb(const QString &dataDir)
{
    // The web publishing program works on the tables of the current directory.
    QDir::setCurrent(dataDir);
    return Launcher::startCommandLine(QStringLiteral("TavrionexWebWizard -s"), dataDir);
}

bool openHelp()
{
    return Launcher::openDocumentReporting(helpFilePath());
}

} // namespace tav::tools
