#include "DataDirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace tav
{

namespace
{
// The catalogue of databases; its presence marks a folder already in use as a data folder.
const char kCatalogueFile[] = "databases.db";

QString absoluteFrom(const QString &base, const QString &path)
{
    return QDir::cleanPath(QDir(base).absoluteFilePath(path));
}
} // namespace

DataDirectoryInputs currentDataDirectoryInputs(const QString &option)
{
    return {option, qEnvironmentVariable("TAVRIONEX_DATA"), QDir::currentPath(), QDir::homePath()};
}

QString chooseDataDirectory(const DataDirectoryInputs &inputs)
{
    if (!inputs.option.isEmpty())
        return absoluteFrom(inputs.workingDirectory, inputs.option);
    if (!inputs.variable.isEmpty())
        return absoluteFrom(inputs.workingDirectory, inputs.variable);
    if (QFileInfo(QDir(inputs.workingDirectory).filePath(QLatin1String(kCatalogueFile))).isFile())
        return QDir::cleanPath(inputs.workingDirectory);
    return absoluteFrom(inputs.home, QStringLiteral("Tavrionex"));
}

DataDirectory prepareDataDirectory(const DataDirectoryInputs &inputs)
{
    const QString path = chooseDataDirectory(inputs);
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        return {{},
                QStringLiteral("The data folder %1 is a file, not a folder.")
                    .arg(QDir::toNativeSeparators(path))};
    if (!info.exists() && !QDir().mkpath(path))
        return {{},
                QStringLiteral("The data folder %1 cannot be created.")
                    .arg(QDir::toNativeSeparators(path))};
    if (!QFileInfo(path).isWritable())
        return {{},
                QStringLiteral("The data folder %1 cannot be written to.")
                    .arg(QDir::toNativeSeparators(path))};
    return {path, {}};
}

} // namespace tav
