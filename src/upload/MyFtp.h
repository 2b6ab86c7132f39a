#pragma once
// TMyFtp: the upload utility's session with one FTP server, over libcurl. One easy handle
// is kept per connection, so the control connection is reused between calls; transfers
// are binary and passive. libcurl works with URLs, so the session tracks the server's
// current directory itself and asks the server (CWD + PWD) whenever it needs to know it.
// Every call blocks; the connect, reply and low-speed timeouts keep it from blocking for
// ever. Plain messages for the user go out through the report() signal.

#include "FtpListing.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <memory>
#include <stdexcept>

namespace tav::upload
{

class CurlConnection;

// A failure the caller reports as an error ("Connection failed ...", "You must connect
// first!").
class FtpError : public std::runtime_error
{
public:
    explicit FtpError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

class TMyFtp : public QObject
{
    Q_OBJECT
public:
    explicit TMyFtp(QObject *owner = nullptr);
    ~TMyFtp() override;

    const QStringList &CurFiles() const { return m_curFiles; }
    // The server's current directory as last read from it.
    QString CurDir() const { return m_curDir; }
    QString UserID() const { return m_userId; }
    void setUserID(const QString &user) { m_userId = user; }
    QString Password() const { return m_password; }
    void setPassword(const QString &password) { m_password = password; }
    // Host name, or host:port for a server that does not listen on port 21.
    QString Server() const { return m_server; }
    void setServer(const QString &server) { m_server = server; }

    bool isConnected() const { return m_connection != nullptr; }
    // Seconds allowed for connecting, for each server reply, and for a transfer that
    // moves no data at all.
    void setTimeouts(int connectSeconds, int stallSeconds);

    // Logs in with Server, UserID and Password and reads the directory. Throws FtpError
    // beginning "Connection failed" when the server cannot be reached or refuses the
    // login; an earlier connection is then kept.
    void Connect();
    QString GetCurrentDirectory();
    void SetUpNewDir();
    const QStringList &FindFiles();
    // Enters the directory (relative to the current one, or absolute) after checking that
    // the server can enter it; an empty name re-reads the current directory. Throws
    // FtpError "You must connect first!" before the first Connect.
    bool ChangeDir(const QString &name);
    // The exact remote name of a line of CurFiles (names with blanks and long names
    // included); for any other text the name up to the first blank. `line` is replaced
    // by the result, which is also returned.
    QString CustomToFileName(QString &line) const;
    bool ChangeDirCustom(QString line);
    bool BackOneDir();
    // Downloads into `local`, replacing a file of that name only once the whole file has
    // arrived.
    bool GetFile(const QString &remote, const QString &local);
    // Uploads; on failure reports "Error Number: ..." messages built from libcurl's error
    // and the server's last reply.
    bool SendFile1(const QString &local, const QString &remote);
    bool CreateDirectory(const QString &name);
    bool RemoveDir(const QString &name);
    bool RemoveDirCustom(QString line);
    bool DeleteFile(const QString &name);
    bool DeleteFileCustom(QString line);

signals:
    // The current directory and CurFiles were read anew.
    void OnNewDir();
    // A plain message for the user ("Could not change to: ...", "Error Number: ...").
    void report(const QString &text);

private:
    bool runCommand(const QString &verb, const QString &name);
    QString absolutePath(const QString &name) const;

    std::unique_ptr<CurlConnection> m_connection;
    QStringList m_curFiles;
    QHash<QString, QString> m_namesByLine; // exact remote name of each line of CurFiles
    QString m_curDir;
    QString m_userId;
    QString m_password;
    QString m_server;
    int m_connectTimeout = 20;
    int m_stallTimeout = 60;
};

} // namespace tav::upload
