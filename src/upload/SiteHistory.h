#pragma once
// The site history "hist.tvx": one line per remembered pair, the host name, a tab and the
// user name. Passwords are never written.

#include <QList>
#include <QString>
#include <QStringList>

namespace tav::upload
{

struct SitePair {
    QString host;
    QString user;
};

// Every pair in file order. A line without a tab is a host with an empty user; blank
// lines are skipped; LF and CR LF both end a line. A missing or unreadable file gives an
// empty list.
QList<SitePair> readSiteHistory(const QString &path);
// Appends "host<TAB>user" and a line end. False when the file cannot be written or when a
// text holds a tab or a line break (it would not read back as the same pair).
bool appendSitePair(const QString &path, const SitePair &pair);
// Creates an empty history file when there is none.
bool ensureSiteHistory(const QString &path);
// The users remembered for exactly this host, in file order.
QStringList usersForHost(const QList<SitePair> &pairs, const QString &host);

} // namespace tav::upload
