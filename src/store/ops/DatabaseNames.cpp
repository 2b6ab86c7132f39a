#include "DatabaseNames.h"

#include "FileNames.h"

namespace tav::store::ops::names {

namespace {

const QString kRenameForbidden = QStringLiteral(" \"'*,./:<>?\\`|");
const QString kNewForbidden = kRenameForbidden + QStringLiteral("-;~");

QString replaced(QString text, const QString &forbidden)
{
    for (QChar &c : text) {
        if (forbidden.contains(c))
            c = QLatin1Char('_');
    }
    return text;
}

} // namespace

QString filterNewName(const QString &typed)
{
    return replaced(typed, kNewForbidden);
}

QString filterRenameName(const QString &typed)
{
    return replaced(typed, kRenameForbidden);
}

QString normalised(const QString &name)
{
    return name.toUpper();
}

bool isTaken(const QString &name, const QStringList &existing)
{
    const QString upper = normalised(name);
    if (upper == files::kMaster)
        return true;
    for (const QString &other : existing) {
        if (normalised(other) == upper)
            return true;
    }
    return false;
}

bool isValid(const QString &name)
{
    if (name.isEmpty() || name.size() > kMaxNameLength)
        return false;
    for (const QChar c : name) {
        if (kRenameForbidden.contains(c) || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace tav::store::ops::names
