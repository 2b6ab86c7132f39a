#include "Query.h"

#include "DatasetImpl.h"

namespace tav::store {

Query::Query(QObject *parent) : Dataset(parent)
{
    d->readOnly = true;
}

Query::~Query() = default;

void Query::setDirectory(const QString &dir)
{
    if (d->directory == dir)
        return;
    close();
    d->directory = dir;
}

void Query::setTableName(const QString &fileName)
{
    if (d->tableName == fileName)
        return;
    close();
    d->tableName = fileName;
}

QString Query::tableName() const
{
    return d->tableName;
}

void Query::setWhere(const QString &condition)
{
    close();
    d->where = condition;
}

void Query::setOrderBy(const QString &orderBy)
{
    close();
    d->orderBy = orderBy;
}

void Query::bindValue(const QString &name, const QVariant &value)
{
    const bool prefixed = name.startsWith(QLatin1Char(':')) || name.startsWith(QLatin1Char('@')) ||
                          name.startsWith(QLatin1Char('$'));
    d->namedParams.insert(prefixed ? name.mid(1) : name, value);
}

void Query::addBindValue(const QVariant &value)
{
    d->positionalParams.append(value);
}

void Query::clearBindings()
{
    d->namedParams.clear();
    d->positionalParams.clear();
}

void Query::open()
{
    if (isActive())
        return;
    d->open();
}

QString containsPattern(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : lowerLocale(text)) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

} // namespace tav::store
