#include "FtpTestServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

namespace tav::test
{

FtpTestServer::FtpTestServer() = default;

FtpTestServer::~FtpTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    // The read-only folders of a test root must be writable again to be removed.
    QDir dir(m_root.path());
    for (const QFileInfo &info : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        QFile::setPermissions(info.filePath(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool FtpTestServer::start()
{
    // Debian's python carries pyftpdlib; a python found first on PATH may not.
    m_process.setProgram(QStringLiteral("/usr/bin/python3"));
    m_process.setArguments({QStringLiteral(TAV_FTP_SERVER_SCRIPT), m_root.path(),
                            QString::fromLatin1(User), QString::fromLatin1(Password)});
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
    if (!m_process.waitForStarted(10000)) {
        qWarning("FTP test server did not start: %s", qPrintable(m_process.errorString()));
        return false;
    }
    while (m_process.waitForReadyRead(10000)) {
        while (m_process.canReadLine()) {
            const QByteArray line = m_process.readLine().trimmed();
            if (line.startsWith("PORT ")) {
                m_port = line.mid(5).toInt();
                return m_port > 0;
            }
        }
    }
    qWarning("FTP test server gave no port: %s", m_process.readAllStandardError().constData());
    return false;
}

bool FtpTestServer::writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray FtpTestServer::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tav::test
