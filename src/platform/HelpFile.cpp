#include "HelpFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace tav {

QString helpFilePath()
{
    const QString binDir = QCoreApplication::applicationDirPath();
    const QStringList places = {
        binDir + QStringLiteral("/help/index.html"),
        binDir + QStringLiteral("/" TAV_HELP_FROM_BIN "/index.html"),
        QStringLiteral(TAV_SOURCE_HELP_DIR "/index.html"),
    };
    for (const QString &place : places)
        if (QFileInfo(place).isFile())
            return QFileInfo(place).canonicalFilePath();
    return {};
}

} // namespace tav
