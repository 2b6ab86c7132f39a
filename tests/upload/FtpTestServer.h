#pragma once
// A real FTP server for the tests: pyftpdlib (Debian's python3) on 127.0.0.1 and a free
// port, serving a temporary root folder. Stopped when the object goes.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace tav::test
{

class FtpTestServer
{
public:
    static constexpr const char *User = "tester";
    static constexpr const char *Password = "s3cret-pass";

    FtpTestServer();
    ~FtpTestServer();

    // Starts serving root(); call after filling it. False (with a warning) on failure.
    bool start();
    QString root() const { return m_root.path(); }
    QString rootPath(const QString &relative) const { return m_root.filePath(relative); }
    int port() const { return m_port; }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

    // Test data helpers.
    static bool writeFile(const QString &path, const QByteArray &bytes);
    static QByteArray readFile(const QString &path);

private:
    QTemporaryDir m_root;
    QProcess m_process;
    int m_port = 0;
};

} // namespace tav::test
