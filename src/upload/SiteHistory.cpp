#include "SiteHistory.h"

#include "FtpListing.h"

#include <QFile>

namespace tav::upload
{

namespace
{
bool fitsOnOneLine(const QString &text)
{
    return !text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) &&
           !text.contains(QLatin1Char('\r'));
}
} // namespace

QList<SitePair> readSiteHistory(const QString &path)
{
    QList<SitePair> pairs;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return pairs;
    const QStringList lines = decodeText(file.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            pairs.append({line, QString()});
        else
            pairs.append({line.left(tab), line.mid(tab + 1)});
    }
    return pairs;
}

bool appendSitePair(const QString &path, const SitePair &pair)
{
    if (!fitsOnOneLine(pair.host) || !fitsOnOneLine(pair.user))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray line = pair.host.toUtf8() + '\t' + pair.user.toUtf8() + '\n';
    return file.write(line) == line.size() && file.flush();
}

bool ensureSiteHistory(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

QStringList usersForHost(const QList<SitePair> &pairs, const QString &host)
{
    QStringList users;
    for (const SitePair &pair : pairs)
        if (pair.host == host)
            users << pair.user;
    return users;
}

} // namespace tav::upload
