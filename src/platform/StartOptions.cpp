#include "StartOptions.h"

#include <QCommandLineParser>
#include <QGuiApplication>

namespace tav
{

void setProgramIdentity(const QString &desktopId)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tavrionex"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("tavrionex.org"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAV_VERSION));
    QGuiApplication::setDesktopFileName(desktopId);
}

bool commandLinePrintsOnly(int argc, char **argv, const QStringList &extraOptions)
{
    QStringList printing = {QStringLiteral("-h"), QStringLiteral("--help"),
                            QStringLiteral("--help-all"), QStringLiteral("-v"),
                            QStringLiteral("--version")};
    printing += extraOptions;
    for (int i = 1; i < argc; ++i)
        if (printing.contains(QString::fromLocal8Bit(argv[i])))
            return true;
    return false;
}

QCommandLineOption addCommonOptions(QCommandLineParser &parser, const QString &description)
{
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDir(
        QStringLiteral("data-dir"),
        QStringLiteral("Use <folder> as the data folder (created when missing). Without it: "
                       "$TAVRIONEX_DATA, else the working folder when it holds databases.db, "
                       "else ~/Tavrionex."),
        QStringLiteral("folder"));
    parser.addOption(dataDir);
    return dataDir;
}

} // namespace tav
