#pragma once
// One logged-in FTP connection: a libcurl easy handle bound to a host, port and login.
// The handle is kept for the life of the connection so libcurl reuses the control
// connection (and silently logs in again when the server dropped an idle one). Paths are
// absolute remote paths; each component is URL-escaped, so blanks and '%' are safe.

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <optional>

namespace tav::upload
{

struct ServerAddress {
    QString host;
    int port = 21;
};

// "host", "host:port", "[v6 address]:port", also with a leading "ftp://" and a trailing
// path. Empty when no host is given or the port is not a number from 1 to 65535.
std::optional<ServerAddress> parseServer(const QString &server);

// What one request did.
struct CurlResult {
    int code = 0;          // libcurl's result (0 = success)
    long responseCode = 0; // the server's last reply code, 0 when it sent none
    QString lastReply;     // the server's last reply line, e.g. "550 Not enough privileges."
    QString error;         // libcurl's explanation of `code`
    QString directory;     // for probe(): the directory the server reported (PWD)
    bool ok() const { return code == 0; }
    // The server's reply when there was one, otherwise libcurl's explanation.
    QString reason() const { return lastReply.isEmpty() ? error : lastReply; }
};

class CurlConnection
{
public:
    CurlConnection(const ServerAddress &address, const QString &user, const QString &password,
                   int connectTimeout, int stallTimeout);
    ~CurlConnection();
    CurlConnection(const CurlConnection &) = delete;
    CurlConnection &operator=(const CurlConnection &) = delete;

    // Enters `dir` (empty: stays in the login directory) and asks PWD.
    CurlResult probe(const QString &dir);
    // The LIST answer for `dir`.
    CurlResult list(const QString &dir, QByteArray *listing);
    CurlResult download(const QString &path, QIODevice *sink);
    CurlResult upload(QIODevice *source, qint64 size, const QString &path);
    // Enters `dir`, then sends one command such as "MKD name".
    CurlResult command(const QString &dir, const QString &command);

private:
    struct Request;
    CurlResult perform(const Request &request);
    QByteArray url(const QString &path, bool isDirectory) const;

    void *m_handle = nullptr; // CURL *
    ServerAddress m_address;
    QByteArray m_user;
    QByteArray m_password;
    int m_connectTimeout;
    int m_stallTimeout;
};

} // namespace tav::upload
