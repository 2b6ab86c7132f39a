#include "MyFtp.h"

#include "CurlConnection.h"

#include <QFile>
#include <QSaveFile>

namespace tav::upload
{

namespace
{
QString errorNumber(long code)
{
    return QStringLiteral("Error Number: %1. Hex: %2").arg(code).arg(code, 0, 16);
}

// Names end up in FTP command lines: a line break would start a second command.
bool safeForCommand(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('\r')) &&
           !name.contains(QLatin1Char('\n'));
}
} // namespace

TMyFtp::TMyFtp(QObject *owner) : QObject(owner) {}

TMyFtp::~TMyFtp() = default;

void TMyFtp::setTimeouts(int connectSeconds, int stallSeconds)
{
    m_connectTimeout = connectSeconds;
    m_stallTimeout = stallSeconds;
}

void TMyFtp::Connect()
{
    QString reason;
    if (const auto address = parseServer(m_server)) {
        auto fresh = std::make_unique<CurlConnection>(*address, m_userId, m_password,
                                                      m_connectTimeout, m_stallTimeout);
        // Logging in and asking where we are proves the login before anything else.
        const CurlResult login = fresh->probe(QString());
        if (login.ok()) {
            m_connection = std::move(fresh); // a replaced connection is closed here
            m_curDir = login.directory;
            FindFiles();
            SetUpNewDir();
            return;
        }
        reason = login.reason();
    } else {
        reason = QStringLiteral("The host name is not valid.");
    }
    // The password is never shown.
    throw FtpError(QStringLiteral("Connection failed\nServer: %1\nUserID: %2\n%3")
                       .arg(m_server, m_userId, reason));
}

QString TMyFtp::GetCurrentDirectory()
{
    if (!m_connection)
        return m_curDir;
    const CurlResult r = m_connection->probe(m_curDir);
    if (r.ok())
        m_curDir = r.directory;
    return m_curDir;
}

void TMyFtp::SetUpNewDir()
{
    m_curDir = GetCurrentDirectory();
    emit OnNewDir();
}

const QStringList &TMyFtp::FindFiles()
{
    m_curFiles.clear();
    m_namesByLine.clear();
    QByteArray listing;
    if (m_connection && m_connection->list(m_curDir, &listing).ok()) {
        for (const RemoteEntry &entry : parseListing(listing)) {
            const QString line = listingLine(entry);
            m_curFiles << line;
            m_namesByLine.insert(line, entry.name);
        }
    }
    return m_curFiles;
}

bool TMyFtp::ChangeDir(const QString &name)
{
    if (!m_connection)
        throw FtpError(QStringLiteral("You must connect first!"));
    if (!name.isEmpty()) {
        const CurlResult r = m_connection->probe(absolutePath(name));
        if (!r.ok()) {
            emit report(QStringLiteral("Could not change to: ") + name);
            return false;
        }
        m_curDir = r.directory;
    }
    FindFiles();
    SetUpNewDir();
    return true;
}

QString TMyFtp::CustomToFileName(QString &line) const
{
    line = m_namesByLine.value(line, customToFileName(line));
    return line;
}

bool TMyFtp::ChangeDirCustom(QString line)
{
    return ChangeDir(CustomToFileName(line));
}

bool TMyFtp::BackOneDir()
{
    QString parent = parentDirectory(m_curDir);
    if (parent == QLatin1String("/"))
        return false;
    if (parent.isEmpty())
        parent = QStringLiteral("/");
    ChangeDir(parent);
    return true;
}

bool TMyFtp::GetFile(const QString &remote, const QString &local)
{
    if (!m_connection || remote.isEmpty())
        return false;
    QSaveFile file(local);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!m_connection->download(absolutePath(remote), &file).ok()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool TMyFtp::SendFile1(const QString &local, const QString &remote)
{
    if (!m_connection)
        return false;
    QFile file(local);
    CurlResult r;
    if (!file.open(QIODevice::ReadOnly)) {
        r.code = 26; // libcurl's "read error": the local file could not be read
        r.error = QStringLiteral("Cannot read %1: %2").arg(local, file.errorString());
    } else {
        r = m_connection->upload(&file, file.size(), absolutePath(remote));
        if (r.ok())
            return true;
    }
    emit report(errorNumber(r.code));
    emit report(errorNumber(r.responseCode) + QStringLiteral(" Info: ") + r.reason());
    return false;
}

bool TMyFtp::runCommand(const QString &verb, const QString &name)
{
    if (!m_connection || !safeForCommand(name))
        return false;
    return m_connection->command(m_curDir, verb + QLatin1Char(' ') + name).ok();
}

bool TMyFtp::CreateDirectory(const QString &name)
{
    return runCommand(QStringLiteral("MKD"), name);
}

bool TMyFtp::RemoveDir(const QString &name)
{
    return runCommand(QStringLiteral("RMD"), name);
}

bool TMyFtp::RemoveDirCustom(QString line)
{
    return RemoveDir(CustomToFileName(line));
}

bool TMyFtp::DeleteFile(const QString &name)
{
    return runCommand(QStringLiteral("DELE"), name);
}

bool TMyFtp::DeleteFileCustom(QString line)
{
    return DeleteFile(CustomToFileName(line));
}

QString TMyFtp::absolutePath(const QString &name) const
{
    if (name.startsWith(QLatin1Char('/')))
        return name;
    return m_curDir.endsWith(QLatin1Char('/')) ? m_curDir + name
                                               : m_curDir + QLatin1Char('/') + name;
}

} // namespace tav::upload
