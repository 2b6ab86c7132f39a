#include "StartupSteps.h"

#include "FileNames.h"
#include "Settings.h"
#include "StoreError.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace tav
{

namespace files = store::files;

void prepareDataDirectory(const QString &dataDir)
{
    const QFileInfo info(dataDir);
    if (!info.isDir())
        throw store::StoreError(
            QStringLiteral("The data directory %1 does not exist.").arg(dataDir));
    if (!info.isWritable())
        throw store::StoreError(
            QStringLiteral("The data directory %1 cannot be written.").arg(dataDir));
    store::ensureSuppliedFiles(dataDir);
}

bool restoreCatalogueBackup(const QString &dataDir)
{
    const QDir dir(dataDir);
    const QString backup = dir.filePath(files::kCatalogueBackup);
    QFile probe(backup);
    if (!probe.open(QIODevice::ReadOnly))
        return false;
    probe.close();

    const QString catalogue = dir.filePath(files::kCatalogue);
    const QString incoming = catalogue + QStringLiteral(".restoring");
    QFile::remove(incoming);
    if (!QFile::copy(backup, incoming))
        return false;
    // rename() replaces the old catalogue in one step.
    if (std::rename(QFile::encodeName(incoming).constData(),
                    QFile::encodeName(catalogue).constData()) != 0) {
        QFile::remove(incoming);
        return false;
    }
    QFile::remove(backup);
    return true;
}

WindowPlacement readWindowPlacement()
{
    WindowPlacement placement;
    const std::optional<int> maximized = Settings::readInt(QStringLiteral("Maximized"));
    if (!maximized)
        return placement;
    if (*maximized == 1) {
        placement.maximized = true;
        return placement;
    }
    const auto left = Settings::readInt(QStringLiteral("Left"));
    if (!left)
        return placement;
    const auto top = Settings::readInt(QStringLiteral("Top"));
    if (!top)
        return placement;
    const auto height = Settings::readInt(QStringLiteral("Height"));
    if (!height)
        return placement;
    const auto width = Settings::readInt(QStringLiteral("Width"));
    if (!width)
        return placement;
    placement.bounds = QRect(*left, *top, *width, *height);
    return placement;
}

void writeWindowPlacement(const QRect &bounds, bool maximized)
{
    Settings::writeInt(QStringLiteral("Left"), bounds.left());
    Settings::writeInt(QStringLiteral("Top"), bounds.top());
    Settings::writeInt(QStringLiteral("Height"), bounds.height());
    Settings::writeInt(QStringLiteral("Width"), bounds.width());
    Settings::writeInt(QStringLiteral("Maximized"), maximized ? 1 : 0);
}

int readShowWizardSetting()
{
    const QString name = QStringLiteral("displayw");
    if (const std::optional<int> value = Settings::readInt(name))
        return *value;
    Settings::writeInt(name, 0);
    Settings::sync();
    return 0;
}

QString readLastDatabaseSetting()
{
    const QString name = QStringLiteral("LastData");
    if (const std::optional<QString> value = Settings::readString(name))
        return *value;
    Settings::writeString(name, files::kMaster);
    Settings::sync();
    return files::kMaster;
}

} // namespace tav
