#include "QuickSearch.h"

#include "FieldCatalogue.h"
#include "Query.h"
#include "StoreError.h"

namespace tav::store::ops {

namespace {

const char *const kFields[QuickSearch::kItems] = {
    "Count", "ID", "FirstName", "LastName", "Phone", "Fax", "Email", "URLWebsite", "Comments",
};

void requireItem(int item)
{
    if (item < 0 || item >= QuickSearch::kItems)
        throw StoreError(QStringLiteral("There is no search item %1").arg(item));
}

bool containsLowered(const QVariant &value, const QString &loweredCriterion)
{
    return !loweredCriterion.isEmpty() && !value.isNull() &&
           lowerLocale(value.toString()).contains(loweredCriterion);
}

} // namespace

QString QuickSearch::field(int item)
{
    requireItem(item);
    return QLatin1String(kFields[item]);
}

QString QuickSearch::captionBox(int item)
{
    if (item == kCountItem)
        return QString();
    if (item == kCommentsItem)
        return QStringLiteral("LabelComments");
    return catalogue::captionBoxName(catalogue::positionOfRecordField(field(item)));
}

QString QuickSearch::groupCaption(int item, const QString &captionText)
{
    return item == kCountItem ? QStringLiteral("Search by No.")
                              : QStringLiteral("Search by ") + captionText;
}

bool QuickSearch::takeCriterion(int item, const QString &boxText)
{
    requireItem(item);
    if (item == kCommentsItem) {
        m_texts[item] = boxText;
        return true;
    }
    if (boxText.isEmpty())
        return true;
    if (item == kCountItem) {
        bool ok = false;
        const qint64 number = boxText.trimmed().toLongLong(&ok);
        if (!ok)
            return false;
        m_number = number;
    } else {
        m_texts[item] = boxText;
    }
    return true;
}

QString QuickSearch::text(int item) const
{
    requireItem(item);
    return m_texts[item];
}

bool QuickSearch::matches(int item, const QVariant &value) const
{
    requireItem(item);
    if (item == kCountItem)
        return m_number > 0 && !value.isNull() && value.toLongLong() == m_number;
    return filter(item).accept(QVariantList{value});
}

RecordFilter QuickSearch::filter(int item) const
{
    requireItem(item);
    RecordFilter result;
    if (item == kCountItem) {
        // The number the user sees is the record's position, never its stored order key.
        result.byPosition = true;
        result.position = m_number;
        return result;
    }
    const QString name = field(item);
    result.fields = QStringList{name};
    const QString criterion = lowerLocale(m_texts[item]); // lowered once per search
    result.accept = [criterion](const QVariantList &values) {
        return containsLowered(values[0], criterion);
    };
    // Matched by the engine, so a record without a match is never read into the program.
    if (criterion.isEmpty()) {
        result.condition = QStringLiteral("0");
    } else {
        result.condition = QStringLiteral("contains_locale(%1, ?)").arg(name);
        result.parameters = {m_texts[item]};
    }
    return result;
}

} // namespace tav::store::ops
