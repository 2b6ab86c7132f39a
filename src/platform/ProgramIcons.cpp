#include "ProgramIcons.h"

namespace tav
{

namespace
{
QIcon iconOfSizes(const QString &name)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/tavrionex/icons/%1x%1/apps/%2.png").arg(size).arg(name),
                     QSize(size, size));
    return icon;
}
} // namespace

QIcon programIcon()
{
    static const QIcon icon = iconOfSizes(QStringLiteral("org.tavrionex.Tavrionex4"));
    return icon;
}

QIcon uploadIcon()
{
    static const QIcon icon = iconOfSizes(QStringLiteral("org.tavrionex.TavrionexFtp"));
    return icon;
}

} // namespace tav
