#include "CommentsLock.h"

#include "PasswordHash.h"
#include "StoreError.h"

namespace tav::lock
{

namespace
{
const QString kFlag = QStringLiteral("Res85");
const QString kPassword = QStringLiteral("Res86");
} // namespace

bool isLocked(const store::Dataset &labels)
{
    if (!labels.isActive() || !labels.hasField(kFlag) || labels.recordCount() == 0)
        return false;
    try {
        return labels.asString(kFlag) == QStringLiteral("1");
    } catch (const store::StoreError &) {
        return false;
    }
}

void lock(store::Dataset &labels, const QString &password)
{
    labels.edit();
    labels.setAsString(kPassword, password::hash(password));
    labels.setAsString(kFlag, QStringLiteral("1"));
    labels.post();
}

bool unlock(store::Dataset &labels, const QString &typed)
{
    if (!password::matches(typed, labels.asString(kPassword)))
        return false;
    labels.edit();
    labels.setAsString(kFlag, QStringLiteral("0"));
    labels.post();
    return true;
}

} // namespace tav::lock
