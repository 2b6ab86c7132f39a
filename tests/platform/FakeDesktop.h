#pragma once
// Stands in for the desktop in launcher tests: PATH holds only the fake programs a test
// installs, and the process starter and URL opener only record what they are asked to do,
// so nothing really starts or opens.

#include "Launcher.h"

#include <QList>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

namespace tav::test
{

class FakeDesktop
{
public:
    FakeDesktop();
    ~FakeDesktop();

    // Executable files of these names in the folder that PATH now names.
    void install(const QStringList &programs);
    // Installed programs that refuse to start (by file name).
    void refuseToStart(const QStringList &programs)
    {
        m_refusing += QSet<QString>(programs.begin(), programs.end());
    }
    void setOpenerSucceeds(bool ok) { m_openerSucceeds = ok; }

    QString binDir() const { return m_bin.path(); }
    // Every start asked for, refused or not, in order.
    const QList<ProcessStart> &starts() const { return m_starts; }
    QStringList startedNames() const; // file names of starts()
    // Every URL or path handed to the opener, in order.
    const QStringList &opened() const { return m_opened; }

private:
    QTemporaryDir m_bin;
    QByteArray m_oldPath;
    QSet<QString> m_refusing;
    bool m_openerSucceeds = true;
    QList<ProcessStart> m_starts;
    QStringList m_opened;
};

} // namespace tav::test
