#pragma once
// Per-test surroundings: an empty temporary data directory made the working directory,
// a settings store of its own, the message queue and the file-dialog seam.
// Create one in init() and call verify() in cleanup().

#include "MessageQueue.h"

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
};

} // namespace tav::test
