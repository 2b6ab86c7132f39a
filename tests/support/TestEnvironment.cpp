#include "TestEnvironment.h"

#include "Settings.h"

#include <QDir>
#include <QProcess>
#include <QTest>

namespace tav::test {

TestEnvironment::TestEnvironment() : m_oldCwd(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
    QDir().mkpath(m_dir.path() + QStringLiteral("/.config"));
    Settings::setFilePath(settingsFile());
    FileDialogs::setHandler([this](const FileDialogRequest &r) {
        m_fileRequests << r;
        if (m_fileAnswers.isEmpty()) {
            qWarning("Unexpected file dialog: %s", qPrintable(r.caption));
            m_unexpectedFileDialogs << r.caption;
            return QString();
        }
        return m_fileAnswers.takeFirst();
    });
    Printing::setHandler([this](const PrintRequest &r) {
        const QString pdf = path(QStringLiteral("print-%1.pdf").arg(m_printedFiles.size() + 1));
        m_printRequests << r;
        m_printedFiles << pdf;
        return Printing::renderToPdf(r, pdf);
    });
}

TestEnvironment::~TestEnvironment()
{
    FileDialogs::setHandler({});
    Printing::setHandler({});
    Settings::setFilePath({});
    QDir::setCurrent(m_oldCwd);
}

QString TestEnvironment::path(const QString &fileName) const { return QDir(m_dir.path()).filePath(fileName); }

QString TestEnvironment::settingsFile() const { return m_dir.path() + QStringLiteral("/.config/test.ini"); }

void TestEnvironment::answerFileDialog(const QString &p) { m_fileAnswers.append(p); }

void TestEnvironment::verify()
{
    const QStringList unexpected = m_messages.unexpected();
    const int pending = m_messages.pendingAnswers();
    const int pendingFiles = m_fileAnswers.size();
    const QStringList unexpectedFiles = m_unexpectedFileDialogs;
    m_messages.reset();
    m_fileAnswers.clear();
    m_unexpectedFileDialogs.clear();
    if (!unexpected.isEmpty())
        QFAIL(qPrintable(QStringLiteral("Message box without a queued answer: ") + unexpected.join(" | ")));
    if (!unexpectedFiles.isEmpty())
        QFAIL(qPrintable(QStringLiteral("File dialog without a queued answer: ") + unexpectedFiles.join(" | ")));
    if (pending)
        QFAIL(qPrintable(QStringLiteral("%1 queued message answer(s) never used").arg(pending)));
    if (pendingFiles)
        QFAIL(qPrintable(QStringLiteral("%1 file-dialog answer(s) never used").arg(pendingFiles)));
}

QString TestEnvironment::pdfText(const QString &pdfPath)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

QString TestEnvironment::fixture(const QString &relativePath)
{
    return QDir(qEnvironmentVariable("TAV_TEST_DATA")).filePath(relativePath);
}

} // namespace tav::test
