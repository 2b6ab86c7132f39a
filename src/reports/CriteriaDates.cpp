#include "CriteriaDates.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <array>

namespace tav::reports {

namespace {

constexpr std::array<const char *, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int fullYear(int twoDigits)
{
    return twoDigits < 50 ? 2000 + twoDigits : 1900 + twoDigits;
}

// 1..12 for a month name or abbreviation in English or the user's language, else 0.
int monthFromName(const QString &name)
{
    const QString lower = name.toLower();
    if (lower.size() >= 3) {
        for (int m = 0; m < 12; ++m)
            if (QString::fromLatin1(kMonthAbbreviations[m]).toLower() == lower.left(3))
                return m + 1;
    }
    const QLocale locale;
    for (int m = 1; m <= 12; ++m) {
        if (locale.monthName(m, QLocale::LongFormat).toLower() == lower ||
            locale.monthName(m, QLocale::ShortFormat).toLower() == lower)
            return m;
    }
    return 0;
}

// Splits "12-Jan-1999" or "12Jan99" into its runs of digits and of letters.
QStringList fieldsOf(const QString &text)
{
    QStringList fields;
    QString current;
    auto kind = [](QChar c) { return c.isDigit() ? 1 : c.isLetter() ? 2 : 0; };
    int currentKind = 0;
    for (const QChar c : text) {
        const int k = kind(c);
        if (k != currentKind && !current.isEmpty()) {
            fields << current;
            current.clear();
        }
        if (k != 0)
            current += c;
        currentKind = k;
    }
    if (!current.isEmpty())
        fields << current;
    return fields;
}

} // namespace

QDate readCriteriaDate(const QString &text, const QString &pattern)
{
    const QStringList fields = fieldsOf(text.trimmed());
    if (fields.size() != 3)
        return QDate();

    // Field order from the pattern: the first occurrence of each of d, M and y.
    const QString upper = pattern.toUpper();
    struct Slot {
        QChar letter;
        int at;
    };
    std::array<Slot, 3> fieldSlots = {Slot{QLatin1Char('D'), int(upper.indexOf(QLatin1Char('D')))},
                                 Slot{QLatin1Char('M'), int(upper.indexOf(QLatin1Char('M')))},
                                 Slot{QLatin1Char('Y'), int(upper.indexOf(QLatin1Char('Y')))}};
    bool orderKnown = true;
    for (const Slot &s : fieldSlots)
        orderKnown = orderKnown && s.at >= 0;
    if (!orderKnown)
        fieldSlots = {Slot{QLatin1Char('D'), 0}, Slot{QLatin1Char('M'), 1}, Slot{QLatin1Char('Y'), 2}};
    std::sort(fieldSlots.begin(), fieldSlots.end(), [](const Slot &a, const Slot &b) { return a.at < b.at; });
    QString order;
    for (const Slot &s : fieldSlots)
        order += s.letter;
    if (fields[0].size() == 4 && fields[0].at(0).isDigit())
        order = QStringLiteral("YMD");

    int day = 0, month = 0, year = -1;
    for (int i = 0; i < 3; ++i) {
        const QString &field = fields[i];
        bool number = false;
        const int value = field.toInt(&number);
        switch (order[i].toLatin1()) {
        case 'D':
            if (!number || field.size() > 2)
                return QDate();
            day = value;
            break;
        case 'M':
            month = number ? (field.size() <= 2 ? value : 0) : monthFromName(field);
            break;
        default:
            if (!number)
                return QDate();
            if (field.size() <= 2)
                year = fullYear(value);
            else if (field.size() == 4)
                year = value;
            else
                return QDate();
        }
    }
    return QDate(year, month, day); // invalid when any part is out of range
}

QString defaultEndDateText(const QDate &today, const QString &pattern)
{
    QString text = today.toString(pattern);
    const QString upper = pattern.toUpper();
    if (upper.contains(QLatin1String("YY")) && !upper.contains(QLatin1String("YYYY")) &&
        text.size() >= 2) {
        const bool yearFirst = upper.indexOf(QLatin1String("YY")) == 0;
        const int at = yearFirst ? 0 : int(text.size()) - 2;
        const int value = text.mid(at, 2).toInt();
        text.insert(at, value >= 0 && value < 50 ? QLatin1String("20") : QLatin1String("19"));
    }
    for (int m = 0; m < 12; ++m) {
        const int at = int(text.indexOf(QLatin1String(kMonthAbbreviations[m])));
        if (at >= 0) {
            text.replace(at, 3, QString::number(m + 1));
            break;
        }
    }
    return text;
}

} // namespace tav::reports
