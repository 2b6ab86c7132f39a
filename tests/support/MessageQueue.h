#pragma once
// Answers message boxes in tests from a queue and logs every text shown. A box that
// appears with no answer queued is recorded as unexpected and answered with its most
// cautious button; TestEnvironment::verify() then fails the test with its text.

#include "MessageBoxes.h"

#include <QList>
#include <QStringList>

namespace tav::test {

class MessageQueue
{
public:
    MessageQueue();  // installs itself as the message-box handler
    ~MessageQueue(); // restores the real dialogs

    // The next box shown is answered with `button` (MsgOk, MsgYes, ...).
    void answer(int button);
    // Every box shown, in order.
    const QList<MessageRequest> &shown() const { return m_shown; }
    QStringList texts() const;
    QString lastText() const;
    void clearLog() { m_shown.clear(); }
    // Boxes that appeared with no answer queued.
    const QStringList &unexpected() const { return m_unexpected; }
    int pendingAnswers() const { return m_answers.size(); }
    void reset(); // forgets queued answers, the log and unexpected boxes

private:
    int handle(const MessageRequest &request);
    QList<int> m_answers;
    QList<MessageRequest> m_shown;
    QStringList m_unexpected;
};

} // namespace tav::test
