#pragma once
// Per-test surroundings: an empty temporary data directory made the working directory,
// a settings store of its own, the message queue and the file-dialog seam.
// Create one in init() and call verify() in cleanup().

#include "FileDialogs.h"
#include "MessageQueue.h"
#include "Printing.h"

#include <QList>

#include <QStringList>
#include <QTemporaryDir>

namespace tav::test {

class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();

    QString dataDir() const { return m_dir.path(); }
    QString path(const QString &fileName) const; // inside the data directory
    QString settingsFile() const;
    MessageQueue &messages() { return m_messages; }

    // The next file or directory dialogs return these paths, in order ("" = cancelled).
    void answerFileDialog(const QString &path);
    int pendingFileAnswers() const { return m_fileAnswers.size(); }
    // Every file or directory dialog asked for, in order.
    const QList<FileDialogRequest> &fileRequests() const { return m_fileRequests; }

    // Printing goes to PDF files in the data directory ("print-1.pdf", ...) instead of the
    // preview or the print dialog. The files written, in order, and their requests.
    const QStringList &printedFiles() const { return m_printedFiles; }
    const QList<PrintRequest> &printRequests() const { return m_printRequests; }
    // The text of a printed PDF file, from pdftotext (pages separated by form feeds).
    static QString pdfText(const QString &pdfPath);

    // Fails the current test when a message box appeared without an answer, or a queued
    // answer or file-dialog answer was never used.
    void verify();

    // A copy of a fixture file under tests/data.
    static QString fixture(const QString &relativePath);

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;
    MessageQueue m_messages;
    QStringList m_fileAnswers;
    QStringList m_unexpectedFileDialogs;
    QList<FileDialogRequest> m_fileRequests;
    QStringList m_printedFiles;
    QList<PrintRequest> m_printRequests;
};

} // namespace tav::test
