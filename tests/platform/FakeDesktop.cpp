#include "FakeDesktop.h"

#include <QFile>
#include <QFileInfo>

namespace tav::test
{

FakeDesktop::FakeDesktop() : m_oldPath(qgetenv("PATH"))
{
    qputenv("PATH", QFile::encodeName(m_bin.path()));
    Launcher::setSearchPath({});
    Launcher::setProcessStarter([this](const ProcessStart &start) {
        m_starts.append(start);
        return !m_refusing.contains(QFileInfo(start.program).fileName());
    });
    Launcher::setUrlOpener([this](const QString &urlOrPath) {
        m_opened.append(urlOrPath);
        return m_openerSucceeds;
    });
}

FakeDesktop::~FakeDesktop()
{
    Launcher::setProcessStarter({});
    Launcher::setUrlOpener({});
    qputenv("PATH", m_oldPath);
}

void FakeDesktop::install(const QStringList &programs)
{
    for (const QString &name : programs) {
        QFile file(m_bin.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot create the fake program %s", qPrintable(name));
        file.write("#!/bin/sh\nexit 0\n");
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                            QFile::ReadGroup | QFile::ExeGroup);
    }
}

QStringList FakeDesktop::startedNames() const
{
    QStringList names;
    for (const ProcessStart &s : m_starts)
        names << QFileInfo(s.program).fileName();
    return names;
}

} // namespace tav::test
