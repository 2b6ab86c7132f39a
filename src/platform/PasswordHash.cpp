#include "PasswordHash.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace tav::password {

namespace {
const QString kScheme = QStringLiteral("pbkdf2-sha256");
constexpr int kIterations = 20000;
constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;

QByteArray derive(const QString &password, const QByteArray &salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, kKeyBytes);
}

// Compares without stopping at the first difference.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (int i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}
} // namespace

QString hash(const QString &password)
{
    QByteArray salt(kSaltBytes, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()),
                                          kSaltBytes / int(sizeof(quint32)));
    return QStringList{kScheme, QString::number(kIterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(derive(password, salt, kIterations).toBase64())}
        .join(QLatin1Char('$'));
}

bool matches(const QString &typed, const QString &stored)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    bool numeric = false;
    const int iterations = parts.size() == 4 ? parts.at(1).toInt(&numeric) : 0;
    if (parts.size() != 4 || parts.at(0) != kScheme || !numeric || iterations <= 0)
        return typed == stored;
    const QByteArray salt = QByteArray::fromBase64(parts.at(2).toLatin1());
    const QByteArray key = QByteArray::fromBase64(parts.at(3).toLatin1());
    return sameBytes(derive(typed, salt, iterations), key);
}

} // namespace tav::password
