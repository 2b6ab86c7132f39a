#include "MessageQueue.h"

#include <QtDebug>

namespace tav::test {

MessageQueue::MessageQueue()
{
    MessageBoxes::setHandler([this](const MessageRequest &r) { return handle(r); });
}

MessageQueue::~MessageQueue() { MessageBoxes::setHandler({}); }

void MessageQueue::answer(int button) { m_answers.append(button); }

QStringList MessageQueue::texts() const
{
    QStringList out;
    for (const MessageRequest &r : m_shown)
        out << r.text;
    return out;
}

QString MessageQueue::lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }

void MessageQueue::reset()
{
    m_answers.clear();
    m_shown.clear();
    m_unexpected.clear();
}

int MessageQueue::handle(const MessageRequest &request)
{
    m_shown.append(request);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    m_unexpected << request.text;
    qWarning("Unexpected message box: %s", qPrintable(request.text));
    for (int flag : {MsgCancel, MsgNo, MsgOk})
        if (request.buttons & flag)
            return flag;
    return MsgOk;
}

} // namespace tav::test
