#pragma once
// A read-only result set over one table file: the table's fields, restricted by a SQL
// condition with bound parameters and ordered by a SQL ORDER BY text. User text is only
// ever passed as a parameter. Parameters may be named (":Count") or positional ("?").

#include "Dataset.h"

#include <QVariantMap>

namespace tav::store {

class Query : public Dataset
{
    Q_OBJECT
public:
    explicit Query(QObject *parent = nullptr);
    ~Query() override;

    void setDirectory(const QString &dir);
    void setTableName(const QString &fileName);
    QString tableName() const;
    // e.g. "LastName LIKE :p0 ESCAPE '\\' AND lower_locale(FirstName) LIKE :p1 ESCAPE '\\'".
    // The function lower_locale(text) lowers text as the user's locale does.
    void setWhere(const QString &condition);
    void setOrderBy(const QString &orderBy); // e.g. "LastName DESC"; empty keeps table order
    // A named parameter (":Count" or "Count"); takes effect at open() or refresh().
    void bindValue(const QString &name, const QVariant &value);
    // The next positional parameter ("?"), in order.
    void addBindValue(const QVariant &value);
    void clearBindings();

    void open() override; // StoreError on bad SQL or missing file
};

// Text lowered as lower_locale() lowers it in SQL (the user's locale). In SQL,
// contains_locale(Field, :text) tells whether :text occurs in the field, both lowered so.
QString lowerLocale(const QString &text);
// A LIKE pattern matching `text` anywhere, case-insensitively when compared with
// lower_locale(field): the text lowered, with %, _ and \ escaped for ESCAPE '\' and wrapped
// in %...%. Use as "lower_locale(Field) LIKE :p ESCAPE '\\'" with the pattern bound to :p.
QString containsPattern(const QString &text);

} // namespace tav::store
