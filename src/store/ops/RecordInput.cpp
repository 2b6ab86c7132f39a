#include "RecordInput.h"

namespace tav::store::ops {

namespace {

// A whole number > 0, or 0 when the text is none.
int positiveNumber(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}


QString notValid(const QString &text)
{
    return QStringLiteral("'%1' is not a valid value.").arg(text);
}

} // namespace

QString notAnIntegerMessage(const QString &text)
{
    return QStringLiteral("'%1' is not a valid integer value.").arg(text);
}

NumberInput parseInsertCount(const QString &text)
{
    const int n = positiveNumber(text);
    if (n == 0)
        return {false, 0, notAnIntegerMessage(text)};
    return {true, n, QString()};
}

RangeInput parseDeleteRange(const QString &fromText, const QString &toText, int recordCount)
{
    const int from = positiveNumber(fromText);
    const int to = positiveNumber(toText);
    if (from == 0)
        return {false, 0, 0, notAnIntegerMessage(fromText)};
    if (to == 0)
        return {false, 0, 0, notAnIntegerMessage(toText)};
    if (to < from)
        return {false, 0, 0, notValid(fromText)};
    if (to > recordCount)
        return {false, 0, 0, notValid(toText)};
    return {true, from, to, QString()};
}

} // namespace tav::store::ops
