#include "LinkTargets.h"

#include <QUrl>

namespace tav::accessories {

bool hasWebMarker(const QString &text)
{
    return text.contains(QLatin1String("www.")) || text.contains(QLatin1String("http://")) ||
           text.contains(QLatin1String("https://"));
}

bool hasMailMarker(const QString &text)
{
    return text.contains(QLatin1Char('@'));
}

QString webLinkUrl(const QString &text)
{
    QString candidate = text.trimmed();
    if (candidate.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        candidate.prepend(QLatin1String("http://"));
    const QUrl url(candidate, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty() || candidate.contains(QLatin1Char(' ')))
        return {};
    return QString::fromLatin1(url.toEncoded());
}

QString mailLinkUrl(const QString &text)
{
    QString address = text.trimmed();
    if (address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        address = address.mid(7);
    const int query = address.indexOf(QLatin1Char('?'));
    if (query >= 0)
        address.truncate(query);
    address = address.trimmed();
    const int at = address.lastIndexOf(QLatin1Char('@'));
    if (at <= 0 || at == address.size() - 1)
        return {};
    return QStringLiteral("mailto:") +
           QString::fromLatin1(QUrl::toPercentEncoding(address, QByteArrayLiteral("@")));
}

} // namespace tav::accessories
