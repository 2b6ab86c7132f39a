#pragma once
// Every failure of the table engine surfaces as a StoreError carrying a message text
// that callers show as it is or replace by their own message.

#include <QString>
#include <stdexcept>

namespace tav::store {

class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace tav::store
